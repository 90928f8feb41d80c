// A tiny match: every game counted, and its pair; a stopped match going on from its record.

#include "kelvor/match.h"
#include "kelvor/match_record.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <vector>

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

// Games already over are counted with the games played, pairs across the two included,
// and are not played again.
TEST(Match, GoesOnFromTheGamesAlreadyOver) {
    testing_support::RecordingBoxes quiet;
    kelvor::MatchOptions o = Options(2, 1, 4);
    o.boardSize = 13;
    o.played = {{0, kelvor::kAWon}, {1, kelvor::kBWon}, {2, kelvor::kDrawn}, {7, kelvor::kAWon}};
    std::vector<int> playedNow;
    kelvor::MatchResult r =
        kelvor::RunMatch(o, [&](const kelvor::MatchResult&, const kelvor::FinishedGame& g) {
            playedNow.push_back(g.game);
            // A whole game from the first stone: the opening's three and a five at least.
            EXPECT_GE(g.moves.size(), 9u);
            EXPECT_EQ(g.moves.front(), std::make_pair(6, 6));
        });
    EXPECT_EQ(playedNow, std::vector<int>{3}); // game 7 is beyond the match's 4
    EXPECT_EQ(r.wins + r.losses + r.draws, 4);
    EXPECT_GE(r.wins, 1);
    EXPECT_GE(r.losses, 1);
    EXPECT_GE(r.draws, 1);
    EXPECT_EQ(r.completePairs, 2);
    // Games 0 and 1 make a pair of 2 points; game 2's draw and game 3 one of 1 to 3.
    EXPECT_GE(r.pairs[2], 1);
    EXPECT_EQ(r.pairs[0] + r.pairs[4], 0);
}

TEST(MatchRecord, ReadsWhatItWritesAndLeavesOutALineCutShort) {
    kelvor::MatchOptions o = Options(10, 8, 200);
    o.variant = 0;
    const std::string header = kelvor::MatchRecordHeader(o);
    EXPECT_EQ(header,
              "kelvor match: variant renju, size 15, levels 10 and 8, seed 1, time 60, book no");
    kelvor::FinishedGame one{1, kelvor::kAWon, {{7, 7}, {8, 7}, {14, 0}}};
    EXPECT_EQ(kelvor::MatchRecordLine(one), "game 1 won: H8 J8 P1\n");
    const std::string whole = header + "\n" + kelvor::MatchRecordLine(one) +
                              kelvor::MatchRecordLine({0, kelvor::kDrawn, {}}) +
                              kelvor::MatchRecordLine({250, kelvor::kBWon, {{0, 0}}});
    std::map<int, int> played;
    std::string valid, error;
    ASSERT_TRUE(kelvor::ReadMatchRecord(whole + "game 3 wo", o, played, valid, error)) << error;
    EXPECT_EQ(played,
              (std::map<int, int>{{0, kelvor::kDrawn}, {1, kelvor::kAWon}, {250, kelvor::kBWon}}));
    EXPECT_EQ(valid, whole);
    // A new record, and one cut while its header was written, start the match afresh.
    for (const std::string& fresh : {std::string(), header.substr(0, 12)}) {
        ASSERT_TRUE(kelvor::ReadMatchRecord(fresh, o, played, valid, error)) << fresh;
        EXPECT_TRUE(played.empty());
        EXPECT_EQ(valid, header + "\n");
    }
    // Windows line ends are read too.
    ASSERT_TRUE(kelvor::ReadMatchRecord(header + "\r\ngame 4 lost\r\n", o, played, valid, error));
    EXPECT_EQ(played, (std::map<int, int>{{4, kelvor::kBWon}}));
}

TEST(MatchRecord, RefusesAnotherMatchsRecordAndLinesThatAreNotGames) {
    kelvor::MatchOptions o = Options(10, 8, 200);
    const std::string header = kelvor::MatchRecordHeader(o) + "\n";
    kelvor::MatchOptions other = o;
    other.seed = 2;
    std::map<int, int> played;
    std::string valid, error;
    const std::string refused[] = {
        kelvor::MatchRecordHeader(other) + "\ngame 0 won\n",
        "kelvor match: variant renju", // cut short, but not this match's header
        header + "game 0 won\ngame 0 lost\n",
        header + "game -1 won\n",
        header + "game 1x won\n",
        header + "game 1 won \n",
        header + "game 99999999999 won\n",
        header + "\n",
        header + "game 1 WON\n",
        header + "game 1 won:\n",
        header + "game 1 won: \n",
        header + "game 1 won: H8  J9\n",
        header + "game 1 won: H8 Q9\n", // off the 15 x 15 board
    };
    for (const std::string& text : refused) {
        error.clear();
        EXPECT_FALSE(kelvor::ReadMatchRecord(text, o, played, valid, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    // Matches that differ only in the number of games share their record.
    other = o;
    other.games = 100;
    EXPECT_TRUE(kelvor::ReadMatchRecord(header + "game 150 won\n", other, played, valid, error));
    // A second table set is another match.
    other.folderB = "elsewhere/";
    EXPECT_FALSE(kelvor::ReadMatchRecord(header, other, played, valid, error));
}

} // namespace
