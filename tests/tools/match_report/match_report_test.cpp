#include "tools/match_report/match_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using match_report::SummaryLines;
using match_report::Tally;

Tally Of(int wins, int losses, int draws, std::array<int, 5> pairs = {}) {
    Tally t;
    t.Wins = wins;
    t.Losses = losses;
    t.Draws = draws;
    t.Pairs = pairs;
    for (int n : pairs) t.CompletePairs += n;
    return t;
}

TEST(MatchReport, ReferenceValuesForGamesAndPairs) {
    // 136 - 96 - 111 gives 40.70 +/- 30.43; the pairs [34, 54, 63, 64, 75] give
    // 55.58 +/- 27.65.
    EXPECT_EQ(SummaryLines("level 4", "level 2", Of(136, 96, 111)),
              "Score of level 4 vs level 2: 136 - 96 - 111  [0.558] 343\n"
              "Elo difference: 40.7 +/- 30.4, LOS: 99.6 %, DrawRatio: 32.4 %\n");
    const std::string s = SummaryLines("A", "B", Of(300, 200, 80, {34, 54, 63, 64, 75}));
    EXPECT_NE(s.find("\nPtnml(0-2): [34, 54, 63, 64, 75], pair Elo: 55.6 +/- 27.7\n"),
              std::string::npos)
        << s;
}

TEST(MatchReport, KelvorMatchWithAPerfectScore) {
    // Level 4 against Level 2 winning all 50 games of 25 pairs: no finite Elo, no bar,
    // and no "-nan" whatever sign the arithmetic leaves on the NaN.
    EXPECT_EQ(SummaryLines("level 4", "level 2", Of(50, 0, 0, {0, 0, 0, 0, 25})),
              "Score of level 4 vs level 2: 50 - 0 - 0  [1.000] 50\n"
              "Elo difference: inf +/- nan, LOS: 100.0 %, DrawRatio: 0.0 %\n"
              "Ptnml(0-2): [0, 0, 0, 0, 25], pair Elo: inf +/- nan\n");
    EXPECT_EQ(SummaryLines("level 1", "level 3", Of(0, 4, 0, {2, 0, 0, 0, 0})),
              "Score of level 1 vs level 3: 0 - 4 - 0  [0.000] 4\n"
              "Elo difference: -inf +/- nan, LOS: 2.3 %, DrawRatio: 0.0 %\n"
              "Ptnml(0-2): [2, 0, 0, 0, 0], pair Elo: -inf +/- nan\n");
}

TEST(MatchReport, KelvorMatchWithANormalScore) {
    // Twelve pairs, one unfinished game (an odd count): 14 - 7 - 4 of 25 games.
    const std::string s = SummaryLines("level 3", "level 2", Of(14, 7, 4, {1, 1, 3, 3, 4}));
    EXPECT_EQ(s.substr(0, s.find('\n') + 1),
              "Score of level 3 vs level 2: 14 - 7 - 4  [0.640] 25\n");
    EXPECT_NE(s.find("\nElo difference: 100.0 +/- "), std::string::npos) << s;
    EXPECT_NE(s.find("\nPtnml(0-2): [1, 1, 3, 3, 4], pair Elo: "), std::string::npos) << s;
    EXPECT_EQ(s.find("nan"), std::string::npos) << s;
    // A lopsided score whose interval leaves 0..1 keeps its Elo and has no bar.
    EXPECT_NE(SummaryLines("a", "b", Of(49, 1, 0)).find("Elo difference: 676.1 +/- nan,"),
              std::string::npos);
}

TEST(MatchReport, NumbersHaveOneSpellingEach) {
    using match_report::NumberText;
    EXPECT_EQ(NumberText(-std::numeric_limits<double>::quiet_NaN(), 1), "nan");
    EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN(), 1), "nan");
    EXPECT_EQ(NumberText(-std::numeric_limits<double>::infinity(), 1), "-inf");
    EXPECT_EQ(NumberText(-0.04, 1), "0.0");
    EXPECT_EQ(NumberText(-12.345, 2), "-12.35");
}

} // namespace
