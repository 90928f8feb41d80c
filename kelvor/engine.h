#pragma once
// The thinking object of kelvor: a copy of the position, the cell evaluator built on
// the pattern tables, the renju legality test and the search.
//
// The search is an alpha-beta minimax over explicit per-ply move lists (no
// recursion), at most 20 plies deep. Each ply's moves are the candidate cells valued
// by EvaluateCell, given bonuses, sorted, cut to the ply's width and to the moves
// above the threat threshold; the widths are 26, 24, 22, 20, 18, 16, 14 and then 12 for
// the plies 1, 2, 3, ..., or 199 at every ply with "Hi Breadth". A line ends when a move makes
// five, when the position is found in the hashed arrays, or at the depth limit, where it is valued
// from the values of the moves along it. Values are from the thinking side's point of view: above
// 9999 a won line, below -9999 a lost one.
//
// What makes it fast without changing a move, a value or a node count: the cells'
// line patterns and their sums are kept up to date as stones are put and lifted
// (line_patterns.h, cell_sums.h), a walk of the automaton is remembered by the cells
// around it (line_windows.h), the sort is followed only for the moves that can reach
// the kept places (move_sort.h), and a ply's list is sorted out whole only when its
// second move is wanted: most plies end after their first.

#include "kelvor/board.h"
#include "kelvor/cell_sums.h"
#include "kelvor/line_patterns.h"
#include "kelvor/pattern_tables.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace kelvor {

constexpr int kMaxPly = 20;
constexpr int kHashEntries = 1000000;
constexpr int kWinValue = 12000; // a five at ply P is worth kWinValue - P
constexpr int kRootWin = 30000;  // a five found among the root moves
// Values from kWinThreshold up mean a five; every other cell value and leaf value
// stays below it.
constexpr int kWinThreshold = 10000;

// The value of a cell for the side to move, with its pattern results.
struct CellValue {
    int value = 0;
    int own = 0;                         // the side to move's sum, capped at 12000
    int opp = 0;                         // the opponent sum (zero or negative)
    int ownRecord[4] = {-1, -1, -1, -1}; // per direction, -1 when none
    int oppRecord[4] = {-1, -1, -1, -1};
    bool five = false; // one of the side to move's own patterns is a five
    // Only a five wins: the sum of other patterns (two straight fours, say) is kept
    // below kWinThreshold.
    bool Wins() const { return five; }
};

struct ThinkResult {
    int x = -1, y = -1; // -1 when there is no move
    int value = 0;
    bool fromBook = false;
    bool stopped = false; // the stop flag or the time limit ended the search
    long long nodes = 0;
    int deepest = 0; // the deepest ply at which a move was searched
};

class CKelvorEngine {
  public:
    // `tables` must outlive the engine. The hash values are drawn from `seed`
    // (the current time when not given); the same seed gives the same play.
    explicit CKelvorEngine(const PatternTables* tables, std::optional<uint32_t> seed = {});

    // False when a large allocation failed.
    bool Usable() const { return usable_; }

    // --- the position, copied in by the document before Think ---
    BoardGrid Board{};
    int BoardSize = 15;
    int Centre = 7;
    int Variant = 1; // 0 renju, 1 gomoku
    // Gomoku with exactly five (an overline does not win), for either colour; without
    // it gomoku's five is five or more. Renju ignores it: there only black is exact.
    bool ExactFive = false;
    bool TournamentOpening = false;
    bool VctSearch = false;
    int HiBreadth = 1;
    int HiExtent = 0;
    int ToMove = 1;
    int MoveNo = 1;
    int Level = 1; // 1..12, of the side to move
    // A move from the opening book, played instead of searching when it is free.
    std::optional<std::pair<int, int>> BookMove;
    // Seconds after which any search stops with its best move so far (0: only the
    // frame's rule after move 100).
    int MaxSeconds = 60;

    // --- hooks for the thread that drives the engine ---
    const std::atomic<bool>* StopFlag = nullptr;
    std::function<void(int percent, int x, int y)> OnProgress; // before each root move
    std::function<void(int seconds)> OnElapsed;

    // The candidate distance of a stone: HiExtent + 2 lines.
    int CandidateDistance() const { return HiExtent + 2; }
    // Marks the free cells within the candidate distance of (x, y) as candidates and
    // returns how many it turned.
    int MarkCandidates(int x, int y, std::vector<int>* turned = nullptr);

    // Walks the four lines through the cell on Board now.
    CellValue EvaluateCell(int x, int y) const;
    // The same value read from the line patterns the search keeps (after
    // SyncLinePatterns, PutStone and LiftStone); equal to EvaluateCell whenever they
    // are up to date.
    CellValue EvaluateKept(int x, int y) const;
    // The kept line patterns and cell sums, made again from Board for Variant and
    // ExactFive.
    void SyncLinePatterns();
    // Puts a stone of `colour` on Board at the free cell (x, y) and updates the kept
    // line patterns; LiftStone takes the last one put back off.
    void PutStone(int x, int y, int colour);
    void LiftStone();
    // The full recompute of the kept line patterns and cell sums: empty when they match
    // Board.
    std::string LinePatternMismatch() const;
    // The search keeps its line patterns incrementally; false walks every line at
    // every evaluation instead (the reference the tests compare the search with).
    bool IncrementalPatterns = true;
    // Renju legality of a black move at the free cell (x, y) on Board.
    bool IsLegal(int x, int y);

    // Searches the position and returns the chosen cell and its value.
    ThinkResult Think(const std::vector<int>& record);

    // The depth-limit tables, reset at every Think (exposed for the tests).
    int T1[13] = {};
    int T2[13] = {};

    void Seed(uint32_t seed) { rng_.seed(seed); }

  private:
    struct Move {
        int x, y, value, own, opp;
    };
    struct Ply {
        // The ply's moves in the sorted, cut order. While `pending`, only the first is
        // there and `candidates` wait for the rest (most plies stop after one move).
        std::vector<Move> moves;
        std::vector<Move> candidates; // every candidate with its value, unsorted
        bool pending = false;
        size_t keep = 0; // the width the sort keeps
        int index = 0, alpha = 0, beta = 0, alpha0 = 0, beta0 = 0, best = 0, bestIndex = -1;
        int budget[2] = {3, 3}; // extension budgets: thinking side, opponent
        int depthLimit = 0;
        uint32_t hash1 = 0, hash2 = 0; // of the position at this ply
        int sum[2] = {0, 0};           // move values along the line to here
        int last = 0;                  // the last of them, the move that led here
        std::vector<int> turned;       // candidates made by this ply's move
        bool exact = false;
        int linesMark = -1;     // the line patterns' undo mark of this ply's move, -1 if none
        int threshold = -10000; // the threat threshold of this ply's moves
    };

    // The cell value from the line pattern of each direction, `line(dir)`.
    template <class Lines> CellValue Combine(Lines line) const;
    // The line pattern and the cell sums the search uses: the kept ones, or fresh walks
    // without IncrementalPatterns.
    LinePattern SearchLine(int x, int y, int dir) const;
    CellSum SearchSum(int x, int y) const;
    // Puts Board's new stone at (x, y) into the line patterns and cell sums; UndoLines
    // takes the mark PutLines returned.
    int PutLines(int x, int y);
    void UndoLines(int mark);
    bool Generate(int ply, Ply& p);
    // Sorts p's candidates and cuts them to its width and threshold: its whole move list.
    void FinishMoves(Ply& p);
    // The indexes of p's candidates in the first `top` places of the sort, in sortOrder_.
    void SortCandidates(const Ply& p, size_t top);
    bool ForbiddenForBlack(const CellSum& s, int x, int y);
    void Play(int x, int y, int colour, Ply& p);
    void Unplay(int x, int y, Ply& p);
    // The value of the line that led to `p` by the move at `ply`, from the thinking
    // side's point of view.
    int LeafValue(const Ply& p, int ply);
    int DepthLimit(int ply, int b1, int b2, int carried) const;
    // The value of the position (`check` its second hash) at `ply`, searched with the
    // window (alpha, beta), when the hashed arrays decide it.
    bool HashedValue(int slot, int ply, uint32_t check, int alpha, int beta, int& value) const;
    bool TimeUp();
    enum class BlackMove { Forbidden, Legal, Five };
    // The renju judgement of a black move at (x, y); `depth` counts the key cells of
    // threes tested on the way.
    BlackMove JudgeBlack(int x, int y, int depth);

    const PatternTables* tables_;
    bool usable_ = true;
    std::mt19937 rng_;
    uint32_t hashTable_[2][361] = {};
    std::unique_ptr<uint32_t[]> checkArray_;
    std::unique_ptr<uint8_t[]> plyArray_;
    std::unique_ptr<int16_t[]> valueArray_;
    std::vector<Ply> plies_;
    // The candidate cells of Board during a search, bit x x kMaxSize + y.
    static constexpr int kCandidateWords = (kMaxSize * kMaxSize + 63) / 64;
    uint64_t candidateBits_[kCandidateWords] = {};
    void SetCandidateBit(int x, int y, bool on) {
        const int cell = x * kMaxSize + y;
        const uint64_t bit = uint64_t{1} << (cell % 64);
        candidateBits_[cell / 64] =
            on ? candidateBits_[cell / 64] | bit : candidateBits_[cell / 64] & ~bit;
    }
    LinePatterns lines_;
    CellSums sums_;
    std::vector<int> sortValues_, sortOrder_;
    std::vector<std::pair<int, int>> putStones_; // PutStone's cells, with their marks
    // The defence cells of the ply being generated: at most kMaxDefenceCells of them,
    // marked in defenceStamp_ with the generation's number.
    int defenceCount_ = 0;
    uint32_t defenceGeneration_ = 0;
    uint32_t defenceStamp_[kMaxSize * kMaxSize] = {};
    std::chrono::steady_clock::time_point start_;
    bool tablesLowered_ = false;
    bool stopped_ = false;
    long long nodes_ = 0;
    int deepest_ = 1;
};

} // namespace kelvor
