#pragma once
// TE1Evaluator ("Állás értékelés"): values cells per colour with the tables of
// E1Ertek.dat (code values) and E1Sajat.dat (pair matrix, folded into a four-direction
// table), values whole positions as the difference of both colours' cell sums, and
// values a move one ply ahead including the opponent's best reply.
//
// PositionValue fills the cache (E1Cache) with every listed cell's classes, codes and
// values; MoveValue then updates only the 4 x 8 cells a stone can affect, on an undo
// stack, and leaves board and cache exactly as it found them. CheckCache recomputes
// everything from the board to verify the cache; debug builds run it inside MoveValue.

#include "vorlix/eval/pattern_tables.h"
#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorlix {

struct E1Cache {
    float PositionValue = 0.0f;
    std::int32_t Spare = 0;
    float Marker = 0.0f; // -1 after each position valuation
    // [colour 1..2][cell 1..225]
    std::int32_t Class[3][kCells + 1][4] = {};
    std::int32_t Code[3][kCells + 1][4] = {};
    std::int32_t Value[3][kCells + 1] = {};
    std::int32_t Work[kCells + 1] = {};   // scratch of the move valuation
    std::uint8_t Listed[kCells + 1] = {}; // filled by the last PositionValue
};

class TE1Evaluator : public TKepesseg {
  public:
    explicit TE1Evaluator(TJatekos* owner);
    ~TE1Evaluator() override;

    std::string Name() const override { return "Állás értékelés"; }
    void ShowProperties(TTextList& target) const override;

    // Reads E1Ertek.dat and E1Sajat.dat from `folder`; throws PatternTableError.
    void LoadTables(const std::string& folder);
    void LoadTables() { LoadTables(EngineDataFolder()); }

    // Value of `cell` for `colour`, classified now; pairs whose first class is 0 add
    // nothing.
    std::int32_t FullCellValue(int cell, int colour) const;
    // Classifies the cell's four lines for `colour` into the cache.
    void CacheCell(int cell, int colour);
    // Value from the cached classes and codes (direction table + code values).
    std::int32_t CachedCellValue(int cell, int colour) const;

    // Fills the cache for the listed cells (occupied ones are skipped) and returns
    // (own weight x S_own - S_opp) x multiplier, own = ColourToMove.
    float PositionValue(const std::int32_t* cells, int count);
    // The position value after ColourToMove plays `cell` and the opponent answers on
    // the mover's best cells. Needs PositionValue of the same position.
    float MoveValue(int cell);
    // The cache-free second scoring of the deep search; see the .cpp.
    float SecondScore(int cell);

    // Recomputes the classes, codes and values of every empty cell that the last
    // PositionValue listed and compares them with the cache. Returns false with a
    // description in `why` at the first difference.
    bool CheckCache(std::string* why) const;

    float Szorzo = 0.006f;  // multiplier
    float OwnWeight = 1.0f; // weight of the mover's sum
    std::string FileNames[2] = {"E1Ertek.dat", "E1Sajat.dat"};
    CodeValues CodeValue{};
    PairMatrix Pair{};
    DirectionTable Dir{};
    std::unique_ptr<E1Cache> Cache;
    std::uint8_t CacheOwned = 0;
    std::uint8_t FullValue = 1; // when set, a cell value is never halved
    std::int32_t ReplyCount = 1;
    std::int32_t ReplyWidth = 5;
    std::int32_t FollowUp = 0; // best follow-up cell of the last SecondScore
    std::int32_t Passes = 1;
    float W[15][15] = {}; // proximity weights of SecondScore, [|dX|][|dY|]

  private:
    struct Undo {
        std::int16_t cell, dir;
        std::int32_t cls[3], code[3], value[3]; // [colour]; cls[c] = -1: not saved
    };
    Undo undo_[96];
    int undoTop_ = 0;

    std::int32_t Halve(std::int32_t sum, const std::int32_t* classes) const;
    void Save(int cell, int dir, bool colour1, bool colour2);
    void RestoreTo(int top);
    // Reclassifies in direction `d` the empty cells at -4..+4 around `centre`, for the
    // given colours, adding the value changes to dk (colour k) and dl.
    void Refresh(int centre, int k, std::int32_t* dk, int l, std::int32_t* dl);
};

} // namespace vorlix
