// A tiny match: every game counted, and its pair.

#include "kelvor/match.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

// A match of `games` games between two levels with the committed tables.
kelvor::MatchOptions Options(int levelA, int levelB, int games) {
    kelvor::MatchOptions o;
    o.levelA = levelA;
    o.levelB = levelB;
    o.games = games;
    o.folder = KELVOR_DATA_DIR;
    return o;
}

TEST(Match, PairOfGamesCountsEveryGame) {
    testing_support::RecordingBoxes quiet;
    kelvor::MatchOptions o = Options(2, 1, 2);
    kelvor::MatchResult r = kelvor::RunMatch(o);
    EXPECT_EQ(r.wins + r.losses + r.draws, 2);
    // The one pair scores what its two games add up to from A's side.
    EXPECT_EQ(r.completePairs, 1);
    const int points = 2 * r.wins + r.draws;
    for (int k = 0; k < 5; ++k) EXPECT_EQ(r.pairs[static_cast<size_t>(k)], k == points ? 1 : 0);
}

TEST(Match, AnOddGameLeavesItsPairIncomplete) {
    testing_support::RecordingBoxes quiet;
    kelvor::MatchOptions o = Options(1, 1, 3);
    o.boardSize = 13;
    o.jobs = 2;
    kelvor::MatchResult r = kelvor::RunMatch(o);
    EXPECT_EQ(r.wins + r.losses + r.draws, 3);
    EXPECT_EQ(r.completePairs, 1);
    EXPECT_EQ(r.pairs[0] + r.pairs[1] + r.pairs[2] + r.pairs[3] + r.pairs[4], 1);
}

// With a second table set the second player thinks in a document of its own that
// follows every move; the games still end with a result and are all counted.
TEST(Match, SecondTableSetPlaysWholeGames) {
    testing_support::RecordingBoxes quiet;
    kelvor::MatchOptions o = Options(2, 2, 2);
    o.variant = 0;
    o.folderB = KELVOR_DATA_DIR;
    kelvor::MatchResult r = kelvor::RunMatch(o);
    EXPECT_EQ(r.wins + r.losses + r.draws, 2);
}

} // namespace
