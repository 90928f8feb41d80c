#pragma once
// The fixed search bench of kelvor: a few positions searched at a few levels with a
// fixed seed. It reports the nodes, the time, and a signature over every chosen move,
// value and node count, so that a change that alters the search shows in the
// signature and one that only makes it faster does not.

#include <cstdint>
#include <string>
#include <vector>

namespace kelvor {

struct BenchPosition {
    const char* name;
    int variant; // 0 renju, 1 gomoku
    int boardSize;
    const char* moves; // comma-separated cells in playing order
};

// The bench positions, in order.
const std::vector<BenchPosition>& BenchPositions();

struct BenchLine {
    std::string position;
    int level = 0;
    std::string move; // "H8", or "none"
    int value = 0;
    long long nodes = 0;
    double seconds = 0;
};

struct BenchReport {
    std::vector<BenchLine> lines;
    long long nodes = 0;
    double seconds = 0;
    uint32_t signature = 0;
    std::string error; // not empty when the tables could not be read
};

// Searches every bench position at each of `levels` (VCT search off, no book, no
// time limit) with the tables in `folder`.
BenchReport RunBench(const std::string& folder, const std::vector<int>& levels);

// The levels the signature is stated for.
const std::vector<int>& DefaultBenchLevels();

} // namespace kelvor
