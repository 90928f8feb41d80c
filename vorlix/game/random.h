#pragma once
// The program's own random generator and the run-time's uniform generator.
//
// Both can be seeded, so that a game, a bench or a failing test can be replayed:
// SeedRandom(seed) seeds the run-time generator with `seed` and then draws the
// program generator's initial state from it, exactly as the clock-seeded start-up does.

#include <cstdint>

namespace vorlix {

// The state of the program's generator: five 32-bit integers and two step counters.
struct RandomState {
    std::int32_t a = 0, b = 0, c = 0, d = 0, e = 0;
    std::uint32_t stepsA = 0, stepsB = 0;
};

extern RandomState RandomGen;

// Seeds from the clock (start-up). Returns the seed used, so a tool can print it.
std::uint32_t SeedRandom();
void SeedRandom(std::uint32_t seed);

// A real number a / 10000001 from the program's generator (advances it by step B).
double RandomReal();

// The run-time's uniform generator (R(n) of the seeding, and the engines' draws).
void SeedRuntimeRandom(std::uint32_t seed);
// 0 .. n-1 for n >= 1; 0 for n <= 0.
std::int32_t RuntimeRandom(std::int32_t n);
// [0, 1)
double RuntimeRandomReal();

} // namespace vorlix
