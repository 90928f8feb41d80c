#pragma once
// The threat table of one colour: for every cell of the board, what a stone of that
// colour there would make along each of the four lines through it (five, open four,
// four with its completion cell, open three, nothing), the summary of the four lines,
// and the sets the threat-sequence search walks: the four-cells, the three-cells and
// the open threes already standing on the board.
//
// Everything here is a function of Tabla. Compute() builds the whole table;
// CellChanged(c) brings it up to date after the state of cell c changed, touching only
// the cells within four steps of c on its four lines, which are the only cells whose
// classification reads c. The search keeps one table per colour this way while it puts
// stones down (Push, which also remembers what it overwrote) and lifts them (Pop), and
// in debug builds checks every update against a fresh Compute() (Differences).

#include "vorlix/game/board.h"

#include <cstdint>
#include <string>

namespace vorlix {

// A set of cells 1..225 as a bit set; iteration is in cell order.
class TCellSet {
  public:
    bool Has(int cell) const { return (w_[cell >> 6] >> (cell & 63)) & 1u; }
    void Add(int cell) { w_[cell >> 6] |= std::uint64_t{1} << (cell & 63); }
    void Remove(int cell) { w_[cell >> 6] &= ~(std::uint64_t{1} << (cell & 63)); }
    void Set(int cell, bool in) {
        const std::uint64_t bit = std::uint64_t{1} << (cell & 63);
        std::uint64_t& w = w_[cell >> 6];
        w = (w & ~bit) | ((std::uint64_t{0} - in) & bit);
    }
    bool Empty() const { return (w_[0] | w_[1] | w_[2] | w_[3]) == 0; }
    int Count() const;
    // First cell of the set, or 0 when it is empty.
    int First() const { return Next(0); }
    // First cell of the set after `cell`, or 0 when there is none.
    int Next(int cell) const;
    // The cells of this set that are not in `other`.
    TCellSet Minus(const TCellSet& other) const;
    friend bool operator==(const TCellSet&, const TCellSet&) = default;

  private:
    std::uint64_t w_[4] = {};
};

// The on-board cells at distance 1..4 on both sides of a cell along one direction,
// nearest first (1 back, 1 forward, 2 back, ...).
struct TNeighbourLine {
    std::uint8_t Count = 0;
    std::uint8_t Cells[8] = {};
};

// Neighbour lines of every cell and direction, and per cell the union of its four
// lines. Built from LineCells on first use.
struct TNeighbourTable {
    TNeighbourLine Lines[kCells + 1][4];
    TCellSet Near[kCells + 1];
};
const TNeighbourTable& NeighbourTable();

class TThreatTable {
  public:
    explicit TThreatTable(std::uint8_t colour = kBlack) : colour_(colour) {}

    std::uint8_t Colour() const { return colour_; }
    void SetColour(std::uint8_t colour) { colour_ = colour; }

    // The whole table from Tabla.
    void Compute();
    // Brings the table up to date after the state of `cell` changed.
    void CellChanged(int cell);
    // The same for a stone just put on `cell`, remembering the entries it overwrote;
    // Pop() restores them once the stone is lifted again, without classifying anything.
    // Pushes and pops nest (last in, first out); Compute() forgets them.
    void Push(int cell);
    void Pop();

    // ThreatCode (0, 1, 5, 21, 85) of the line through `cell` in direction `dir` with the
    // cell counted as this colour's stone; 0 for a cell holding the other colour.
    std::uint8_t Code(int cell, int dir) const { return code_[cell][dir]; }
    // For code 21: the cell that completes the four to five; otherwise 0.
    std::uint8_t Completion(int cell, int dir) const { return completion_[cell][dir]; }
    // Of an empty cell: 1 when some direction gives five; else 5 for an open four or
    // fours in two directions; else 21 for one four; else 85 for an open three; else 0.
    // 0 for an occupied cell.
    std::uint8_t Summary(int cell) const { return summary_[cell]; }
    // Of a cell with summary 21: the direction of its four, and its completion cell.
    int FourDirection(int cell) const;
    std::uint8_t FourCompletion(int cell) const { return completion_[cell][FourDirection(cell)]; }
    // Empty cells with summary 5 or 21.
    const TCellSet& FourCells() const { return fourCells_; }
    // Empty cells with summary 85 (an open three and no four), and the first direction
    // of the open three.
    const TCellSet& ThreeCells() const { return threeCells_; }
    int ThreeDirection(int cell) const { return threeDirection_[cell]; }
    // Stones of this colour that belong to an open three on the board; the directions
    // of their threes as bits 0..3.
    const TCellSet& ThreeStones() const { return threeStones_; }
    bool HasExistingThree() const { return !threeStones_.Empty(); }
    // The first open three on the board (its lowest stone, then its lowest direction);
    // false when there is none.
    bool FirstExistingThree(int& stone, int& dir) const;
    // True when a stone of this colour stands in a five.
    bool HasFive() const { return !fiveStones_.Empty(); }

    // Empty when both tables hold the same, otherwise where they first differ.
    std::string Differences(const TThreatTable& other) const;

  private:
    // True when the code or the completion cell changed.
    bool ComputeLine(int cell, int dir);
    void Summarise(int cell);

    // One overwritten entry of code_ and completion_.
    struct TUndo {
        std::uint8_t cell, dir, code, completion;
    };
    static constexpr int kMaxUndo = 4 * 9; // the cell's own four lines and 8 cells on each

    std::uint8_t colour_;
    std::uint8_t code_[kCells + 1][4] = {};
    std::uint8_t completion_[kCells + 1][4] = {};
    std::uint8_t summary_[kCells + 1] = {};
    std::uint8_t threeDirection_[kCells + 1] = {};
    std::uint8_t threeMask_[kCells + 1] = {};
    TCellSet fourCells_, threeCells_, threeStones_, fiveStones_;
    TUndo undo_[kCells * kMaxUndo];
    int undoTop_ = 0;
    std::uint16_t frameStart_[kCells + 1] = {};
    std::uint8_t frameCell_[kCells + 1] = {};
    int frames_ = 0;
};

} // namespace vorlix
