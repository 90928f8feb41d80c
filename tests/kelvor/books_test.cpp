// The committed opening books: every line a game the rules allow, no line that repeats
// another of its file, and the tournament books' line numbers steering the swap.

#include "kelvor/kelvor_doc.h"
#include "kelvor/opening_book.h"
#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace kelvor;
using Cell = std::pair<int, int>; // displacement from the book's centre
using Line = DisplacedLine;

std::string DataFile(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(platform::ReadFile(std::string(KELVOR_DATA_DIR) + name, bytes)) << name;
    return bytes;
}

// The book's lines as displacements from its centre.
std::vector<Line> BookLines(const std::string& name, int variant) {
    const OpeningBookFile book = ParseOpeningBook(DataFile(name), variant);
    const int b = book.boardSize, c = b / 2;
    std::vector<Line> out;
    for (const auto& cells : book.lines) {
        Line l;
        for (int cell : cells) l.emplace_back(cell % b - c, cell / b - c);
        out.push_back(l);
    }
    return out;
}

// The first three stones, the same for every image of the opening under a symmetry.
Line OpeningOf(const Line& line) {
    return Canonical(Line(line.begin(), line.begin() + std::min<size_t>(3, line.size())));
}

std::string Text(const Line& line, int variant) {
    const int c = BookBoardSize(variant) / 2;
    std::string s;
    for (auto [dx, dy] : line) s += (s.empty() ? "" : " ") + CellText(c + dx, c + dy);
    return s;
}

struct BookCase {
    const char* file;
    int variant;
    bool tournament; // read in the tournament opening, whose distances its lines keep
};

void PrintTo(const BookCase& c, std::ostream* os) {
    *os << c.file << (c.variant ? " gomoku" : " renju");
}

struct CommittedBook : ::testing::TestWithParam<BookCase> {};

TEST_P(CommittedBook, FitsTheReader) {
    const BookCase c = GetParam();
    EXPECT_LE(DataFile(c.file).size(), static_cast<size_t>(kBookMaxBytes));
    const auto lines = BookLines(c.file, c.variant);
    EXPECT_GT(lines.size(), 12u);
    EXPECT_LE(lines.size(), static_cast<size_t>(kBookMaxLines));
    for (const auto& l : lines) EXPECT_LT(l.size(), static_cast<size_t>(kBookLineValues));
}

// A line that is another line, or the start of one, under a symmetry of the board adds
// nothing to the book; the book matches games under all eight symmetries.
TEST_P(CommittedBook, NoLineRepeatsAnother) {
    const BookCase c = GetParam();
    const auto lines = BookLines(c.file, c.variant);
    for (size_t i = 0; i < lines.size(); ++i) {
        // The general book's renju part is filled up to 1000 lines with the centre alone,
        // so that its gomoku reading starts behind them.
        if (lines[i].size() == 1) continue;
        for (size_t j = 0; j < lines.size(); ++j)
            if (j != i && lines[j].size() > 1 && lines[j].size() <= lines[i].size()) {
                EXPECT_FALSE(Covers(lines[i], lines[j]))
                    << c.file << ": line " << j << " (" << Text(lines[j], c.variant)
                    << ") repeats line " << i << " (" << Text(lines[i], c.variant) << ")";
            }
    }
}

// Each line is a game: the centre first, free cells, the opening's distances for the
// computer (which plays the book's moves) in the tournament books, black legal in
// renju, and no five before the line's end.
TEST_P(CommittedBook, EveryLineIsAGameTheRulesAllow) {
    const BookCase c = GetParam();
    testing_support::RecordingBoxes quiet;
    CKelvorDoc doc(KELVOR_DATA_DIR, 3);
    doc.OpeningBook = false;
    doc.Variant = c.variant;
    doc.SetBoardSize(BookBoardSize(c.variant));
    const auto lines = BookLines(c.file, c.variant);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        const std::string where =
            std::string(c.file) + " line " + std::to_string(i) + " (" + Text(l, c.variant) + ")";
        ASSERT_EQ(l.front(), Cell(0, 0)) << where;
        doc.NewGame();
        for (size_t k = 0; k < l.size(); ++k) {
            const int n = static_cast<int>(k) + 1;
            const int x = doc.Centre + l[k].first, y = doc.Centre + l[k].second;
            ASSERT_EQ(doc.GameState, 0) << where << ": the game ended before move " << n;
            ASSERT_TRUE(OnBoard(doc.BoardSize, x, y) && IsFree(doc.Board[x][y]))
                << where << ": move " << n;
            if (c.tournament) {
                EXPECT_TRUE(WithinReach(ComputerOpeningReach(c.variant, true, n), doc.Centre, x, y))
                    << where << ": move " << n << " too far from the centre";
            }
            if (c.variant == 0 && doc.ToMove == kBlack) {
                EXPECT_TRUE(doc.IsLegal(x, y)) << where << ": move " << n << " is forbidden";
            }
            doc.MakeMove(x, y);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CommittedBook,
    ::testing::Values(BookCase{"sag45.ren", 0, true}, BookCase{"sag45.gmk", 1, true},
                      BookCase{"blopen.ren", 0, true}, BookCase{"whopen.ren", 0, true},
                      BookCase{"opngbk.ren", 0, false}, BookCase{"opngbk.ren", 1, false}),
    [](const ::testing::TestParamInfo<BookCase>& i) {
        std::string n = i.param.file;
        std::replace(n.begin(), n.end(), '.', '_');
        return n + (i.param.variant ? "_gomoku" : "_renju");
    });

// The lines where a computer white keeps its colour in renju: the first four always,
// the others four times in five.
constexpr int kKeepAlways[] = {6, 49, 135, 137};
constexpr int kKeepMostly[] = {19, 79, 91, 109, 114, 117, 124};

std::vector<int> KeepLines() {
    std::vector<int> all(std::begin(kKeepAlways), std::end(kKeepAlways));
    all.insert(all.end(), std::begin(kKeepMostly), std::end(kKeepMostly));
    return all;
}

// The first line of each opening in the book, by opening.
std::map<Line, size_t> FirstLines(const std::vector<Line>& lines) {
    std::map<Line, size_t> first;
    for (size_t i = 0; i < lines.size(); ++i) first.emplace(OpeningOf(lines[i]), i);
    return first;
}

// The tournament book decides the swap by the first line of the game's opening: each
// steering line must be that first line, of an opening of its own.
TEST(TournamentBooks, RenjuKeepLinesAreTheFirstOfTheirOpenings) {
    const auto lines = BookLines("sag45.ren", 0);
    ASSERT_GE(lines.size(), 138u);
    const auto first = FirstLines(lines);
    EXPECT_EQ(first.size(), 26u) << "the 26 standard openings";
    std::vector<Line> kept;
    for (int at : KeepLines()) {
        const Line o = OpeningOf(lines[at]);
        EXPECT_EQ(first.at(o), static_cast<size_t>(at))
            << "line " << at << " (" << Text(o, 0) << ") is not its opening's first line";
        kept.push_back(o);
    }
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(std::unique(kept.begin(), kept.end()), kept.end());
}

// Gomoku: the computer as white swaps exactly when the line is one of 0..11, so their
// openings must not come back from line 12 on, where a game would draw them too.
TEST(TournamentBooks, GomokuSwapOpeningsStayBelowTwelve) {
    const auto lines = BookLines("sag45.gmk", 1);
    ASSERT_GT(lines.size(), 12u);
    std::vector<Line> swapOpenings;
    for (size_t i = 0; i < 12; ++i) swapOpenings.push_back(OpeningOf(lines[i]));
    for (size_t i = 12; i < lines.size(); ++i)
        EXPECT_EQ(std::find(swapOpenings.begin(), swapOpenings.end(), OpeningOf(lines[i])),
                  swapOpenings.end())
            << "line " << i << " (" << Text(lines[i], 1) << ") has an opening of lines 0..11";
    std::sort(swapOpenings.begin(), swapOpenings.end());
    EXPECT_EQ(std::unique(swapOpenings.begin(), swapOpenings.end()), swapOpenings.end());
}

// The engine's value of each opening for black, as openings.txt records it below its
// lines ("# H8 H9 J10  1990").
std::map<Line, int> RecordedValues(int variant) {
    std::istringstream in(DataFile("openings.txt"));
    std::map<Line, int> values;
    const int b = BookBoardSize(variant), c = b / 2;
    for (std::string text; std::getline(in, text);) {
        std::istringstream words(text);
        std::string hash, cell;
        Line stones;
        if (!(words >> hash) || hash != "#") continue;
        while (stones.size() < 3 && words >> cell) {
            auto p = ParseCell(cell, b);
            if (!p) break;
            stones.emplace_back(p->first - c, p->second - c);
        }
        int value = 0;
        if (stones.size() == 3 && stones.front() == Cell(0, 0) && words >> value)
            values[OpeningOf(stones)] = value;
    }
    return values;
}

// The steering lines hold the openings the engine judged best for white (renju) and
// for black (gomoku, lines 0..11).
TEST(TournamentBooks, SteeringOpeningsAreTheEnginesChoice) {
    {
        const auto lines = BookLines("sag45.ren", 0);
        const auto values = RecordedValues(0);
        const auto first = FirstLines(lines);
        ASSERT_EQ(first.size(), 26u);
        int worstKept = -1000000, bestSwapped = 1000000;
        for (const auto& [opening, at] : first) {
            ASSERT_TRUE(values.count(opening)) << Text(opening, 0) << " has no recorded value";
            const auto keep = KeepLines();
            if (std::find(keep.begin(), keep.end(), static_cast<int>(at)) != keep.end())
                worstKept = std::max(worstKept, values.at(opening));
            else
                bestSwapped = std::min(bestSwapped, values.at(opening));
        }
        EXPECT_LE(worstKept, bestSwapped)
            << "a kept opening is better for black than a swapped one";
    }
    {
        // Gomoku: a game looks for its second stone only from line 12 on, so an opening
        // better for black may stay above 12 when it is the last there with its second
        // stone.
        const auto lines = BookLines("sag45.gmk", 1);
        const auto values = RecordedValues(1);
        auto second = [](const Line& l) { return OpeningOf(Line{l[0], l[1]}); };
        int worstSwapped = 1000000;
        std::map<Line, int> keptBySecond; // kept openings by their second stone
        std::map<Line, size_t> kept;
        for (size_t i = 0; i < lines.size(); ++i) {
            const Line o = OpeningOf(lines[i]);
            ASSERT_TRUE(values.count(o)) << Text(o, 1) << " has no recorded value";
            if (i < 12) {
                worstSwapped = std::min(worstSwapped, values.at(o));
            } else if (kept.emplace(o, i).second) {
                ++keptBySecond[second(lines[i])];
            }
        }
        for (size_t i = 0; i < 12; ++i)
            EXPECT_GT(keptBySecond[second(lines[i])], 0)
                << "line " << i << ": no line from 12 on has its second stone";
        for (const auto& [o, at] : kept)
            if (values.at(o) > worstSwapped) {
                EXPECT_EQ(keptBySecond[second(lines[at])], 1)
                    << Text(o, 1) << " is better for black than a swapped opening";
            }
    }
}

// The whole road, through the document: a computer white that meets an opening of a
// steering line under some turn of the board keeps or swaps as that line says.
struct SwapCase {
    int variant;
    int line;  // the book line whose opening black plays
    bool swap; // what the computer must do
};

void PrintTo(const SwapCase& c, std::ostream* os) {
    *os << (c.variant ? "gomoku" : "renju") << " line " << c.line;
}

struct SwapByBook : ::testing::TestWithParam<SwapCase> {};

TEST_P(SwapByBook, ComputerWhiteFollowsTheLine) {
    const SwapCase c = GetParam();
    const auto lines = BookLines(c.variant == 0 ? "sag45.ren" : "sag45.gmk", c.variant);
    ASSERT_GT(lines.size(), static_cast<size_t>(c.line));
    for (int s = 0; s < 8; s += 3) {
        testing_support::RecordingBoxes boxes;
        CKelvorDoc doc(KELVOR_DATA_DIR, 7);
        doc.Variant = c.variant;
        doc.TournamentOpening = true;
        doc.OpeningBook = true;
        doc.SetBoardSize(c.variant == 0 ? 15 : 19);
        doc.PlayerLevel = {0, 1};
        const Line stones = Transformed(Line(lines[c.line].begin(), lines[c.line].begin() + 3), s);
        for (auto [dx, dy] : stones) doc.MakeMove(doc.Centre + dx, doc.Centre + dy);
        const bool swapped = std::any_of(boxes.shown.begin(), boxes.shown.end(),
                                         [](const auto& b) { return b.text == "I swap"; });
        EXPECT_EQ(swapped, c.swap)
            << "line " << c.line << " symmetry " << s << ": book line " << doc.BookLine();
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, SwapByBook,
                         ::testing::Values(SwapCase{0, 6, false}, SwapCase{0, 49, false},
                                           SwapCase{0, 135, false}, SwapCase{0, 137, false},
                                           SwapCase{0, 0, true}, SwapCase{1, 0, true},
                                           SwapCase{1, 11, true}, SwapCase{1, 12, false}),
                         [](const ::testing::TestParamInfo<SwapCase>& i) {
                             return std::string(i.param.variant ? "gomoku" : "renju") + "_line" +
                                    std::to_string(i.param.line);
                         });

} // namespace
