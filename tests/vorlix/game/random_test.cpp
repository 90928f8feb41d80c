#include "vorlix/game/random.h"

#include <gtest/gtest.h>

using namespace vorlix;

TEST(Random, TheSameSeedGivesTheSameSequences) {
    SeedRandom(1234);
    std::vector<double> a;
    for (int i = 0; i < 1000; ++i) a.push_back(RandomReal());
    int r1 = RuntimeRandom(1000);
    SeedRandom(1234);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(RandomReal(), a[static_cast<size_t>(i)]);
    EXPECT_EQ(RuntimeRandom(1000), r1);
}

TEST(Random, ProgramGeneratorFollowsItsArithmetic) {
    // Seeding from known draws: after step A of a = 100, b = 0, c = 0, d = 0, e = 0:
    // a = 0 + (100 shr 6) = 1; b = (1 + 0) mod 193197 + 37 = 38; c = 19 + 371 * 38 + 0 = 14117;
    // d = 38 mod 449 + 0 = 38; e = 5; a < 17000 so d = 14117 mod 75 + 38 div 2 = 17 + 19 = 36;
    // a = (14117 + 36) mod 10000001 = 14153.
    // Step B from there, by hand:
    RandomGen = {14153, 38, 14117, 36, 5, 1, 0};
    double v = RandomReal();
    // b = 14155; c = (14117 shr 4) + 371 * 14155 = 882 + 5251505 = 5252387;
    // a = (5252387 + 5) mod 10000001 = 5252392; b < 17820 so step A follows:
    // a = 5252387 mod 2151498 + (5252392 shr 6) = 949391 + 82068 = 1031459;
    // b = (1031459 + 14155) mod 193197 + 37 = 79629 + 37 = 79666;
    // c = 19 * 1031459 + 371 * 79666 + 5 = 19597721 + 29556086 + 5 = 49153812;
    // d = 79666 mod 449 + 5 = 193 + 5 = 198; e = 28; a >= 17000;
    // a = (49153812 + 198) mod 10000001 = 9154006.
    EXPECT_EQ(RandomGen.a, 9154006);
    EXPECT_EQ(RandomGen.b, 79666);
    EXPECT_EQ(RandomGen.c, 49153812);
    EXPECT_EQ(RandomGen.d, 198);
    EXPECT_EQ(RandomGen.e, 28);
    EXPECT_EQ(RandomGen.stepsA, 2u);
    EXPECT_EQ(RandomGen.stepsB, 1u);
    EXPECT_DOUBLE_EQ(v, 9154006 / 10000001.0);
}

TEST(Random, ValuesStayInTheUnitInterval) {
    for (std::uint32_t seed : {1u, 2u, 77u, 123456u, 4000000000u}) {
        SeedRandom(seed);
        for (int i = 0; i < 100000; ++i) {
            double v = RandomReal();
            ASSERT_GE(v, 0.0) << "seed " << seed << " draw " << i;
            ASSERT_LT(v, 1.0);
        }
    }
}

TEST(Random, RuntimeDrawsAreInRange) {
    SeedRuntimeRandom(9);
    for (int i = 0; i < 10000; ++i) {
        int v = RuntimeRandom(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
        double r = RuntimeRandomReal();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
    EXPECT_EQ(RuntimeRandom(0), 0);
}
