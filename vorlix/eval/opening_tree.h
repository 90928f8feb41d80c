#pragma once
// TOpeningTree: a fixed repertoire of opening lines, each starting at H8, with a
// weight for every known continuation.
//
// The tree is written in a bracket notation (opening_tree.cpp) and parsed when the
// ability is made: a node is a point, ":weight" when the weight is not 1, and its
// continuations in square brackets; siblings are separated by commas.
//
// The lines are stored with the second move at H7 or I7; the game's second move fixes
// a symmetry (see SymmetryOf) that maps stored points onto the game.

#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"

#include <string>
#include <vector>

namespace vorlix {

struct OpeningNode {
    TPont Point;
    float Weight = 1.0f;
    int Child = -1; // first continuation, index into the node array, -1 none
    int Next = -1;  // next sibling
};

class TOpeningTree : public TKepesseg {
  public:
    explicit TOpeningTree(TJatekos* owner);

    // Appends the continuations of the game so far whose weight is within the owner's
    // Tures of the best to the owner's alternatives (value = weight). Offers nothing
    // when the game has left the tree.
    void Action() override;

    // The same for a given tolerance, into `out` (points and weights); for tools/tests.
    void Offer(float tolerance, std::vector<std::pair<TPont, float>>* out) const;

    const std::vector<OpeningNode>& Nodes() const { return nodes_; }
    int Root() const { return 0; }
    // Moves on the longest line.
    int Depth() const;

    // Symmetry of the game from its second move: bit 1 mirrors X to 16 - X, bit 2
    // mirrors Y to 16 - Y, bit 4 then exchanges X and Y. 0 for moves the tree ignores.
    static int SymmetryOf(TPont second);
    static TPont Map(TPont p, int symmetry);

    // Parses the bracket notation; throws std::invalid_argument on malformed text.
    static std::vector<OpeningNode> Parse(const std::string& text);
    static const char* const kNotation;

  private:
    std::vector<OpeningNode> nodes_;
};

} // namespace vorlix
