#pragma once
// TJatekos: the base of every player (the human, the internal players, the players
// of plug-in libraries), and its default move procedure.
//
// The default Move, which internal players build on:
//   clear ValueArray and the alternatives -> Evaluate -> CollectBest -> ChooseAlternative
//   -> ChosenMove := the chosen alternative -> AfterChoice.
// A position that forces the move (an own five to complete, or the opponent's only
// five-cell to stop: forced_move.h) skips all of that: the forced cell is the move, for
// every player built on this procedure, whatever its evaluation would say.
// Evaluate fills ValueArray (or the alternatives themselves, for a proved win);
// CollectBest turns the values of the empty cells into alternatives; ChooseAlternative
// draws one with weights; AfterChoice may still change ChosenMove.
//
// The virtual operations keep this order in every player class; a derived class
// overrides some of them and may append new ones after ShowProperties, never insert.
// A player object lives for one game; the game controller owns it.

#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vorlix {

class TJatekos {
  public:
    TJatekos() = default;
    TJatekos(const TJatekos&) = delete;
    TJatekos& operator=(const TJatekos&) = delete;

    // 1. Done: destroys the player. The base frees the ability list (not the
    //    abilities: the class that created them destroys them in its own destructor).
    virtual ~TJatekos();
    // 2. Computes the move for ColourToMove and writes it to ChosenMove.
    virtual void Move();
    // 3. Whether the player can take part in the opening procedure (base: true).
    virtual bool CanOfferOpening();
    // 4. Places the first two opening stones, black then white, with RecordMove.
    virtual void OfferOpen1();
    // 5. Places three further opening stones, black, white, black.
    virtual void OfferOpen2();
    // 6. Decision on an offered five-stone opening: true = take white (colours change).
    virtual bool ChOpening();
    // 7. Fills ValueArray (or the alternatives) for the position (base: nothing).
    virtual void Evaluate();
    // 8. Turns ValueArray into alternatives (see the .cpp for the rules).
    virtual void CollectBest();
    // 9. Index 1..AlNum of the chosen alternative (weighted random choice).
    virtual int ChooseAlternative();
    // 10. Called after ChosenMove was set from the choice; may revise it (base: nothing).
    virtual void AfterChoice();
    // 11. Stores the playing level.
    virtual void SetLevel(int level);
    // 12. Work of the information panel's debug button 1..3 (base: nothing).
    virtual void DebugAction(int button);
    // 13. Kept so the order of the operations stays fixed; does nothing in every class.
    virtual void Spare();
    // 14. Writes the player's property lines into `target` (base: clears it).
    virtual void ShowProperties(TTextList& target);

    // Sorts the alternatives by value, highest first, keeping AlList and AlValue
    // parallel (adjacent exchanges until a pass makes none, so equal values keep
    // their order).
    void SortAlternatives();

    // When the position forces the move of ColourToMove (forced_move.h), the
    // alternatives become that one cell (AlNum 1, value kForcedFiveValue for an own
    // five, kForcedBlockValue for a block; its ValueArray entry gets the same value) and
    // the result is true. Otherwise nothing changes and the result is false. The base
    // Move asks this before Evaluate; the searches ask it where a five on the board
    // makes them hand the move back without searching.
    bool TakeForcedMove();
    static constexpr float kForcedFiveValue = 155.0f;
    static constexpr float kForcedBlockValue = 150.0f;

    // Fields, in the program's order. Arrays are 1-based like the game model.
    std::string Name;                       // at most 12 characters
    std::uint8_t Version[4] = {1, 0, 0, 0}; // least significant byte first
    std::string VersionText;                // at most 10 characters
    bool IsHuman = false;
    std::int32_t Level = 10;
    std::int32_t AlNum = 0;                                // alternatives in use, 0..225
    TPont AlList[kCells + 1] = {};                         // [1..AlNum]
    float AlValue[kCells + 1] = {};                        // [1..AlNum], parallel to AlList
    float ValueArray[kBoardSize + 1][kBoardSize + 1] = {}; // [X][Y], both 1..15
    float Tures = 1.0f;     // cells this far below the best still become alternatives
    float MinSuly = 0.1f;   // weight the lowest alternative keeps in the choice
    bool TobbJelolt = true; // true: every cell within Tures; false: the single best cell
    TKepessegLista Kepessegek;
    bool TakeBackOk = true;
    bool BoardChanged = false; // the position changed other than by this player's moves
    std::int32_t DebugButtons = 0;
    std::int32_t Chosen = -1; // chosen alternative; -1 before the choice

    // Helpers for derived players: every value of ValueArray := v; one alternative appended
    // (ignored beyond 225).
    void FillValues(float v);
    void AddAlternative(int x, int y, float value);
};

// What the base opening steps need from outside the player: the "Random opening"
// setting and the opening book. The program sets them at start-up, once the book is
// loaded. Without a book the base OfferOpen2 places nothing and the base ChOpening
// keeps black (unless the random opening decides).
struct OpeningSupport {
    bool RandomOpening = true;
    // Completes the two offered stones (moves 1 and 2) to a five-stone book opening.
    std::function<void()> FitOpening;
    // Book record of the five stones on the board, or -1 when the book lacks them.
    std::function<int()> FindBookRecord;
    // Score of a record, 0..10000 (5000 is even).
    std::function<int(int record)> RecordScore;
};
OpeningSupport& Opening();

} // namespace vorlix
