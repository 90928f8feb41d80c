#pragma once
// Positions given on the command line: "H8,H7,..." played black first from an empty
// board.

#include <string>

namespace cli {

// Empties the game model and plays `moves` (black first; "-" or "" is the empty board),
// then sets the side to move and the mover colours. False with a message in `error` for
// a malformed point, a point off the board, an occupied cell or a full board.
bool SetUpPosition(const std::string& moves, std::string* error);

// A seeded random position of `stones` stones, colours alternating from black, within
// the square of cells `lo`..`hi` in both coordinates, with no window of five cells
// holding more than `most` stones of one colour and otherwise empty cells (3: no four,
// so neither side can win at once; 2: not even a three); written as the move list that
// places them. Fewer stones when the square cannot take more.
std::string RandomPosition(int stones, unsigned seed, int lo = 1, int hi = 15, int most = 3);

// The moves of the game record as "H8,H7,...", "-" when there are none.
std::string MovesText();

} // namespace cli

namespace cli {

// What a player's move computation must leave as it found: the board, the side to
// move, the game record's length and the trial-stone stack.
class GameSnapshot {
  public:
    GameSnapshot(); // takes the snapshot
    // Empty when the game model is as it was, else what changed.
    std::string Changes() const;

  private:
    unsigned char tabla_[226];
    int colourToMove_, moveCount_, searchDepth_;
};

// Empty when ChosenMove is an empty point of the board, else why not.
std::string CheckChosenMove();

} // namespace cli
