// kelvor-cli openings: writes the source of kelvor's five opening books.
//
// The lines start from the 26 standard renju openings (black on the centre, white
// next to it directly or diagonally, the third stone within two lines) and from two
// dozen three-stone gomoku openings, no two of them the same under a symmetry of the
// board. Each opening gets several lines: each line plays one of the best few moves at
// the moves 4, 5 and 6 (ranked by a search of the answer to each), then the engine
// plays itself at the line's level with a seed of the line's own. A line that repeats another
// of its opening (the same moves, or all of them at the start of the other, under any
// of the eight symmetries) is played again with another seed, or dropped. The
// engine's judgement of each opening decides which openings go to the book line
// numbers that steer the swap decision. The lines are written to DIR/openings.txt,
// readable; `kelvor-cli books DIR` compiles them into the book files.
//
// Everything is seeded: the same options give the same file on any machine (no time
// limit cuts a search short).

#include "kelvor/kelvor_doc.h"
#include "kelvor/opening_book.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvor_cli {

namespace {

struct OpeningsOptions {
    int level = 8;      // the self-play's level
    int perOpening = 7; // lines per opening
    int moves = 9;      // moves after the three opening stones
    uint32_t seed = 1;
};

using kelvor::CKelvorDoc;
using Cell = std::pair<int, int>; // a displacement from the centre
using Line = kelvor::DisplacedLine;
using kelvor::Canonical;
using kelvor::Covers;

// Lines vary at the moves 4, 5 and 6, each among at most kReplies replies whose value
// lies within kReplyMargin of the best.
constexpr int kReplies = 3;
constexpr int kReplyMargin = 1500;
// Cells the evaluator likes best, searched as replies besides the engine's own move.
constexpr int kReplyCandidates = 6;
// The levels of the self-play games that judge an opening.
constexpr int kJudgeLevels[] = {5, 6};

bool Repeats(const Line& a, const Line& b) {
    return Covers(a, b) || Covers(b, a);
}

// Fails when two openings of the list are one under a symmetry.
void CheckDistinct(const std::vector<Line>& openings) {
    for (size_t i = 0; i < openings.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (Canonical(openings[i]) == Canonical(openings[j]))
                throw std::logic_error("two openings of the list are the same");
}

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
    CheckDistinct(out);
    return out;
}

// White within two lines of the centre (the tournament allows three), black's second
// stone beside or one line from the first; a third stone that is the mirror image of
// an earlier one across white's line is left out.
std::vector<Line> GomokuOpenings() {
    std::vector<Line> out;
    for (Cell w : {Cell{0, 1}, Cell{1, 1}, Cell{0, 2}, Cell{2, 2}, Cell{1, 2}})
        for (Cell t :
             {Cell{1, 0}, Cell{-1, 0}, Cell{1, -1}, Cell{2, 0}, Cell{0, -2}, Cell{-1, 1}}) {
            if (out.size() == 24) break;
            const Line o = {{0, 0}, w, t};
            if (t == w || std::any_of(out.begin(), out.end(),
                                      [&](const Line& l) { return Canonical(l) == Canonical(o); }))
                continue;
            out.push_back(o);
        }
    CheckDistinct(out);
    return out;
}

std::string LineText(const Line& line, int variant) {
    const int c = kelvor::BookBoardSize(variant) / 2;
    std::string s;
    for (auto [dx, dy] : line) s += (s.empty() ? "" : " ") + kelvor::CellText(c + dx, c + dy);
    return s;
}

// One variant's self-play on the book's board, under the tournament opening's
// distances (the lines serve the tournament books); one document for all searches,
// each search seeded of its own.
class SelfPlay {
  public:
    SelfPlay(const std::string& folder, int variant, const OpeningsOptions& o)
        : doc_(folder, o.seed), variant_(variant), options_(o) {
        doc_.OpeningBook = false;
        doc_.TournamentOpening = true;
        doc_.AskSwap = [] { return false; };
        doc_.MaxSeconds = 0; // a time limit would make the lines depend on the machine
        doc_.Variant = variant;
        doc_.SetBoardSize(kelvor::BookBoardSize(variant));
    }

    // The moves on an empty board; false when the game ended before the last one.
    bool Replay(const Line& line) {
        doc_.NewGame();
        for (auto [dx, dy] : line) {
            if (doc_.GameState == kelvor::kGameOver) return false;
            doc_.MakeMove(doc_.Centre + dx, doc_.Centre + dy);
        }
        return doc_.GameState != kelvor::kGameOver;
    }

    kelvor::ThinkResult Search(int level, uint32_t seed) {
        doc_.PlayerLevel = {level, level};
        doc_.Engine().Seed(seed);
        return doc_.Think();
    }

    // The replies to `line` worth starting book lines with, best first, each with its
    // value for the side that plays it: the engine's own move and the cells the
    // evaluator likes best, each valued by the search of the answer to it (one level
    // lower, so that the whole looks as far ahead as the engine's own search). A reply
    // that loses, or that is the image of a better one under a symmetry of the line, is
    // left out.
    std::vector<std::pair<Cell, int>> Replies(const Line& line, uint32_t seed) {
        std::vector<std::pair<Cell, int>> out;
        if (!Replay(line)) return out;
        const kelvor::ThinkResult own = Search(options_.level, seed);
        if (own.x < 0) return out;
        std::vector<Cell> cells = {{own.x - doc_.Centre, own.y - doc_.Centre}};
        std::vector<std::pair<int, Cell>> byValue;
        const int n = doc_.BoardSize;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                if (doc_.Board[x][y] != kelvor::kCandidate || (x == own.x && y == own.y)) continue;
                if (!kelvor::WithinReach(kelvor::ComputerOpeningReach(variant_, true, doc_.MoveNo),
                                         doc_.Centre, x, y))
                    continue;
                if (variant_ == 0 && doc_.ToMove == kelvor::kBlack && !doc_.IsLegal(x, y)) continue;
                byValue.emplace_back(-doc_.Engine().EvaluateCell(x, y).value,
                                     Cell{x - doc_.Centre, y - doc_.Centre});
            }
        std::sort(byValue.begin(), byValue.end());
        for (size_t i = 0; i < byValue.size() && i < kReplyCandidates; ++i)
            cells.push_back(byValue[i].second);
        for (const Cell& c : cells) {
            Line next = line;
            next.push_back(c);
            if (std::any_of(out.begin(), out.end(), [&](const auto& r) {
                    Line other = line;
                    other.push_back(r.first);
                    return Repeats(next, other);
                }))
                continue;
            int value = kelvor::kWinValue; // a five ends the game at once
            if (Replay(next)) {
                const kelvor::ThinkResult answer = Search(std::max(1, options_.level - 1), seed);
                value = answer.x < 0 ? 0 : -answer.value;
            }
            out.emplace_back(c, value);
        }
        std::stable_sort(out.begin(), out.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        const int best = out.front().second;
        std::vector<std::pair<Cell, int>> kept;
        for (const auto& r : out)
            if (kept.empty() ||
                (r.second > -kelvor::kWinThreshold && r.second >= best - kReplyMargin &&
                 static_cast<int>(kept.size()) < kReplies))
                kept.push_back(r);
        return kept;
    }

    // Plays on from `line` at the line's level until it holds `length` moves, the
    // game ends, or a side sees the game decided (a line past that point teaches
    // nothing: the engine finds the win itself).
    Line Continue(Line line, size_t length, uint32_t seed) {
        if (!Replay(line)) return line;
        doc_.PlayerLevel = {options_.level, options_.level};
        doc_.Engine().Seed(seed);
        while (line.size() < length && doc_.GameState != kelvor::kGameOver) {
            const kelvor::ThinkResult r = doc_.Think();
            if (r.x < 0 || std::abs(r.value) >= kelvor::kWinThreshold) break;
            doc_.MakeMove(r.x, r.y);
            line.emplace_back(r.x - doc_.Centre, r.y - doc_.Centre);
        }
        return line;
    }

    // Black's score in self-play games from the opening, 0 to 1000 (all lost to all
    // won, a draw half a win): one game per fourth move of `replies` and level of
    // kJudgeLevels, so that the games differ (the same start at the same level plays
    // much the same game whatever the seed).
    int GamesForBlack(const Line& stones, const std::vector<std::pair<Cell, int>>& replies,
                      uint32_t seed) {
        int points = 0, games = 0;
        for (const auto& reply : replies)
            for (int level : kJudgeLevels) {
                Line start = stones;
                start.push_back(reply.first);
                if (!Replay(start)) continue;
                doc_.PlayerLevel = {level, level};
                doc_.Engine().Seed(seed + static_cast<uint32_t>(games));
                while (doc_.GameState != kelvor::kGameOver && doc_.ComputerMove()) {
                }
                points += doc_.Winner == kelvor::kBlack ? 2 : doc_.Winner == 0 ? 1 : 0;
                ++games;
            }
        return games ? points * 500 / games : 500;
    }

  private:
    CKelvorDoc doc_;
    int variant_;
    OpeningsOptions options_;
};

struct Opening {
    Line stones;        // the first three
    int blackValue = 0; // black's prospects by the engine, higher better for black
    std::vector<Line> lines;
};

// The seed of one search or game, from the run's seed and what it is for.
uint32_t SeedOf(uint32_t base, int opening, int what) {
    return base * 2654435761u + static_cast<uint32_t>(opening) * 7919u +
           static_cast<uint32_t>(what) * 104729u;
}

// The lines of one opening. Each starts with ranked replies for the moves 4, 5 and 6
// (rank 0 the best), the rank tuples in the order of their sum, a deviation at an
// earlier move first; then it is played on by self-play.
Opening Judge(SelfPlay& play, const Line& stones, int index, const OpeningsOptions& o) {
    Opening out;
    out.stones = stones;
    const size_t length = stones.size() + static_cast<size_t>(o.moves);
    // The ranked replies to each start met, and the code of its ranks for the seeds.
    std::map<Line, std::vector<std::pair<Cell, int>>> replies;
    auto ranked = [&](const Line& start, int code) -> const std::vector<std::pair<Cell, int>>& {
        auto it = replies.find(start);
        if (it == replies.end())
            it = replies.emplace(start, play.Replies(start, SeedOf(o.seed, index, code))).first;
        return it->second;
    };
    const auto& fourth = ranked(stones, 1);
    // The judgement: self-play games, then white's value of its best fourth move as the
    // tie-break (the games alone score many openings alike).
    const int whiteValue = fourth.empty() ? 0 : fourth.front().second;
    out.blackValue =
        play.GamesForBlack(stones, fourth, SeedOf(o.seed, index, 2)) * 4 - whiteValue / 100;
    if (fourth.empty() || length <= stones.size()) return out;

    std::vector<std::vector<int>> tuples;
    for (int t = 0; t < kReplies * kReplies * kReplies; ++t)
        tuples.push_back({t / (kReplies * kReplies), t / kReplies % kReplies, t % kReplies});
    std::stable_sort(tuples.begin(), tuples.end(), [](const auto& a, const auto& b) {
        const int sa = a[0] + a[1] + a[2], sb = b[0] + b[1] + b[2];
        return sa != sb ? sa < sb : a > b;
    });
    for (const auto& ranks : tuples) {
        if (static_cast<int>(out.lines.size()) >= o.perOpening) break;
        Line start = stones;
        int code = 1;
        bool exists = true;
        for (int r : ranks) {
            if (start.size() >= length) {
                exists = exists && r == 0; // a line too short to vary here
                continue;
            }
            const auto& choices = ranked(start, code);
            if (r >= static_cast<int>(choices.size())) {
                exists = false;
                break;
            }
            start.push_back(choices[static_cast<size_t>(r)].first);
            code = code * (kReplies + 1) + r + 1;
        }
        if (!exists) continue;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const Line line =
                play.Continue(start, length, SeedOf(o.seed, index, code + 1000 * attempt));
            if (std::none_of(out.lines.begin(), out.lines.end(),
                             [&](const Line& l) { return Repeats(l, line); })) {
                out.lines.push_back(line);
                break;
            }
        }
    }
    return out;
}

std::vector<Opening> Build(const std::string& folder, int variant, const std::vector<Line>& starts,
                           const OpeningsOptions& o) {
    SelfPlay play(folder, variant, o);
    std::vector<Opening> out;
    const auto begin = std::chrono::steady_clock::now();
    for (size_t i = 0; i < starts.size(); ++i) {
        out.push_back(Judge(play, starts[i], static_cast<int>(i) + 100 * variant, o));
        const Opening& op = out.back();
        std::string lengths;
        for (const auto& l : op.lines) lengths += " " + std::to_string(l.size());
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        std::fprintf(stderr, "%s %zu/%zu %s: black %d, lines of%s moves, %.0f s\n",
                     variant ? "gomoku" : "renju", i + 1, starts.size(),
                     LineText(op.stones, variant).c_str(), op.blackValue, lengths.c_str(), seconds);
    }
    // Most favourable for black first.
    std::stable_sort(out.begin(), out.end(), [](const Opening& a, const Opening& b) {
        return a.blackValue > b.blackValue;
    });
    return out;
}

// sag45.ren: the first line of each opening decides the swap; the white-friendly
// openings start at the lines where the computer keeps white, their other lines come
// after that one.
std::vector<Line> RenjuTournamentOrder(const std::vector<Opening>& byBlack) {
    const int kNoSwapStrong[] = {6, 49, 135, 137};              // keep white always
    const int kNoSwapMild[] = {19, 79, 91, 109, 114, 117, 124}; // swap one time in five
    size_t total = 0;
    for (const auto& o : byBlack) total += o.lines.size();
    const int n = static_cast<int>(byBlack.size());
    if (total <= 137 || n < 11)
        throw std::runtime_error("sag45.ren needs 138 lines of 11 openings or more; " +
                                 std::to_string(total) + " were made (raise --lines)");
    std::vector<Line> slots(total);
    std::vector<bool> used(total, false);
    std::vector<std::pair<int, const Opening*>> special; // first line index, opening
    for (int i = 0; i < 4; ++i) special.emplace_back(kNoSwapStrong[i], &byBlack[n - 1 - i]);
    for (int i = 0; i < 7; ++i) special.emplace_back(kNoSwapMild[i], &byBlack[n - 5 - i]);
    for (auto& [at, o] : special) {
        if (o->lines.empty()) throw std::runtime_error("an opening without lines");
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
    std::vector<Line> out;
    for (size_t i = 0; i < total; ++i) {
        if (used[i]) {
            out.push_back(slots[i]);
            continue;
        }
        auto ready = std::find_if(extras.begin(), extras.end(),
                                  [&](const auto& e) { return e.first < static_cast<int>(i); });
        if (nextBlack < blackLines.size() && (ready == extras.end() || i % 2 == 0)) {
            out.push_back(blackLines[nextBlack++]);
        } else if (ready != extras.end()) {
            out.push_back(ready->second);
            extras.erase(ready);
        } else if (nextBlack < blackLines.size()) {
            out.push_back(blackLines[nextBlack++]);
        } else if (std::find(used.begin() + static_cast<long>(i), used.end(), true) != used.end()) {
            // Only lines of special openings are left, and they cannot come before
            // their first line: a gap would move the steering lines.
            throw std::runtime_error("sag45.ren: too few lines of the other openings");
        } else {
            break;
        }
    }
    return out;
}

// sag45.gmk: lines 0..11 hold twelve openings good for black, one line each (a
// computer white swaps there); the lines of the others follow from line 12. At the
// second move a game looks only from line 12 on, and a game whose second stone no
// line there holds leaves the book: so an opening goes below 12 only while another
// opening with its second stone stays above. Otherwise the best for black go first.
std::vector<Line> GomokuTournamentOrder(const std::vector<Opening>& byBlack) {
    auto second = [](const Opening& o) { return Canonical({o.stones[0], o.stones[1]}); };
    std::vector<bool> swap(byBlack.size(), false);
    int chosen = 0;
    for (size_t i = 0; i < byBlack.size() && chosen < 12; ++i) {
        int others = 0; // openings with the same second stone that would stay above
        for (size_t j = 0; j < byBlack.size(); ++j)
            others += j != i && !swap[j] && second(byBlack[j]) == second(byBlack[i]);
        if (others == 0 || byBlack[i].lines.empty()) continue;
        swap[i] = true;
        ++chosen;
    }
    std::vector<Line> out;
    for (size_t i = 0; i < byBlack.size(); ++i)
        if (swap[i]) out.push_back(byBlack[i].lines[0]);
    if (out.size() != 12) throw std::runtime_error("sag45.gmk: fewer than 12 swap openings");
    for (size_t i = 0; i < byBlack.size(); ++i)
        if (!swap[i])
            for (const auto& l : byBlack[i].lines) out.push_back(l);
    return out;
}

// A book file must not repeat a line; the openings are distinct and each opening's
// lines were checked as they were made, so this only guards the assembly.
void CheckNoRepeats(const char* name, const std::vector<Line>& lines) {
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (Repeats(lines[i], lines[j]))
                throw std::logic_error(std::string(name) + ": line " + std::to_string(i) +
                                       " repeats line " + std::to_string(j));
}

} // namespace

int WriteOpenings(const std::string& dir, int level, int perOpening, int moves, uint32_t seed) {
    const OpeningsOptions o{level, perOpening, moves, seed};
    const std::string folder = dir + "/";
    const auto begin = std::chrono::steady_clock::now();
    std::vector<Opening> renju, gomoku;
    try {
        renju = Build(folder, 0, StandardRenjuOpenings(), o);
        gomoku = Build(folder, 1, GomokuOpenings(), o);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvor-cli: %s\n", e.what());
        return 1;
    }
    std::vector<Line> sag45ren, sag45gmk;
    try {
        sag45ren = RenjuTournamentOrder(renju);
        sag45gmk = GomokuTournamentOrder(gomoku);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvor-cli: %s\n", e.what());
        return 1;
    }
    // Black's book: the openings best for black first; white's: the others first.
    std::vector<Line> blopen, whopen, generalGomoku;
    for (const auto& op : renju)
        for (const auto& l : op.lines) blopen.push_back(l);
    for (auto it = renju.rbegin(); it != renju.rend(); ++it)
        for (const auto& l : it->lines) whopen.push_back(l);
    for (const auto& op : gomoku)
        for (const auto& l : op.lines) generalGomoku.push_back(l);
    try {
        CheckNoRepeats("sag45.ren", sag45ren);
        CheckNoRepeats("sag45.gmk", sag45gmk);
        CheckNoRepeats("blopen.ren", blopen);
        CheckNoRepeats("opngbk.ren gomoku", generalGomoku);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvor-cli: %s\n", e.what());
        return 1;
    }

    const std::string command = "kelvor-cli openings " + dir + " --level " +
                                std::to_string(o.level) + " --lines " +
                                std::to_string(o.perOpening) + " --moves " +
                                std::to_string(o.moves) + " --seed " + std::to_string(o.seed);
    std::string text =
        "# kelvor's opening lines: the source of its five opening books.\n"
        "# Written by `" +
        command + "`\n# (self-play from the standard openings); compiled by `kelvor-cli books " +
        dir +
        "`.\n"
        "# One book line per text line, in book order (the first is line 0), cells on the\n"
        "# book's board (15 x 15 renju, 19 x 19 gomoku). In [opngbk.ren gomoku] the lines\n"
        "# follow the renju lines in the same file. No line of a file repeats another or\n"
        "# the start of another under a symmetry of the board.\n";
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
    text += "\n# The openings by the engine's value for black (white to move), best for black "
            "first.\n";
    for (const auto& op : renju)
        text += "# " + LineText(op.stones, 0) + "  " + std::to_string(op.blackValue) + "\n";
    for (const auto& op : gomoku)
        text += "# " + LineText(op.stones, 1) + "  " + std::to_string(op.blackValue) + "\n";
    // The reader takes 30000 bytes and 1000 lines of a book: a larger one would be cut
    // without a word.
    try {
        for (const auto& [name, bytes] : kelvor::CompileOpeningBooks(text))
            if (bytes.size() > static_cast<size_t>(kelvor::kBookMaxBytes))
                throw std::runtime_error(name + " would take " + std::to_string(bytes.size()) +
                                         " bytes, more than a book may (lower --lines or --moves)");
        for (const auto* lines : {&sag45ren, &sag45gmk, &generalGomoku})
            if (lines->size() > static_cast<size_t>(kelvor::kBookMaxLines))
                throw std::runtime_error("a book would hold more than 1000 lines");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvor-cli: %s\n", e.what());
        return 1;
    }
    if (platform::WriteFileAtomic(folder + "openings.txt", text) != platform::WriteResult::Ok) {
        std::fprintf(stderr, "kelvor-cli: cannot write %sopenings.txt\n", folder.c_str());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf("renju lines %zu, gomoku lines %zu, %.0f s\n", sag45ren.size(), sag45gmk.size(),
                seconds);
    return 0;
}

} // namespace kelvor_cli
