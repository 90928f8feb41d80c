// Game files in both layouts, opening-book files and the book choice.

#include "kelvor/game_file.h"
#include "kelvor/kelvor_doc.h"
#include "kelvor/opening_book.h"
#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace kelvor;

std::string Words(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s.push_back(static_cast<char>(v & 0xff));
        s.push_back(static_cast<char>((v >> 8) & 0xff));
    }
    return s;
}

TEST(GameFile, WrittenFileReadsBack) {
    GameFile g{0, 17, {144, 145, 161, 0, 288}};
    GameFile back;
    ASSERT_TRUE(ReadGameFile(WriteGameFile(g), back));
    EXPECT_EQ(back.variant, 0);
    EXPECT_EQ(back.boardSize, 17);
    EXPECT_EQ(back.cells, g.cells);
}

TEST(GameFile, OlderLayout) {
    // Low byte 3 (moves), high byte 7 (first cell), then two single bytes.
    std::string bytes = Words({3 | (7 << 8)}) + std::string{char(112), char(113)};
    GameFile g;
    ASSERT_TRUE(ReadGameFile(bytes, g));
    EXPECT_EQ(g.variant, 0);
    EXPECT_EQ(g.boardSize, 15);
    EXPECT_EQ(g.cells, (std::vector<int>{7, 112, 113}));
}

struct BadFile {
    const char* name;
    std::string bytes;
};
std::ostream& operator<<(std::ostream& os, const BadFile& b) {
    return os << b.name;
}

class InvalidGameFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(InvalidGameFile, IsRejected) {
    GameFile g{1, 19, {5}};
    EXPECT_FALSE(ReadGameFile(GetParam().bytes, g));
    EXPECT_EQ(g.cells, std::vector<int>{5}); // untouched
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InvalidGameFile,
    ::testing::Values(BadFile{"empty", ""}, BadFile{"one_byte", std::string(1, '\0')},
                      BadFile{"negative_variant", Words({-1, 15, 0})},
                      BadFile{"size_12", Words({0, 12, 0})}, BadFile{"size_20", Words({1, 20, 0})},
                      BadFile{"count_362_on_19", Words({0, 19, 362}) + std::string(724, 0)},
                      BadFile{"count_226_on_15", Words({0, 15, 226}) + std::string(452, 0)},
                      BadFile{"negative_count", Words({0, 15, -2})},
                      BadFile{"count_beyond_data", Words({0, 15, 3, 112, 113})},
                      BadFile{"truncated_header", Words({0, 15})},
                      BadFile{"old_first_off_board", Words({2 | (230 << 8)}) + "x"},
                      BadFile{"old_count_226", Words({226 | (7 << 8)}) + std::string(225, 0)},
                      BadFile{"old_truncated", Words({4 | (7 << 8)}) + "ab"}),
    [](const auto& p) { return std::string(p.param.name); });

// A full board is a drawn game, and its file must open: every count up to N x N.
class FullBoardFile : public ::testing::TestWithParam<int> {};

TEST_P(FullBoardFile, EveryCellPlayedReadsBack) {
    const int n = GetParam();
    GameFile g{1, n, {}};
    for (int c = 0; c < n * n; ++c) g.cells.push_back(c);
    GameFile back;
    ASSERT_TRUE(ReadGameFile(WriteGameFile(g), back));
    EXPECT_EQ(back.cells, g.cells);
}
INSTANTIATE_TEST_SUITE_P(Sizes, FullBoardFile, ::testing::Values(13, 15, 17, 19));

TEST(GameFile, OlderLayoutHoldsAFullBoard) {
    std::string bytes = Words({225 | (0 << 8)});
    for (int c = 1; c < 225; ++c) bytes.push_back(static_cast<char>(c));
    GameFile g;
    ASSERT_TRUE(ReadGameFile(bytes, g));
    EXPECT_EQ(g.cells.size(), 225u);
}

TEST(GameFile, OffBoardCellEndsTheMoves) {
    GameFile g;
    ASSERT_TRUE(ReadGameFile(Words({0, 15, 3, 112, 225, 113}), g));
    EXPECT_EQ(g.cells, std::vector<int>{112});
    ASSERT_TRUE(ReadGameFile(Words({3 | (7 << 8)}) + std::string{char(112), char(240)}, g));
    EXPECT_EQ(g.cells, (std::vector<int>{7, 112}));
}

TEST(Document, SavedGameOpensWithTheSameMoves) {
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.OpeningBook = false;
    doc.Variant = 0;
    doc.SetBoardSize(17);
    for (auto [x, y] : {std::pair{8, 8}, {8, 9}, {9, 9}, {0, 16}}) doc.MakeMove(x, y);
    ASSERT_TRUE(doc.SaveGame(dir.Path() + "g.kgf"));
    CKelvorDoc other(KELVOR_DATA_DIR, 2);
    other.OpeningBook = false;
    ASSERT_TRUE(other.OpenGame(dir.Path() + "g.kgf"));
    EXPECT_EQ(other.Variant, 0);
    EXPECT_EQ(other.BoardSize, 17);
    EXPECT_EQ(other.Record, doc.Record);
    EXPECT_EQ(other.Board[0][16], kWhite);
    EXPECT_EQ(other.MoveNo, 5);
    EXPECT_TRUE(boxes.shown.empty());
}

// A drawn 19 x 19 game: the colours follow ((x div 2) + y) mod 2, which has no run
// longer than two in any direction, so the board fills without a five; black has 181
// cells and white 180, so the moves alternate to the last cell.
std::vector<int> DrawnFullBoard(int n) {
    std::vector<int> colour[2];
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) colour[(x / 2 + y) % 2].push_back(x + y * n);
    std::vector<int> moves;
    for (size_t i = 0; i < colour[0].size(); ++i) {
        moves.push_back(colour[0][i]);
        if (i < colour[1].size()) moves.push_back(colour[1][i]);
    }
    return moves;
}

TEST(Document, DrawnFullBoardIsSavedAndReopened) {
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.OpeningBook = false;
    doc.SetBoardSize(19);
    const std::vector<int> moves = DrawnFullBoard(19);
    ASSERT_EQ(moves.size(), 361u);
    for (int c : moves) doc.MakeMove(c % 19, c / 19);
    EXPECT_EQ(doc.GameState, kGameOver);
    EXPECT_EQ(doc.Winner, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Draw!");
    ASSERT_TRUE(doc.SaveGame(dir.Path() + "full.kgf"));

    CKelvorDoc other(KELVOR_DATA_DIR, 2);
    other.OpeningBook = false;
    ASSERT_TRUE(other.OpenGame(dir.Path() + "full.kgf"));
    EXPECT_EQ(other.BoardSize, 19);
    EXPECT_EQ(other.Record, moves);
    EXPECT_EQ(other.GameState, kGameOver);
    EXPECT_EQ(boxes.shown.size(), 1u); // the replay is quiet
}

TEST(Document, InvalidFileShowsTheMessageAndLeavesNoMoves) {
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
    ASSERT_EQ(platform::WriteFileAtomic(dir.Path() + "bad.kgf", Words({0, 15, 5, 112})),
              platform::WriteResult::Ok);
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.OpeningBook = false;
    doc.MakeMove(7, 7);
    EXPECT_FALSE(doc.OpenGame(dir.Path() + "bad.kgf"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Not a valid kgf file");
    EXPECT_TRUE(doc.Record.empty());
    EXPECT_EQ(doc.Board[7][7], kEmpty);
    EXPECT_EQ(doc.BoardSize, 15);
}

TEST(OpeningBook, RenjuWordGivesTwoValues) {
    // Low byte 3, high byte 33: a line of three entries (centre, 33, next value).
    std::string bytes = Words({3 | (33 << 8), 40});
    OpeningBookFile b = ParseOpeningBook(bytes, 0);
    ASSERT_EQ(b.lines.size(), 1u);
    EXPECT_EQ(b.lines[0], (std::vector<int>{112, 33, 40}));
}

TEST(OpeningBook, LengthOfFiftyOrMoreIsSkipped) {
    OpeningBookFile b = ParseOpeningBook(Words({60, 2, 200, 3, 100, 101}), 1);
    ASSERT_EQ(b.lines.size(), 2u);
    EXPECT_EQ(b.lines[0], (std::vector<int>{180, 200}));
    EXPECT_EQ(b.lines[1], (std::vector<int>{180, 100, 101}));
}

TEST(OpeningBook, ShortDataIsNotReadPast) {
    OpeningBookFile b = ParseOpeningBook(Words({2, 200, 9, 1, 2}), 1);
    ASSERT_EQ(b.lines.size(), 1u);                 // the second line is cut off
    b = ParseOpeningBook(std::string(1, '\3'), 0); // half a word holds nothing
    EXPECT_TRUE(b.lines.empty());
}

TEST(OpeningBook, BytesRoundTrip) {
    std::vector<std::vector<int>> lines = {{112, 113, 97}, {112, 128}};
    for (int variant : {0, 1}) {
        auto copy = lines;
        if (variant == 1)
            for (auto& l : copy) l[0] = 180;
        EXPECT_EQ(ParseOpeningBook(OpeningBookBytes(copy, variant), variant).lines, copy);
    }
}

struct Choice {
    int variant;
    bool tournament;
    int stones;
    bool blackHuman, whiteHuman;
    const char* file;
};
class BookChoice : public ::testing::TestWithParam<Choice> {};
TEST_P(BookChoice, File) {
    const Choice& c = GetParam();
    EXPECT_EQ(BookFileName(c.variant, c.tournament, c.stones, c.blackHuman, c.whiteHuman), c.file);
}
INSTANTIATE_TEST_SUITE_P(Cases, BookChoice,
                         ::testing::Values(Choice{1, true, 0, true, false, "sag45.gmk"},
                                           Choice{0, true, 3, true, false, "sag45.ren"},
                                           Choice{0, true, 4, false, true, "blopen.ren"},
                                           Choice{0, true, 4, true, false, "whopen.ren"},
                                           Choice{0, true, 4, true, true, "whopen.ren"},
                                           Choice{0, true, 4, false, false, "opngbk.ren"},
                                           Choice{0, false, 0, true, true, "opngbk.ren"},
                                           Choice{1, false, 0, true, false, "opngbk.ren"}));

TEST(OpeningBook, SymmetriesAreDistinctAndInvertible) {
    std::set<std::pair<int, int>> seen;
    for (int s = 0; s < 8; ++s) {
        auto p = ApplySymmetry(s, 1, 2);
        seen.insert(p);
        EXPECT_EQ(UndoSymmetry(s, p.first, p.second), std::make_pair(1, 2));
    }
    EXPECT_EQ(seen.size(), 8u);
}

TEST(OpeningBook, MissingBookIsReportedAndPlayGoesOn) {
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
    for (const char* f : {"renju.tbl", "renju.scs"}) {
        std::string bytes;
        ASSERT_TRUE(platform::ReadFile(std::string(KELVOR_DATA_DIR) + f, bytes));
        ASSERT_EQ(platform::WriteFileAtomic(dir.Path() + f, bytes), platform::WriteResult::Ok);
    }
    CKelvorDoc doc(dir.Path(), 1);
    doc.MakeMove(7, 7);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Can't open opening file");
    EXPECT_TRUE(doc.OpeningBook); // the setting stays; this game plays without a book
    doc.PlayerLevel = {0, 2};
    EXPECT_TRUE(doc.ComputerMove());
}

} // namespace

namespace {

TEST(OpeningBookFiles, CommittedBooksAreTheCompiledOpenings) {
    std::string text;
    ASSERT_TRUE(platform::ReadFile(std::string(KELVOR_DATA_DIR) + "openings.txt", text));
    auto files = kelvor::CompileOpeningBooks(text);
    for (const char* name : {"sag45.ren", "sag45.gmk", "blopen.ren", "whopen.ren", "opngbk.ren"}) {
        std::string committed;
        ASSERT_TRUE(platform::ReadFile(std::string(KELVOR_DATA_DIR) + name, committed)) << name;
        EXPECT_EQ(files[name], committed) << name << ": rebuild with kelvor-cli books data/kelvor";
    }
}

TEST(OpeningBookFiles, TournamentBooksHoldTheSteeringLines) {
    std::string bytes;
    ASSERT_TRUE(platform::ReadFile(std::string(KELVOR_DATA_DIR) + "sag45.ren", bytes));
    auto ren = kelvor::ParseOpeningBook(bytes, 0);
    ASSERT_GE(ren.lines.size(), 138u);
    for (const auto& l : ren.lines) ASSERT_GE(l.size(), 3u);
    ASSERT_TRUE(platform::ReadFile(std::string(KELVOR_DATA_DIR) + "sag45.gmk", bytes));
    auto gmk = kelvor::ParseOpeningBook(bytes, 1);
    ASSERT_GT(gmk.lines.size(), 12u);
    EXPECT_EQ(gmk.lines[0][0], 180);
}

TEST(OpeningBookFiles, GeneralBookReadsInBothVariants) {
    std::string bytes;
    ASSERT_TRUE(platform::ReadFile(std::string(KELVOR_DATA_DIR) + "opngbk.ren", bytes));
    auto renju = kelvor::ParseOpeningBook(bytes, 0);
    auto gomoku = kelvor::ParseOpeningBook(bytes, 1);
    ASSERT_FALSE(renju.lines.empty());
    ASSERT_FALSE(gomoku.lines.empty());
    EXPECT_EQ(renju.lines[0][0], 112);
    EXPECT_GE(renju.lines[0].size(), 3u);
    for (const auto& l : gomoku.lines) {
        EXPECT_EQ(l[0], 180);
        for (int c : l) EXPECT_LT(c, 361);
    }
}

TEST(OpeningBookFiles, CompileRejectsBadLines) {
    EXPECT_THROW(kelvor::CompileOpeningBooks("H8 H9\n"), std::runtime_error);
    EXPECT_THROW(kelvor::CompileOpeningBooks("[sag45.ren]\nH9 H8\n"), std::runtime_error);
    EXPECT_THROW(kelvor::CompileOpeningBooks("[sag45.ren]\nH8 Z9\n"), std::runtime_error);
    auto ok = kelvor::CompileOpeningBooks("[sag45.gmk]\nK10 K11 # a comment\n");
    EXPECT_EQ(kelvor::ParseOpeningBook(ok["sag45.gmk"], 1).lines,
              (std::vector<std::vector<int>>{{180, 199}}));
}

TEST(OpeningBookFiles, GomokuTournamentMoveTwoUsesLinesFromTwelveOn) {
    testing_support::RecordingBoxes boxes;
    kelvor::CKelvorDoc doc(KELVOR_DATA_DIR, 4);
    doc.Variant = 1;
    doc.TournamentOpening = true;
    doc.SetBoardSize(19);
    doc.PlayerLevel = {0, 3};
    doc.MakeMove(9, 9);
    doc.MakeMove(9, 10);
    // At move 2 only lines from 12 on are considered.
    EXPECT_TRUE(doc.BookLine() == -1 || doc.BookLine() >= 12) << doc.BookLine();
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
