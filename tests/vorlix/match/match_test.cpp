#include "vorlix/game/internal_error.h"
#include "vorlix/match/match.h"
#include "vorlix/match/match_stats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

struct EloCase {
    int w, l, d;
    double elo, error;
};
class EloTest : public ::testing::TestWithParam<EloCase> {};

TEST_P(EloTest, MatchesReferenceValues) {
    const EloCase& c = GetParam();
    vorlix::EloEstimate e = vorlix::EstimateElo(c.w, c.l, c.d);
    EXPECT_NEAR(e.Elo, c.elo, 0.01);
    EXPECT_NEAR(e.Error, c.error, 0.01);
}

INSTANTIATE_TEST_SUITE_P(MatchStats, EloTest,
                         ::testing::Values(EloCase{136, 96, 111, 40.70, 30.43},
                                           EloCase{10, 10, 5, 0.0, 127.21},
                                           EloCase{96, 136, 111, -40.70, 30.43}));

TEST(MatchStatsTest, PentanomialReference) {
    vorlix::EloEstimate e = vorlix::EstimateEloPairs({34, 54, 63, 64, 75});
    EXPECT_NEAR(e.Elo, 55.58, 0.01);
    EXPECT_NEAR(e.Error, 27.65, 0.01);
}

TEST(MatchStatsTest, OneSidedScoresHaveInfiniteEloAndNoErrorBar) {
    vorlix::EloEstimate all = vorlix::EstimateElo(100, 0, 0);
    EXPECT_EQ(all.Score, 1.0);
    EXPECT_TRUE(std::isinf(all.Elo) && all.Elo > 0);
    EXPECT_TRUE(std::isnan(all.Error));
    EXPECT_TRUE(std::isinf(vorlix::EstimateElo(0, 3, 0).Elo));
    EXPECT_EQ(vorlix::EstimateElo(0, 0, 0).Score, 0.5);
}

TEST(MatchStatsTest, LikelihoodOfSuperiorityAndSprt) {
    EXPECT_EQ(vorlix::LikelihoodOfSuperiority(0, 0), 0.5);
    EXPECT_NEAR(vorlix::LikelihoodOfSuperiority(136, 96), 0.9957, 1e-4);
    auto b = vorlix::SprtBoundsOf(0.05, 0.05);
    EXPECT_NEAR(b.Lower, -2.944, 1e-3);
    EXPECT_NEAR(b.Upper, 2.944, 1e-3);
    // Results well above elo1 favour H1, results at elo0 favour H0.
    EXPECT_GT(vorlix::SprtLogLikelihoodRatio(600, 400, 200, 0, 10), 2.944);
    EXPECT_LT(vorlix::SprtLogLikelihoodRatio(400, 400, 200, 0, 10), 0.0);
}

TEST(MatchTest, GameResultsSurviveTheTextForm) {
    vorlix::MatchGame g;
    g.Number = 17;
    g.FirstColour = 2;
    g.Outcome = vorlix::MatchGame::SecondWon;
    g.FaultSeat = 1;
    g.Moves = 31;
    g.ThinkTotal = {0.25, 1e-6};
    g.ThinkMax = {0.125, 3e-7};
    g.ThinkMoves = {16, 15};
    g.Message = "Invalid move !\r5. 0,3";
    vorlix::MatchGame back;
    ASSERT_TRUE(vorlix::DecodeMatchGame(vorlix::EncodeMatchGame(g), back));
    EXPECT_EQ(back.Number, 17);
    EXPECT_EQ(back.FirstColour, 2);
    EXPECT_EQ(back.Outcome, vorlix::MatchGame::SecondWon);
    EXPECT_EQ(back.FaultSeat, 1);
    EXPECT_EQ(back.ThinkTotal[1], 1e-6);
    EXPECT_EQ(back.ThinkMoves[0], 16);
    EXPECT_EQ(back.Message, "Invalid move ! / 5. 0,3");
    EXPECT_FALSE(vorlix::DecodeMatchGame("garbage", back));
}

TEST(MatchTest, SummaryCountsFromTheFirstPlayersSideAndByPairs) {
    using G = vorlix::MatchGame;
    std::vector<G> games(6);
    const G::Result r[6] = {G::FirstWon,  G::FirstWon, G::Draw,
                            G::SecondWon, G::Failed,   G::FirstWon};
    for (int i = 0; i < 6; ++i) games[i].Outcome = r[i];
    vorlix::MatchSummary s = vorlix::Summarise(games);
    EXPECT_EQ(s.Wins, 3);
    EXPECT_EQ(s.Losses, 1);
    EXPECT_EQ(s.Draws, 1);
    EXPECT_EQ(s.Failed, 1);
    EXPECT_EQ(s.CompletePairs, 2);
    EXPECT_EQ(s.Pairs[4], 1); // won both
    EXPECT_EQ(s.Pairs[1], 1); // a draw and a loss
}

vorlix::MatchOptions SampleMatch(int games, int jobs) {
    vorlix::MatchOptions o;
    o.First = "players:Eager";
    o.Second = "players:Random";
    o.Games = games;
    o.Jobs = jobs;
    o.Seed = 42;
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    o.Config.PlayersFolder = std::string(bin ? bin : ".") + "/Players/";
    return o;
}

TEST(MatchTest, ColoursAlternateAndTheSameSeedGivesTheSameGamesWhateverTheJobs) {
    auto o = SampleMatch(6, 1);
    ASSERT_TRUE(vorlix::CheckMatchPlayers(o));
    int reported = 0;
    auto one = vorlix::RunMatch(o, [&](const vorlix::MatchGame&) { ++reported; });
    o.Jobs = 3;
    auto three = vorlix::RunMatch(o, nullptr);
    ASSERT_EQ(one.size(), 6u);
    EXPECT_EQ(reported, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(one[i].Number, i + 1);
        EXPECT_EQ(one[i].FirstColour, i % 2 == 0 ? 1 : 2);
        EXPECT_NE(one[i].Outcome, vorlix::MatchGame::Failed) << one[i].Message;
        EXPECT_EQ(one[i].Outcome, three[i].Outcome);
        EXPECT_EQ(one[i].Moves, three[i].Moves);
        EXPECT_GT(one[i].ThinkMoves[0], 0);
    }
}

TEST(MatchTest, UnknownPlayersAreFoundBeforeTheRun) {
    auto o = SampleMatch(2, 1);
    o.Second = "players:Nobody";
    EXPECT_FALSE(vorlix::CheckMatchPlayers(o));
    o.Second = "Ember";
    EXPECT_FALSE(vorlix::CheckMatchPlayers(o));
}

} // namespace

namespace {

// Computer players that fail: one plays off the board, one raises an engine error.
class OffBoard : public vorlix::TJatekos {
    void Move() override {
        vorlix::ChosenMove = vorlix::MoveCount == 0 ? vorlix::TPont{8, 8} : vorlix::TPont{0, 3};
    }
};
class Failing : public vorlix::TJatekos {
    void Move() override {
        if (vorlix::MoveCount > 0) throw vorlix::InternalError("mely", "Nincs sor !");
        vorlix::ChosenMove = vorlix::TPont{8, 8};
    }
};

TEST(MatchTest, AFaultLosesThatGameForItsPlayerAndTheRunGoesOn) {
    auto o = SampleMatch(4, 2);
    o.First = "OffBoard";
    o.Second = "Failing";
    o.SetUpFactory = [](vorlix::PlayerFactory& f) {
        f.SetInternalPlayer("OffBoard", [] { return std::make_unique<OffBoard>(); });
        f.SetInternalPlayer("Failing", [] { return std::make_unique<Failing>(); });
    };
    auto games = vorlix::RunMatch(o, nullptr);
    ASSERT_EQ(games.size(), 4u);
    // Odd games: OffBoard is black and plays H8, Failing fails on move 2. Even games:
    // Failing opens at H8 and OffBoard's move 2 is off the board.
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i + 1);
        if (i % 2 == 0) {
            EXPECT_EQ(games[i].Outcome, vorlix::MatchGame::FirstWon);
            EXPECT_EQ(games[i].FaultSeat, 2);
            EXPECT_EQ(games[i].Message, "Nincs sor !");
        } else {
            EXPECT_EQ(games[i].Outcome, vorlix::MatchGame::SecondWon);
            EXPECT_EQ(games[i].FaultSeat, 1);
            EXPECT_EQ(games[i].Message, "Invalid move ! / 1. 0,3");
        }
    }
}

} // namespace
