#include "vorlix/game/random.h"

#include <chrono>
#include <random>

namespace vorlix {

RandomState RandomGen;

namespace {

std::mt19937& Runtime() {
    static std::mt19937 gen(5489u);
    return gen;
}

// 32-bit two's complement arithmetic with wrap-around: done in unsigned and cast back.
std::int32_t Wrap(std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}
std::int32_t Add(std::int32_t x, std::int32_t y) {
    return Wrap(static_cast<std::int64_t>(static_cast<std::uint32_t>(x)) +
                static_cast<std::uint32_t>(y));
}
std::int32_t Mul(std::int32_t k, std::int32_t x) {
    return Wrap(static_cast<std::int64_t>(static_cast<std::uint32_t>(k)) *
                static_cast<std::uint32_t>(x));
}
// Logical shift of the 32-bit pattern.
std::int32_t Shr(std::int32_t x, int n) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(x) >> n);
}
// C++ % and / truncate toward zero, and the remainder takes the dividend's sign:
// exactly the rule of the generator.

void StepA(RandomState& s) {
    s.a = Add(s.c % 2151498, Shr(s.a, 6));
    s.b = Add(Add(s.a, s.b) % 193197, 37);
    s.c = Add(Add(Mul(19, s.a), Mul(371, s.b)), s.e);
    s.d = Add(s.b % 449, s.e);
    s.e = s.d / 7;
    if (s.a < 17000) s.d = Add(s.c % 75, s.d / 2);
    s.a = Add(s.c, s.d) % 10000001;
    ++s.stepsA;
}

void StepB(RandomState& s) {
    if (s.a > 85463)
        s.b = Add(s.a % 2151498, 37);
    else
        s.b = Add(s.b, s.c) % 193197;
    s.c = Add(Shr(s.c, 4), Mul(371, s.b));
    s.a = Add(s.c, s.e) % 10000001;
    if (s.b < 17820) StepA(s);
    ++s.stepsB;
}

} // namespace

void SeedRuntimeRandom(std::uint32_t seed) {
    Runtime().seed(seed);
}

std::int32_t RuntimeRandom(std::int32_t n) {
    if (n <= 0) return 0;
    // Multiply-shift rather than a library distribution: the same draws on every platform.
    return static_cast<std::int32_t>(
        (static_cast<std::uint64_t>(Runtime()()) * static_cast<std::uint32_t>(n)) >> 32);
}

double RuntimeRandomReal() {
    return static_cast<double>(Runtime()()) / 4294967296.0;
}

void SeedRandom(std::uint32_t seed) {
    SeedRuntimeRandom(seed);
    RandomState s;
    s.a = RuntimeRandom(10000) + 100;
    std::int32_t r1 = RuntimeRandom(s.a);
    std::int32_t r2 = RuntimeRandom(s.a);
    s.b = r1 + r2;
    s.c = RuntimeRandom(20000);
    s.d = s.c % 100;
    s.e = RuntimeRandom(100) + s.d;
    StepA(s);
    RandomGen = s;
}

std::uint32_t SeedRandom() {
    auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    auto seed = static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
    SeedRandom(seed);
    return seed;
}

double RandomReal() {
    StepB(RandomGen);
    return RandomGen.a / 10000001.0;
}

} // namespace vorlix
