// Fuzz target: kelvor's pattern tables. The input is split into a "renju.tbl" and a
// "renju.scs" image. Tables that pass the soundness check must be safe to walk: every
// walk on any board ends without leaving the tables.

#include "kelvor/pattern_tables.h"
#include "kelvor/pattern_walk.h"

#include "fuzz_check.h"

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

using fuzzing::Check;

namespace {

// Sign-extended 16-bit little-endian values, as the loader reads them; missing bytes
// leave the committed-size table zero-filled.
void Fill(std::vector<int>& out, const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size && i / 2 < out.size(); i += 2)
        out[i / 2] = static_cast<std::int16_t>(data[i] | (data[i + 1] << 8));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    // The first two bytes say where the automaton ends and the records begin.
    const std::size_t split = std::min<std::size_t>(size - 2, (data[0] | (data[1] << 8)) * 2u);
    kelvor::PatternTables tables;
    Fill(tables.automaton, data + 2, split);
    Fill(tables.records, data + 2 + split, size - 2 - split);
    if (!kelvor::TablesAreSound(tables)) return 0;

    std::mt19937 rng(static_cast<unsigned>(size));
    for (int round = 0; round < 8; ++round) {
        kelvor::BoardGrid board{};
        const int n = 13 + 2 * static_cast<int>(rng() % 4);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) board[x][y] = static_cast<int>(rng() % 3);
        const int x = static_cast<int>(rng() % n), y = static_cast<int>(rng() % n);
        for (int dir = 0; dir < 4; ++dir)
            for (int colour = 0; colour <= 2; ++colour) {
                try {
                    const kelvor::LineWalk w =
                        kelvor::WalkLine(tables, board, n, x, y, dir, colour);
                    Check(w.record >= 0 && w.record < kelvor::kRecordCount, "record in range");
                } catch (const std::runtime_error&) {
                    Check(false, "sound tables must walk without an error");
                }
            }
    }
    return 0;
}
