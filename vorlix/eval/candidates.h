#pragma once
// The candidate cells of a position: the empty cells next to a stone along the four
// lines (distance one), then the empty cells two steps from a stone along them
// (distance two). Every evaluator and search starts from this list.

#include <cstdint>

namespace vorlix {

enum CandidateMode : int {
    kCandidatesNear = 0,   // distance one only
    kCandidatesBoth = 1,   // distance one, then distance two
    kCandidatesSecond = 2, // distance two only
};

struct CandidateList {
    std::int32_t count = 0;
    std::int32_t cells[225]; // cell indices 1..225, count of them in use
};

// Fills `out`, each group in cell index order. An empty board gives an empty list.
void GenerateCandidates(int mode, CandidateList* out);

} // namespace vorlix
