// Match statistics against published reference values, and a tiny match.

#include "kelvor/match.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(MatchStatistics, ReferenceValues) {
    kelvor::EloEstimate e = kelvor::EstimateElo(136, 96, 111);
    EXPECT_NEAR(e.elo, 40.70, 0.01);
    EXPECT_NEAR(e.error, 30.43, 0.01);
    EXPECT_NEAR(e.drawRatio, 111.0 / 343, 1e-9);
}

TEST(MatchStatistics, SummaryLines) {
    std::string s = kelvor::MatchSummary("A", "B", {15, 5, 5});
    EXPECT_EQ(s.substr(0, s.find('\n')), "Score of A vs B: 15 - 5 - 5  [0.700] 25");
    EXPECT_EQ(s.find("Elo difference: 147.2 +/- "), s.find('\n') + 1);
}

TEST(Match, PairOfGamesCountsEveryGame) {
    testing_support::RecordingBoxes quiet;
    kelvor::MatchOptions o;
    o.levelA = 2;
    o.levelB = 1;
    o.games = 2;
    o.folder = KELVOR_DATA_DIR;
    kelvor::MatchResult r = kelvor::RunMatch(o);
    EXPECT_EQ(r.wins + r.losses + r.draws, 2);
}

} // namespace
