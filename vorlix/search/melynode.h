#pragma once
// The game tree of the best-first deepening search (TMelyVaz): nodes, their lists of
// alternatives (the "sor") and the operations that fill, extend, sort and value them.
//
// The tree lives for one search. Every operation works on the current board: the
// caller has made the moves from the root to the node, so a node's position is the
// board while the node is worked on.
//
// Values are from the searching side's point of view everywhere in the tree. A
// magnitude of 125 or more is a decided line (154/155 terminal positions, 150..200
// threat-search results) and is never searched again.
//
// Invariants of every node (checked in full by CheckNode in debug builds):
//   AllasHatar0 <= SorN <= SorMax <= 80, Szeles <= SorMax,
//   a node with SorMax >= 1 has a list, the root has Szint 1 and Sajat 1, a child has
//   its parent's Szint + 1 and the inverted Sajat.
// Each check that fails raises InternalError (unit "MelyVaz") with the check's message.

#include "vorlix/eval/candidates.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace vorlix {

class TMelyVaz;

// A node of the search object's node store; 0 is no node.
using TNodeRef = std::int32_t;

// One alternative of a node: 20 bytes, kept in one contiguous array per node.
struct TSorElem {
    std::int16_t MezoSzam = 0; // cell 1..225 of the move
    std::uint16_t Allapot = 0; // 0 nothing done, 1 small win search done, 2 loss check done
    float Nyers = 0.0f;        // value the candidate generator gave the move
    float Becsles = 0.0f;      // move evaluator's value, searching side's view
    float Ertek = 0.0f;        // current value of the alternative, searching side's view
    TNodeRef Son = 0;          // child once the alternative has been expanded
};
static_assert(sizeof(TSorElem) == 20, "an alternative is a 20-byte record");

// A list never holds more than this many alternatives.
constexpr int kMaxSor = 80;

struct TMelyNode {
    TMelyVaz* Owner = nullptr;
    TNodeRef Parent = 0;             // 0 at the root
    std::int32_t Szint = 1;          // 1 at the root, parent + 1 below
    std::int32_t AllasSzam = 0;      // positions evaluated in this subtree
    std::int32_t Melyseg = 1;        // plies of the subtree, at least 1
    std::uint8_t Sajat = 1;          // 1: the searching side is to move here
    std::int32_t Index = 0;          // this node's alternative in the parent's list
    std::unique_ptr<TSorElem[]> Sor; // SorMax entries; none until the first fill
    std::int32_t SorMax = 0;
    std::int32_t SorN = 0;
    std::int32_t AllasHatar0 = 0;    // entries filled before the current fill
    std::int32_t Szeles = 0;         // leading entries that are expanded
    float ElsoNyers = 0.0f;          // raw value of entry 1 after the last fill
    float Ertek = 0.0f;              // backed-up value
    std::int32_t Kiertekelt = 0;     // 1 once Ertek has been taken from the list
    std::int32_t Vegallas = 0;       // 0, +-154 or +-155 from this position's generation
    float EF = 0.0f;                 // expansion factor of the last expansion, 0 before
    std::int32_t Bovitve = 0;        // 1 full-width extension done, 2 win/loss extension done
    std::int32_t KezdoSzeles = -999; // Szeles at the first width computation
    std::int32_t KisErtekSzam = 0;   // entries with |Ertek| < 10 at that computation

    // Entry k = 1..SorMax.
    TSorElem& At(int k) { return Sor[k - 1]; }
    const TSorElem& At(int k) const { return Sor[k - 1]; }
};

// The nodes of one search. References to nodes stay valid until the node is freed.
class TMelyNodePool {
  public:
    TNodeRef New();
    void Free(TNodeRef ref);
    // Frees every node at once (lists included); used when a search is abandoned.
    void Clear();
    TMelyNode& operator[](TNodeRef ref) { return nodes_[static_cast<size_t>(ref)]; }
    const TMelyNode& operator[](TNodeRef ref) const { return nodes_[static_cast<size_t>(ref)]; }
    // Nodes in use.
    int Live() const {
        return static_cast<int>(nodes_.size()) - 1 - static_cast<int>(free_.size());
    }

  private:
    std::deque<TMelyNode> nodes_{1}; // [0] is the "no node" slot
    std::vector<TNodeRef> free_;
};

// The selection of a fill, without the node: brings the best candidates to the front of
// cells/values[0..count) (one bubble pass per taken candidate; of equal values the
// earlier stays first) until the penalty (v1 - vk) * penalty[k - 1] reaches `bound`,
// the candidate that reaches it included, at most 80. Returns how many were taken.
int SelectCandidates(std::int32_t* cells, float* values, int count, float bound,
                     const float* penalty);

// Candidates of the side to move into the owner's candidate buffer, with the
// generator's deep flag set for a node of level `szint`. Returns the terminal value
// of the position (0, +-154 or +-155) from the immediate fives of both colours.
std::int32_t NodeCandidates(TMelyVaz& owner, int szint);

// Adds the best of the owner's candidate buffer to the node's list (see the .cpp).
void Fill(TMelyNode& node, float bound);
// Asks for the candidates again and fills with bound factor x EF; sets the owner's
// expand-all flag when entries were added.
void Extend(TMelyNode& node, float factor);
// Enlarges the list by n entries, keeping entries 1..SorMax.
void Grow(TMelyNode& node, int n);
// Sets Szeles from the values of the list and the owner's width parameters.
void ComputeWidth(TMelyNode& node);
// Orders the list by Ertek: all SorN entries descending at an own node; at an
// opponent node the first SorN (TeljesVedekezes) or Szeles entries ascending.
void SortSor(TMelyNode& node);
// Ertek := Ertek of entry 1 (the minimax backup of a sorted list); Kiertekelt := 1.
void TakeValue(TMelyNode& node);
// Frees the subtree of `ref` (children first, in list order), `ref` included.
void DeleteTree(TMelyVaz& owner, TNodeRef ref);

// Debug builds: checks every invariant of the node (and, after SortSor, the order of
// its list) and throws InternalError on the first violation. Release builds: nothing.
void CheckNode(const TMelyNode& node, bool sorted = false);

} // namespace vorlix
