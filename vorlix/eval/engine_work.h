#pragma once
// EngineWork: how much the engines of this process have computed, in their own units.
//
// The engines only increment the counters; the bench and the soak read them before and
// after a move to report work per move and to build a deterministic signature. They
// count work, not time, so two runs with the same seed give the same figures on any
// machine. The engines run on one thread per process, so plain integers suffice.

#include <cstdint>

namespace vorlix {

struct EngineWork {
    std::uint64_t Generations = 0; // candidate generations (EvaluateCandidates)
    std::uint64_t MoveValues = 0;  // move valuations (MoveValue, SecondScore)
    std::uint64_t VctNodes = 0;    // stones placed by threat-sequence searches

    std::uint64_t Total() const { return Generations + MoveValues + VctNodes; }
};

inline EngineWork& Work() {
    static EngineWork work;
    return work;
}

} // namespace vorlix
