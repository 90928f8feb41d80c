#include "kelvor/engine.h"

#include "kelvor/move_sort.h"
#include "kelvor/pattern_walk.h"

#include <algorithm>
#include <ctime>
#include <new>
#include <stdexcept>

namespace kelvor {

namespace {

constexpr int kT1[13] = {0, 1, 3, 5, 7, 8, 8, 10, 12, 13, 14, 15, 16};
constexpr int kT2[13] = {0, 1, 5, 7, 8, 10, 12, 14, 16, 17, 17, 18, 18};
constexpr int kInfinity = 1000000;
constexpr int kMaxDefenceCells = 400;
// The hashed arrays' 8-bit ply holds the ply in its low bits and, for a value that is
// only a bound of the node's, which bound it is.
constexpr uint8_t kPlyBits = 0x3f, kLowerBound = 0x40, kUpperBound = 0x80;

// The frame's width limit of a ply.
int FrameWidth(int ply, int hiBreadth) {
    static const int kWidth[] = {26, 24, 22, 20, 18, 16, 14};
    if (hiBreadth == 2) return 199;
    return ply <= 7 ? kWidth[ply - 1] : 12;
}

} // namespace

CKelvorEngine::CKelvorEngine(const PatternTables* tables, std::optional<uint32_t> seed)
    : tables_(tables), rng_(seed ? *seed : static_cast<uint32_t>(std::time(nullptr))),
      lines_(tables) {
    for (auto& table : hashTable_)
        for (auto& h : table) {
            uint64_t r1 = rng_() & 0x7fffffff, r2 = rng_() & 0x7fffffff;
            h = static_cast<uint32_t>((r1 * r2) % 100000000ULL);
        }
    checkArray_.reset(new (std::nothrow) uint32_t[kHashEntries]);
    plyArray_.reset(new (std::nothrow) uint8_t[kHashEntries]);
    valueArray_.reset(new (std::nothrow) int16_t[kHashEntries]);
    usable_ = tables_ && checkArray_ && plyArray_ && valueArray_;
    plies_.resize(kMaxPly + 2);
    for (auto& p : plies_) p.candidates.reserve(kMaxSize * kMaxSize);
    for (auto& row : Board) row.fill(kEmpty);
}

int CKelvorEngine::MarkCandidates(int x, int y, std::vector<int>* turned) {
    int d = CandidateDistance(), count = 0;
    for (int cx = std::max(0, x - d); cx <= std::min(BoardSize - 1, x + d); ++cx)
        for (int cy = std::max(0, y - d); cy <= std::min(BoardSize - 1, y + d); ++cy)
            if (Board[cx][cy] == kEmpty) {
                Board[cx][cy] = kCandidate;
                SetCandidateBit(cx, cy, true);
                if (turned) turned->push_back(cx + cy * kMaxSize);
                ++count;
            }
    return count;
}

template <class Lines> CellValue CKelvorEngine::Combine(Lines line) const {
    CellValue v;
    auto score = [&](int dir, int record, int colour) {
        const int* rec = tables_->Record(record);
        int column = ScoreColumn(rec, Variant, ExactFive, colour);
        if (colour == ToMove) {
            v.own += rec[column];
            v.ownRecord[dir] = record;
            // A five is a kind, not a score: two straight fours add up to a five's
            // score without being one.
            v.five = v.five || KindOf(rec, Variant, ExactFive, colour) == kFive;
        } else {
            v.opp -= rec[column + 1];
            v.oppRecord[dir] = record;
        }
    };
    for (int dir = 0; dir < 4 && !v.five; ++dir) {
        const LinePattern lp = line(dir);
        score(dir, lp.record, lp.colour ? lp.colour : ToMove);
        if (lp.again >= 0) score(dir, lp.again, Other(lp.colour));
    }
    v.own = v.five ? std::clamp(v.own, kWinThreshold, 12000) : std::min(v.own, kWinThreshold - 1);
    v.value = v.own - 4 * v.opp;
    return v;
}

CellValue CKelvorEngine::EvaluateCell(int x, int y) const {
    return Combine([&](int dir) { return WalkLinePattern(*tables_, Board, BoardSize, x, y, dir); });
}

CellValue CKelvorEngine::EvaluateKept(int x, int y) const {
    return Combine([&](int dir) { return lines_.At(x, y, dir); });
}

void CKelvorEngine::PutStone(int x, int y, int colour) {
    Board[x][y] = colour;
    putStones_.emplace_back(x + y * kMaxSize, PutLines(x, y));
}

void CKelvorEngine::LiftStone() {
    if (putStones_.empty()) return;
    const auto [cell, mark] = putStones_.back();
    putStones_.pop_back();
    UndoLines(mark);
    Board[cell % kMaxSize][cell / kMaxSize] = kEmpty;
}

int CKelvorEngine::PutLines(int x, int y) {
    const int mark = lines_.Put(Board, x, y);
    lines_.ForEachChange(mark, [this](int i, const LinePattern& was, const LinePattern& now) {
        sums_.Change(i, was, now);
    });
    return mark;
}

void CKelvorEngine::UndoLines(int mark) {
    lines_.ForEachChange(mark, [this](int i, const LinePattern& was, const LinePattern& now) {
        sums_.Change(i, now, was);
    });
    lines_.Undo(mark);
}

void CKelvorEngine::SyncLinePatterns() {
    sums_.Prepare(*tables_, Variant, ExactFive);
    lines_.Rebuild(Board, BoardSize);
    sums_.Rebuild(lines_, Board, BoardSize);
}

std::string CKelvorEngine::LinePatternMismatch() const {
    const std::string lines = lines_.Mismatch(Board);
    return lines.empty() ? sums_.Mismatch(lines_, Board, BoardSize) : lines;
}

LinePattern CKelvorEngine::SearchLine(int x, int y, int dir) const {
    return IncrementalPatterns ? lines_.At(x, y, dir)
                               : WalkLinePattern(*tables_, Board, BoardSize, x, y, dir);
}

// The search's reading of a cell: the kept sums, or the sums of fresh walks of its lines.
inline CellSum CKelvorEngine::SearchSum(int x, int y) const {
    if (!IncrementalPatterns) {
        const LinePattern lines[4] = {SearchLine(x, y, 0), SearchLine(x, y, 1), SearchLine(x, y, 2),
                                      SearchLine(x, y, 3)};
        return sums_.Of(lines, ToMove);
    }
    const CellSum& s = sums_.At(x, y, ToMove);
#ifndef NDEBUG
    // The debug builds check every kept sum against fresh walks of the lines.
    const LinePattern fresh[4] = {WalkLinePattern(*tables_, Board, BoardSize, x, y, 0),
                                  WalkLinePattern(*tables_, Board, BoardSize, x, y, 1),
                                  WalkLinePattern(*tables_, Board, BoardSize, x, y, 2),
                                  WalkLinePattern(*tables_, Board, BoardSize, x, y, 3)};
    if (!(s == sums_.Of(fresh, ToMove)))
        throw std::logic_error("kelvor cell sums out of date at " + CellText(x, y) + ": " +
                               LinePatternMismatch());
#endif
    return s;
}

bool CKelvorEngine::IsLegal(int x, int y) {
    return JudgeBlack(x, y, 0) != BlackMove::Forbidden;
}

CKelvorEngine::BlackMove CKelvorEngine::JudgeBlack(int x, int y, int depth) {
    int fours = 0, threeRecord[4], threeDir[4], threes = 0;
    bool five = false, overline = false;
    for (int dir = 0; dir < 4; ++dir) {
        int record = lines_.BlackRecord(Board, BoardSize, x, y, dir);
        switch (tables_->Record(record)[kBlackKind]) {
        case kFive:
            five = true;
            break;
        case kOverline:
            overline = true;
            break;
        case kFour:
            ++fours;
            break;
        case kDoubleFour:
            fours += 2;
            break;
        case kThree:
            threeRecord[threes] = record;
            threeDir[threes++] = dir;
            break;
        default:
            break;
        }
    }
    if (five) return BlackMove::Five;
    if (overline || fours >= 2) return BlackMove::Forbidden;
    if (threes < 2 || depth > 8) return BlackMove::Legal;
    // A three is real only when one of its key cells is itself a legal black move
    // with this stone in place, and not a five: a stone that makes five there is a
    // five, not the straight four the three stands for (so a line whose only key is
    // already one of black's five-cells is no three).
    int saved = Board[x][y];
    Board[x][y] = kBlack;
    int real = 0;
    for (int t = 0; t < threes && real < 2; ++t) {
        const int* rec = tables_->Record(threeRecord[t]);
        for (int k = 0; k < rec[kKeyCount]; ++k) {
            int kx = x + rec[kFirstCell + k] * kDirX[threeDir[t]];
            int ky = y + rec[kFirstCell + k] * kDirY[threeDir[t]];
            if (OnBoard(BoardSize, kx, ky) && IsFree(Board[kx][ky]) &&
                JudgeBlack(kx, ky, depth + 1) == BlackMove::Legal) {
                ++real;
                break;
            }
        }
    }
    Board[x][y] = saved;
    return real < 2 ? BlackMove::Legal : BlackMove::Forbidden;
}

// Only a cell where black makes an overline, a double four, or a three or four with a
// second line that may be one can be forbidden; the others skip the legality test.
bool CKelvorEngine::ForbiddenForBlack(const CellSum& s, int x, int y) {
    const int strong = s.Get(CellSum::kStrong);
    if (s.Get(CellSum::kOverline) > 0 || (strong >= 1 && strong + s.Get(CellSum::kUnknown) >= 2))
        return !IsLegal(x, y);
    return false;
}

bool CKelvorEngine::Generate(int ply, Ply& p) {
    p.moves.clear();
    p.candidates.clear();
    p.pending = false;
    p.index = 0;
    p.bestIndex = -1;
    ++defenceGeneration_;
    defenceCount_ = 0;
    auto addDefence = [&](int cell) {
        if (defenceCount_ >= kMaxDefenceCells) return;
        ++defenceCount_;
        defenceStamp_[cell] = defenceGeneration_;
    };
    int threshold = -10000;
    const bool renjuBlack = Variant == 0 && ToMove == kBlack;
    // The opening's moves keep their distance from the centre in the search too.
    const int reach = ComputerOpeningReach(Variant, TournamentOpening, MoveNo + ply - 1);
#ifndef NDEBUG
    // The debug builds check the candidate bits against the board.
    for (int x = 0; x < kMaxSize; ++x)
        for (int y = 0; y < kMaxSize; ++y) {
            const int cell = x * kMaxSize + y;
            const bool bit = (candidateBits_[cell / 64] >> (cell % 64)) & 1;
            if (bit != (x < BoardSize && y < BoardSize && Board[x][y] == kCandidate))
                throw std::logic_error("kelvor candidate bits out of date at " + CellText(x, y));
        }
#endif
    // The candidates in the order of the board's columns, and down each column.
    for (int word = 0; word < kCandidateWords; ++word)
        for (uint64_t bits = candidateBits_[word]; bits != 0; bits &= bits - 1) {
            const int cell = word * 64 + __builtin_ctzll(bits);
            const int x = cell / kMaxSize, y = cell % kMaxSize;
            if (!WithinReach(reach, Centre, x, y)) continue;
            const CellSum s = SearchSum(x, y);
            const bool five = s.Get(CellSum::kFives) > 0;
            // A five of black's is exactly five and always legal; the legality test still
            // guards the win, so that no reading of the tables can make a forbidden
            // cell a won line, at the root or below it.
            const bool forbidden =
                renjuBlack && (ply == 1 || five ? !IsLegal(x, y) : ForbiddenForBlack(s, x, y));
            if (forbidden) continue;
            // Only a five wins: the sum of other patterns (two straight fours, say) is
            // kept below the win threshold.
            const int own =
                five ? std::clamp(s.own, kWinThreshold, 12000) : std::min(s.own, kWinThreshold - 1);
            const int opp = -s.opp, value = own - 4 * opp;
            if (five) {
                p.moves.assign(1, Move{x, y, value, own, opp});
                return true;
            }
            const int threat = s.opp;
            if (threat > 1150)
                threshold = std::max(threshold, 10000);
            else if (threat > 550)
                threshold = std::max(threshold, 2400);
            else if (threat > 160)
                threshold = std::max(threshold, 640);
            // A threat pattern that combines with a three or a four in another
            // direction earns a bonus. A direction is never both a threat and a strong
            // kind, so any strong direction lies in another direction than any threat.
            const int bonus = s.Get(CellSum::kStrong) == 0     ? 0
                              : s.Get(CellSum::kThreat100) > 0 ? 100
                              : s.Get(CellSum::kThreat50) > 0  ? 50
                                                               : 0;
            // The cells that break the opponent's threes and fours made here.
            for (int d = 0; d < 4; ++d) {
                if (!(s.Get(CellSum::kOppStrong) & (1 << d))) continue;
                const LinePattern lp = SearchLine(x, y, d);
                const int* rec = tables_->Record(lp.colour == ToMove ? lp.again : lp.record);
                addDefence(x + y * kMaxSize);
                for (int c = 0; c < rec[kKeyCount] + rec[kDefenceCount]; ++c) {
                    int cx = x + rec[kFirstCell + c] * kDirX[d];
                    int cy = y + rec[kFirstCell + c] * kDirY[d];
                    if (OnBoard(BoardSize, cx, cy)) addDefence(cx + cy * kMaxSize);
                }
            }
            p.candidates.push_back(Move{x, y, value + bonus, own, opp});
        }
    p.threshold = threshold;
    if (threshold >= 640)
        for (auto& m : p.candidates)
            if (defenceStamp_[m.x + m.y * kMaxSize] == defenceGeneration_) m.value += 700;
    p.keep = std::min<size_t>(p.candidates.size(), FrameWidth(ply, HiBreadth));
    if (p.candidates.empty()) return false;
    // The list has a second move when the second largest value lies above the threshold
    // (and the width allows two). Until a second move is wanted only the first is
    // sorted out: the first place of the whole sort is that of a sort for one place.
    int first = -kInfinity, second = -kInfinity;
    for (const Move& m : p.candidates) {
        if (m.value > first) {
            second = first;
            first = m.value;
        } else if (m.value > second) {
            second = m.value;
        }
    }
    const bool more = p.keep >= 2 && second > threshold;
    if (more && ply == 1) {
        FinishMoves(p); // the root's list is shown whole
        return false;
    }
    SortCandidates(p, 1);
    p.moves.assign(1, p.candidates[static_cast<size_t>(sortOrder_[0])]);
    p.pending = more;
    return false;
}

void CKelvorEngine::SortCandidates(const Ply& p, size_t top) {
    // The sort's permutation depends on the values alone.
    sortValues_.resize(p.candidates.size());
    for (size_t i = 0; i < p.candidates.size(); ++i) sortValues_[i] = p.candidates[i].value;
    ShellSortTop(sortValues_, top, sortOrder_);
}

void CKelvorEngine::FinishMoves(Ply& p) {
    SortCandidates(p, p.keep);
    size_t above = 0;
    while (above < p.keep &&
           p.candidates[static_cast<size_t>(sortOrder_[above])].value > p.threshold)
        ++above;
    const size_t count = std::max<size_t>(above, 1);
#ifndef NDEBUG
    if (p.pending && (count < 2 || p.moves.size() != 1 ||
                      p.moves[0].x != p.candidates[static_cast<size_t>(sortOrder_[0])].x ||
                      p.moves[0].y != p.candidates[static_cast<size_t>(sortOrder_[0])].y))
        throw std::logic_error("kelvor move list: the first move sorted alone is not the first");
#endif
    p.moves.resize(count);
    for (size_t i = 0; i < count; ++i)
        p.moves[i] = p.candidates[static_cast<size_t>(sortOrder_[i])];
    p.pending = false;
}

void CKelvorEngine::Play(int x, int y, int colour, Ply& p) {
    Board[x][y] = colour;
    SetCandidateBit(x, y, false);
    p.turned.clear();
    MarkCandidates(x, y, &p.turned);
    ToMove = Other(colour);
}

void CKelvorEngine::Unplay(int x, int y, Ply& p) {
    if (p.linesMark >= 0) {
        UndoLines(p.linesMark);
        p.linesMark = -1;
    }
    for (int c : p.turned) {
        Board[c % kMaxSize][c / kMaxSize] = kEmpty;
        SetCandidateBit(c % kMaxSize, c / kMaxSize, false);
    }
    Board[x][y] = kCandidate;
    SetCandidateBit(x, y, true);
    ToMove = Other(ToMove);
}

int CKelvorEngine::LeafValue(const Ply& p, int ply) {
    const int a = std::min(p.sum[0], 7800), b = std::min(p.sum[1], 7800);
    // The line's value is the difference of the two sides' sums taken half a move
    // before its end: the side that made the last move counts that move half, so that
    // neither side is paid the tempo of moving last. Weighing one side four times,
    // 4 x a - b after the thinking side's moves and a - 4 x b after the opponent's,
    // made every leaf at an odd ply worth about +3 x a and every other leaf about
    // -3 x b: the values flipped sign with the parity of the depth limit (level 12
    // reported -9999 for quiet openings, level 11 +9999), saturated, and leaves of
    // different depths could not be compared.
    const int half = std::min(p.last, 7800) / 2;
    int v = a - b + (ply % 2 == 1 ? -half : half);
    v += static_cast<int>(rng_() % 8);
    if (v == 0) v = 1;
    // A leaf is never a five: its value stays below the win threshold.
    return std::clamp(v, -(kWinThreshold - 1), kWinThreshold - 1);
}

bool CKelvorEngine::HashedValue(int slot, int ply, uint32_t check, int alpha, int beta,
                                int& value) const {
    const uint8_t tag = plyArray_[slot];
    if ((tag & kPlyBits) != ply || checkArray_[slot] != check) return false;
    const int stored = valueArray_[slot];
    // A bound decides the node only when it lies outside the node's window.
    if ((tag & kLowerBound) && stored < beta) return false;
    if ((tag & kUpperBound) && stored > alpha) return false;
    value = stored;
    return true;
}

int CKelvorEngine::DepthLimit(int ply, int b1, int b2, int carried) const {
    const int L = Level;
    if (!VctSearch) return L;
    // The limit is set again from the one the node was searched with: a forcing line
    // extends one ply at a time as long as the budgets and T1, T2 allow, instead of
    // starting over from the level at every ply (which stopped every line at L + 1).
    int d = carried;
    if (b1 < 2 && b2 < 2 && T1[L] <= ply) d = ply;
    if (b1 == 0 && b2 == 0 && L <= ply) d = ply;
    if (L >= ply) d = L;
    if ((b1 > 1 || b2 > 1) && d == ply && T2[L] > ply) d = ply + 1;
    if ((b1 % 2 == 1 || b2 % 2 == 1) && d == ply && T1[L] > ply) d = ply + 1;
    return d;
}

bool CKelvorEngine::TimeUp() {
    if (StopFlag && StopFlag->load(std::memory_order_relaxed)) return true;
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (OnElapsed) OnElapsed(static_cast<int>(s));
    if (MoveNo > 100) {
        if (s > 44) T1[8] = T2[8] = 1;
        if (s > 60) return true;
    } else if (s > 150 && !tablesLowered_) {
        tablesLowered_ = true;
        T1[8] -= 2;
        T2[8] -= 2;
    }
    return MaxSeconds > 0 && s >= MaxSeconds;
}

ThinkResult CKelvorEngine::Think(const std::vector<int>& record) {
    ThinkResult result;
    if (!usable_) return result;
    std::copy(std::begin(kT1), std::end(kT1), T1);
    std::copy(std::begin(kT2), std::end(kT2), T2);
    Level = std::clamp(Level, 1, 12);
    start_ = std::chrono::steady_clock::now();
    tablesLowered_ = stopped_ = false;
    nodes_ = 0;
    deepest_ = 1;

    if (BookMove && OnBoard(BoardSize, BookMove->first, BookMove->second) &&
        IsFree(Board[BookMove->first][BookMove->second]) &&
        WithinReach(ComputerOpeningReach(Variant, TournamentOpening, MoveNo), Centre,
                    BookMove->first, BookMove->second) &&
        !(Variant == 0 && ToMove == kBlack && !IsLegal(BookMove->first, BookMove->second))) {
        result.x = BookMove->first;
        result.y = BookMove->second;
        result.fromBook = true;
        return result;
    }

    uint32_t h1 = 0, h2 = 0;
    for (size_t i = 0; i < record.size(); ++i) {
        uint32_t colour = i % 2 == 0 ? kBlack : kWhite;
        int cell = record[i];
        if (cell < 0 || cell >= 361) continue;
        h1 ^= hashTable_[0][cell] * colour;
        h2 ^= hashTable_[1][cell] * colour;
    }
    std::fill_n(plyArray_.get(), kHashEntries, uint8_t{0});

    Ply& root = plies_[1];
    root.alpha = root.alpha0 = -kInfinity;
    root.beta = root.beta0 = kInfinity;
    root.best = -kInfinity;
    root.budget[0] = root.budget[1] = 3;
    root.depthLimit = Level;
    root.hash1 = h1;
    root.hash2 = h2;
    root.sum[0] = root.sum[1] = root.last = 0;
    SyncLinePatterns();
    std::fill(std::begin(candidateBits_), std::end(candidateBits_), uint64_t{0});
    for (int x = 0; x < BoardSize; ++x)
        for (int y = 0; y < BoardSize; ++y)
            if (Board[x][y] == kCandidate) SetCandidateBit(x, y, true);
    putStones_.clear();
    for (auto& ply : plies_) ply.linesMark = -1;
    bool win = Generate(1, root);
    if (root.moves.empty()) return result;
    // A single move is searched too: its value is a search value like any other (a
    // forced block that loses anyway is worth a loss, not the cell's defence value).
    if (win) {
        result.x = root.moves[0].x;
        result.y = root.moves[0].y;
        result.value = kRootWin;
        return result;
    }

#ifndef NDEBUG
    // The search plays and lifts stones and candidates incrementally; in debug builds
    // the board it leaves is compared with the board it was given.
    const BoardGrid before = Board;
    const int colourBefore = ToMove;
#endif
    int p = 1;
    while (true) {
        Ply& node = plies_[p];
        const bool maximising = p % 2 == 1;
        if (node.pending && node.index == 1 && node.alpha < node.beta && !stopped_)
            FinishMoves(node);
        if (node.index < static_cast<int>(node.moves.size()) && node.alpha < node.beta &&
            !stopped_) {
            int i = node.index++;
            const Move m = node.moves[i];
            if (p == 1 && OnProgress)
                OnProgress(i * 100 / static_cast<int>(node.moves.size()), m.x, m.y);
            if ((++nodes_ & 1023) == 0 && TimeUp()) {
                stopped_ = true;
                continue;
            }
            int value;
            Ply& child = plies_[p + 1];
            int mover = maximising ? 0 : 1;
            // The extension budgets of the forcing search.
            child.budget[0] = node.budget[0];
            child.budget[1] = node.budget[1];
            if (VctSearch && (node.pending || node.moves.size() >= 2)) {
                int& b = child.budget[mover];
                if (m.own < 750 && b > 1 && T1[Level] < p) b -= 2;
                if (m.own < 220 && b > 1) b -= 2;
                if (m.own < 220 && 4 * m.opp + m.value < 100 && b % 2 == 1 && m.value < 3000)
                    b -= 1;
            }
            int limit =
                std::min(DepthLimit(p, child.budget[0], child.budget[1], node.depthLimit), kMaxPly);
            deepest_ = std::max(deepest_, p);
            child.sum[0] = node.sum[0];
            child.sum[1] = node.sum[1];
            // A forced reply (the threshold rose) counts only its own part: the defence
            // it gives was imposed, not earned, and counting it would price every
            // threat at its block. Counted whole, the engine stops attacking: level 2
            // then scored 1-13-36 against level 1 in gomoku, and level 4 lost to
            // level 3.
            child.last = node.threshold > -10000 ? m.own : m.value;
            child.sum[mover] += child.last;
            child.hash1 = node.hash1 ^ hashTable_[0][m.x + m.y * BoardSize] * ToMove;
            child.hash2 = node.hash2 ^ hashTable_[1][m.x + m.y * BoardSize] * ToMove;
            // A leaf is valued from the sums alone: its stone is never put on the board.
            const bool leaf = p >= limit || p >= kMaxPly;
            if (leaf) {
                value = LeafValue(child, p);
            } else {
                Play(m.x, m.y, ToMove, node);
                const int slot = static_cast<int>(child.hash1 % kHashEntries);
                if (!HashedValue(slot, p + 1, child.hash2, node.alpha, node.beta, value)) {
                    // Only a node that generates its moves needs the line patterns of its
                    // position: leaves and positions found in the hashed arrays skip it.
                    if (IncrementalPatterns) node.linesMark = PutLines(m.x, m.y);
                    bool childWins = Generate(p + 1, child);
                    if (childWins) {
                        // The side to move at the child makes five.
                        value = (p + 1) % 2 == 1 ? kWinValue - (p + 1) : -(kWinValue - (p + 1));
                    } else if (child.moves.empty()) {
                        value = 0; // the board is full: a draw
                    } else {
                        child.alpha = child.alpha0 = node.alpha;
                        child.beta = child.beta0 = node.beta;
                        child.best = (p + 1) % 2 == 1 ? -kInfinity : kInfinity;
                        child.depthLimit = limit;
                        p = p + 1;
                        continue;
                    }
                }
                Unplay(m.x, m.y, node);
            }
            if (maximising ? value > node.best : value < node.best) {
                node.best = value;
                node.bestIndex = i;
            }
            if (maximising)
                node.alpha = std::max(node.alpha, value);
            else
                node.beta = std::min(node.beta, value);
            continue;
        }
        // Node p is finished.
        if (p == 1) break;
        int value = node.bestIndex >= 0 ? node.best : LeafValue(node, p - 1);
        if (node.bestIndex >= 0 && !stopped_) {
            // A value outside the window the node was searched with is a bound: the
            // search stopped at a move good enough for one side, or every move was
            // worse than a line the other side already has.
            uint8_t tag = static_cast<uint8_t>(p);
            if (value <= node.alpha0)
                tag |= kUpperBound;
            else if (value >= node.beta0)
                tag |= kLowerBound;
            const int slot = static_cast<int>(node.hash1 % kHashEntries);
            checkArray_[slot] = node.hash2;
            plyArray_[slot] = tag;
            valueArray_[slot] = static_cast<int16_t>(value);
        }
        if (node.depthLimit == p + 1 && !stopped_ && TimeUp()) stopped_ = true;
        p = p - 1;
        Ply& parent = plies_[p];
        const Move& m = parent.moves[parent.index - 1];
        Unplay(m.x, m.y, parent);
        if (stopped_) continue; // an unfinished line says nothing
        const bool parentMax = p % 2 == 1;
        if (parentMax ? value > parent.best : value < parent.best) {
            parent.best = value;
            parent.bestIndex = parent.index - 1;
        }
        if (parentMax)
            parent.alpha = std::max(parent.alpha, value);
        else
            parent.beta = std::min(parent.beta, value);
    }
#ifndef NDEBUG
    if (Board != before || ToMove != colourBefore)
        throw std::logic_error("kelvor search left the board changed");
#endif
    int best = root.bestIndex >= 0 ? root.bestIndex : 0;
    result.x = root.moves[best].x;
    result.y = root.moves[best].y;
    // Stopped before the first root move was searched, the search knows no value.
    result.value = root.bestIndex >= 0 ? root.best : 0;
    result.stopped = stopped_;
    result.nodes = nodes_;
    result.deepest = deepest_;
    return result;
}

} // namespace kelvor
