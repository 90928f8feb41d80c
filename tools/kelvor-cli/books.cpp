// kelvor-cli books: builds kelvor's five opening books.
//
// The lines start from the 26 standard renju openings (black on the centre, white
// next to it directly or diagonally, the third stone within two lines) and from
// two dozen three-stone gomoku openings; each is continued by the engine playing
// itself. The engine's own value of each opening, for white to move, decides which
// openings go to the book line numbers that steer the swap decision. The lines are
// written to DIR/openings.txt, readable, and compiled into the book files.

#include "kelvor/kelvor_doc.h"
#include "kelvor/opening_book.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kelvor_cli {

namespace {

using kelvor::CKelvorDoc;
using Line = std::vector<std::pair<int, int>>; // displacements from the centre

struct Opening {
    Line stones;    // the first three
    int blackValue; // black's advantage by the engine's search
    std::vector<Line> lines;
};

std::vector<Line> StandardRenjuOpenings() {
    std::vector<Line> out;
    // Direct: white above black, the third stone in the right half of the 5 x 5 square.
    for (int x = 0; x <= 2; ++x)
        for (int y = -2; y <= 2; ++y)
            if (!(x == 0 && (y == 0 || y == 1))) out.push_back({{0, 0}, {0, 1}, {x, y}});
    // Indirect: white diagonally, the third stone on one side of the diagonal or on it.
    for (int x = -2; x <= 2; ++x)
        for (int y = -2; y <= 2; ++y)
            if (y < x || (y == x && x != 0 && x != 1)) out.push_back({{0, 0}, {1, 1}, {x, y}});
    return out;
}

std::vector<Line> GomokuOpenings() {
    std::vector<Line> out;
    for (auto w : {std::pair{0, 1}, std::pair{1, 1}, std::pair{0, 2}, std::pair{2, 2}})
        for (auto t : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{1, -1}, std::pair{2, 0},
                       std::pair{0, -2}, std::pair{-1, 1}})
            if (t != w) out.push_back({{0, 0}, w, t});
    return out;
}

void Setup(CKelvorDoc& doc, int variant, int size) {
    doc.OpeningBook = false;
    doc.Variant = variant;
    doc.SetBoardSize(size);
}

void PlayLine(CKelvorDoc& doc, const Line& line) {
    for (auto [dx, dy] : line) doc.MakeMove(doc.Centre + dx, doc.Centre + dy);
}

// Black's prospects after the opening, by the engine: two games of level 3 against
// itself from the opening (1000 per black win, 500 per draw), then the level-L search
// value for white to move as a tie-break (the search alone saturates in sharp
// openings).
int BlackAdvantage(const std::string& folder, int variant, int size, const Line& stones,
                   int level) {
    int score = 0;
    for (unsigned seed : {11u, 12u}) {
        CKelvorDoc game(folder, seed);
        Setup(game, variant, size);
        PlayLine(game, stones);
        game.PlayerLevel = {3, 3};
        while (game.GameState != kelvor::kGameOver && game.ComputerMove()) {
        }
        score += game.Winner == kelvor::kBlack ? 1000 : game.Winner == 0 ? 500 : 0;
    }
    CKelvorDoc doc(folder, 12345);
    Setup(doc, variant, size);
    PlayLine(doc, stones);
    doc.PlayerLevel = {0, level};
    return score - doc.Think().value / 100;
}

// A continuation by self-play; line k opens with a move of level k + 1 so that the
// lines of one opening differ, then both sides play at `level`.
Line Continue(const std::string& folder, int variant, int size, const Line& stones, int level,
              int moves, int k) {
    CKelvorDoc doc(folder, 100u + static_cast<unsigned>(k));
    Setup(doc, variant, size);
    PlayLine(doc, stones);
    Line line = stones;
    for (int i = 0; i < moves && doc.GameState != kelvor::kGameOver; ++i) {
        int l = i == 0 ? std::min(k + 1, level) : level;
        doc.PlayerLevel = {l, l};
        kelvor::ThinkResult r = doc.Think();
        if (r.x < 0) break;
        doc.MakeMove(r.x, r.y);
        line.emplace_back(r.x - doc.Centre, r.y - doc.Centre);
    }
    return line;
}

std::string LineText(const Line& line, int variant) {
    const int c = kelvor::BookBoardSize(variant) / 2;
    std::string s;
    for (auto [dx, dy] : line) s += (s.empty() ? "" : " ") + kelvor::CellText(c + dx, c + dy);
    return s;
}

std::vector<Opening> Build(const std::string& folder, int variant, const std::vector<Line>& starts,
                           int level, int perOpening, int moves) {
    const int size = kelvor::BookBoardSize(variant);
    std::vector<Opening> out;
    for (const Line& s : starts) {
        Opening o{s, BlackAdvantage(folder, variant, size, s, level), {}};
        for (int k = 0; k < perOpening; ++k)
            o.lines.push_back(Continue(folder, variant, size, s, level, moves, k));
        std::fprintf(stderr, "%s: black %d\n", LineText(s, variant).c_str(), o.blackValue);
        out.push_back(std::move(o));
    }
    // Most favourable for black first.
    std::stable_sort(out.begin(), out.end(), [](const Opening& a, const Opening& b) {
        return a.blackValue > b.blackValue;
    });
    return out;
}

// sag45.ren: the first line of each opening decides the swap; the white-friendly
// openings start at the lines where the computer keeps white.
std::vector<Line> RenjuTournamentOrder(const std::vector<Opening>& byBlack) {
    const int kNoSwapStrong[] = {6, 49, 135, 137};              // keep white always
    const int kNoSwapMild[] = {19, 79, 91, 109, 114, 117, 124}; // swap one time in five
    size_t total = 0;
    for (const auto& o : byBlack) total += o.lines.size();
    std::vector<Line> slots(total);
    std::vector<bool> used(total, false);
    std::vector<std::pair<int, const Opening*>> special; // first line index, opening
    int n = static_cast<int>(byBlack.size());
    for (int i = 0; i < 4; ++i) special.emplace_back(kNoSwapStrong[i], &byBlack[n - 1 - i]);
    for (int i = 0; i < 7; ++i) special.emplace_back(kNoSwapMild[i], &byBlack[n - 5 - i]);
    for (auto& [at, o] : special) {
        slots[at] = o->lines[0];
        used[at] = true;
    }
    std::vector<Line> blackLines;
    for (int i = 0; i < n - 11; ++i)
        for (const auto& l : byBlack[i].lines) blackLines.push_back(l);
    std::vector<std::pair<int, Line>> extras; // available from a line index on
    for (auto& [at, o] : special)
        for (size_t k = 1; k < o->lines.size(); ++k) extras.emplace_back(at, o->lines[k]);
    size_t nextBlack = 0;
    for (size_t i = 0; i < total; ++i) {
        if (used[i]) continue;
        auto ready = std::find_if(extras.begin(), extras.end(),
                                  [&](const auto& e) { return e.first < static_cast<int>(i); });
        if (nextBlack < blackLines.size() && (ready == extras.end() || i % 2 == 0)) {
            slots[i] = blackLines[nextBlack++];
        } else if (ready != extras.end()) {
            slots[i] = ready->second;
            extras.erase(ready);
        } else if (nextBlack < blackLines.size()) {
            slots[i] = blackLines[nextBlack++];
        }
    }
    return slots;
}

} // namespace

int WriteOpenings(const std::string& dir, int level, int perOpening, int moves) {
    std::string folder = dir + "/";
    auto renju = Build(folder, 0, StandardRenjuOpenings(), level, perOpening, moves);
    auto gomoku = Build(folder, 1, GomokuOpenings(), level, perOpening, moves);

    std::vector<Line> sag45ren = RenjuTournamentOrder(renju);
    // sag45.gmk: lines 0..11 hold the twelve openings best for black, one line each
    // (the computer swaps to black there); the rest follow from line 12.
    std::vector<Line> sag45gmk;
    for (int i = 0; i < 12; ++i) sag45gmk.push_back(gomoku[i].lines[0]);
    for (size_t i = 12; i < gomoku.size(); ++i)
        for (const auto& l : gomoku[i].lines) sag45gmk.push_back(l);
    // Black's book: the openings best for black first; white's: the others first.
    std::vector<Line> blopen, whopen, generalGomoku;
    for (const auto& o : renju)
        for (const auto& l : o.lines) blopen.push_back(l);
    for (auto it = renju.rbegin(); it != renju.rend(); ++it)
        for (const auto& l : it->lines) whopen.push_back(l);
    for (const auto& o : gomoku)
        for (const auto& l : o.lines) generalGomoku.push_back(l);

    std::string text =
        "# kelvor's opening lines: the source of its five opening books.\n"
        "# Written by `kelvor-cli openings data/kelvor` (self-play from the standard openings);\n"
        "# compiled by `kelvor-cli books data/kelvor`. One book line per text line, in book\n"
        "# order (the first is line 0), cells on the book's board (15 x 15 renju, 19 x 19\n"
        "# gomoku). In [opngbk.ren gomoku] the lines follow the renju lines in the same file.\n";
    auto section = [&](const char* name, const std::vector<Line>& lines, int variant) {
        text += std::string("\n[") + name + "]\n";
        for (const auto& l : lines) text += LineText(l, variant) + "\n";
    };
    section("sag45.ren", sag45ren, 0);
    section("sag45.gmk", sag45gmk, 1);
    section("blopen.ren", blopen, 0);
    section("whopen.ren", whopen, 0);
    section("opngbk.ren", blopen, 0);
    section("opngbk.ren gomoku", generalGomoku, 1);
    text +=
        "\n# The openings by the engine's value for black (white to move), best for black first.\n";
    for (const auto& o : renju)
        text += "# " + LineText(o.stones, 0) + "  " + std::to_string(o.blackValue) + "\n";
    for (const auto& o : gomoku)
        text += "# " + LineText(o.stones, 1) + "  " + std::to_string(o.blackValue) + "\n";
    if (platform::WriteFileAtomic(folder + "openings.txt", text) != platform::WriteResult::Ok) {
        std::fprintf(stderr, "kelvor-cli: cannot write %sopenings.txt\n", folder.c_str());
        return 1;
    }
    std::printf("renju lines %zu, gomoku lines %zu\n", sag45ren.size(), sag45gmk.size());
    return 0;
}

} // namespace kelvor_cli
