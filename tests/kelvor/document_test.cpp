// The document's game rules: moves, five and draw, the human-move rules and their
// messages, candidate cells.

#include "kelvor/kelvor_doc.h"
#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

using namespace kelvor;

struct Fixture : ::testing::Test {
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc{KELVOR_DATA_DIR, 3};
    Fixture() {
        doc.OpeningBook = false;
        doc.NewGame();
    }
    void Play(const char* cell) {
        auto c = ParseCell(cell, doc.BoardSize);
        ASSERT_TRUE(c) << cell;
        doc.MakeMove(c->first, c->second);
    }
    bool Human(const char* cell) {
        auto c = ParseCell(cell, doc.BoardSize);
        return c && doc.HumanMove(c->first, c->second);
    }
    std::string LastMessage() const { return boxes.shown.empty() ? "" : boxes.shown.back().text; }
};

TEST_F(Fixture, NewDocumentHasTheDefaults) {
    EXPECT_EQ(doc.Variant, 1);
    EXPECT_EQ(doc.BoardSize, 15);
    EXPECT_EQ(doc.Centre, 7);
    EXPECT_EQ(doc.ToMove, kBlack);
    EXPECT_EQ(doc.MoveNo, 1);
    EXPECT_EQ(doc.PlayerLevel[0], 0);
    EXPECT_EQ(doc.HiBreadth, 1);
    EXPECT_EQ(doc.HiExtent, 0);
    EXPECT_TRUE(doc.TablesLoaded());
}

TEST_F(Fixture, FiveWinsWithTheMoversNumber) {
    for (const char* m : {"H8", "A1", "J8", "A2", "K8", "A3", "L8", "A4"}) Play(m);
    EXPECT_NE(doc.GameState, kGameOver);
    Play("G8");
    EXPECT_EQ(doc.GameState, kGameOver);
    EXPECT_EQ(doc.Winner, kBlack);
    EXPECT_EQ(LastMessage(), "Player 1 won");
    EXPECT_FALSE(Human("O15"));
    EXPECT_EQ(LastMessage(), "Game Over");
}

TEST_F(Fixture, WhiteFiveSaysPlayerTwo) {
    for (const char* m : {"H8", "A1", "J9", "A2", "K10", "A3", "M12", "A4", "O1"}) Play(m);
    Play("A5");
    EXPECT_EQ(LastMessage(), "Player 2 won");
}

TEST_F(Fixture, OverlineDoesNotWinForBlackInRenjuButWinsInGomoku) {
    doc.Variant = 0;
    doc.NewGame();
    for (const char* m : {"E8", "A1", "F8", "A3", "G8", "A5", "J8", "A7", "K8", "A9"}) Play(m);
    EXPECT_FALSE(Human("H8"));
    EXPECT_EQ(LastMessage(), "Illegal");
    EXPECT_EQ(doc.MoveNo, 11);
    doc.Variant = 1;
    EXPECT_TRUE(Human("H8"));
    EXPECT_EQ(LastMessage(), "Player 1 won");
}

TEST_F(Fixture, ComputersTurnIsRefused) {
    doc.PlayerLevel = {0, 3};
    EXPECT_TRUE(Human("H8"));
    EXPECT_FALSE(Human("H9"));
    EXPECT_EQ(LastMessage(), "Not Your Turn");
    EXPECT_EQ(doc.MoveNo, 2);
}

TEST_F(Fixture, OccupiedCellIsRefusedSilently) {
    EXPECT_TRUE(Human("H8"));
    EXPECT_FALSE(Human("H8"));
    EXPECT_TRUE(boxes.shown.empty());
}

struct OpeningCase {
    int variant;
    bool tournament;
    const char* moves; // played before
    const char* tried;
    bool allowed;
};

class OpeningRules : public ::testing::TestWithParam<OpeningCase> {};

TEST_P(OpeningRules, MoveNumberRules) {
    const OpeningCase& c = GetParam();
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.OpeningBook = false;
    doc.Variant = c.variant;
    doc.TournamentOpening = c.tournament;
    doc.SetBoardSize(c.tournament && c.variant == 1 ? 19 : 15);
    std::istringstream in(c.moves);
    for (std::string m; in >> m;) {
        auto p = ParseCell(m, doc.BoardSize);
        doc.MakeMove(p->first, p->second);
    }
    auto p = ParseCell(c.tried, doc.BoardSize);
    EXPECT_EQ(doc.HumanMove(p->first, p->second), c.allowed);
}

const OpeningCase kOpening[] = {
    {0, false, "", "H8", true},
    {0, false, "", "H9", false},
    {1, false, "", "A1", true},
    {1, true, "", "J9", false},
    {1, true, "", "K10", true},
    {0, true, "H8", "K10", true},
    {0, true, "H8", "L10", false},
    {1, true, "K10", "N10", true},
    {1, true, "K10", "O10", false},
    {1, false, "H8", "A15", true},
    {0, false, "H8 H9", "L11", true},
    {0, false, "H8 H9", "M11", false},
    {1, true, "K10 K11", "A1", true},
    {1, true, "K10 K11 L11", "O10", false},
    {1, true, "K10 K11 L11", "N10", true},
    {0, true, "H8 H9 J9", "A1", true},
};
INSTANTIATE_TEST_SUITE_P(Cases, OpeningRules, ::testing::ValuesIn(kOpening));

TEST_F(Fixture, CandidatesFollowTheExtent) {
    Play("H8");
    EXPECT_EQ(doc.Board[5][5], kCandidate); // F6: two lines away
    EXPECT_EQ(doc.Board[4][7], kEmpty);     // E8: three lines away
    doc.HiExtent = 2;
    Play("A1");
    EXPECT_EQ(doc.Board[4][0], kCandidate); // E1: four lines away
    EXPECT_EQ(doc.Board[5][0], kEmpty);
    doc.HiExtent = 3;
    Play("O15");
    EXPECT_EQ(doc.Board[9][14], kCandidate); // K15: five lines away
}

TEST_F(Fixture, FullBoardWithoutFiveIsADraw) {
    doc.SetBoardSize(13);
    // Pairs of columns alternating by row: no five in any line.
    auto colour = [](int x, int y) { return (x / 2 + y) % 2 + 1; };
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) doc.Board[x][y] = colour(x, y);
    doc.Board[12][12] = kEmpty;
    doc.Record.assign(168, 0);
    doc.MoveNo = 169;
    doc.ToMove = colour(12, 12);
    doc.MakeMove(12, 12);
    EXPECT_EQ(doc.Winner, 0);
    EXPECT_EQ(LastMessage(), "Draw!");
    EXPECT_EQ(doc.GameState, kGameOver);
}

TEST_F(Fixture, ComputerPlaysTheCentreFirstAndAnswers) {
    doc.PlayerLevel = {2, 2};
    ASSERT_TRUE(doc.ComputerMove());
    EXPECT_EQ(doc.Board[7][7], kBlack);
    ASSERT_TRUE(doc.ComputerMove());
    EXPECT_EQ(doc.MoveNo, 3);
}

TEST_F(Fixture, ComputerBlocksAFour) {
    for (const char* m : {"H8", "A1", "J8", "A2", "K8", "A3", "L8"}) Play(m);
    doc.PlayerLevel = {0, 4};
    ThinkResult r = doc.Think();
    std::string cell = CellText(r.x, r.y);
    EXPECT_TRUE(cell == "G8" || cell == "M8") << cell;
}

// An open three must be answered at every level: the cells that would make it a
// straight four lift the threat threshold, so only blocks (or stronger moves) remain.
TEST_F(Fixture, ComputerAnswersAnOpenThreeAtEveryLevel) {
    for (int variant : {0, 1})
        for (int level : {1, 2, 4, 7}) {
            doc.Variant = variant;
            doc.NewGame();
            // Black H8 J8 K8 with G8 and L8 free on both sides; white's stones far away.
            for (const char* m : {"H8", "B2", "J8", "B14", "K8"}) Play(m);
            doc.PlayerLevel = {0, level};
            ThinkResult r = doc.Think();
            std::string cell = CellText(r.x, r.y);
            EXPECT_TRUE(cell == "G8" || cell == "L8" || cell == "F8" || cell == "M8")
                << "variant " << variant << " level " << level << ": " << cell;
        }
}

// Two threes made by one stone win in gomoku: the cell where the opponent would make
// them must be defused before it is played.
TEST_F(Fixture, ComputerDefusesTheCellOfADoubleThree) {
    // Black H8 J8 (row) and G10 G11 (column): G8 would make two open threes for black.
    // Taking G8, or closing one of the two lines at F8, K8, G7, G9 or G12, defuses it.
    for (const char* m : {"H8", "A1", "J8", "A15", "G10", "O1", "G11"}) Play(m);
    const std::set<std::string> defences = {"G8", "F8", "K8", "G7", "G9", "G12"};
    for (int level : {1, 3, 5, 8}) {
        doc.PlayerLevel = {0, level};
        ThinkResult r = doc.Think();
        EXPECT_TRUE(defences.count(CellText(r.x, r.y)))
            << "level " << level << ": " << CellText(r.x, r.y);
    }
}

TEST_F(Fixture, ComputerTakesItsFive) {
    for (const char* m : {"H8", "A1", "J8", "A2", "K8", "A3", "L8", "A4"}) Play(m);
    doc.PlayerLevel = {6, 0};
    ThinkResult r = doc.Think();
    std::string cell = CellText(r.x, r.y);
    EXPECT_TRUE(cell == "G8" || cell == "M8") << cell;
    EXPECT_EQ(r.value, kRootWin);
}

TEST_F(Fixture, RenjuBlackComputerNeverPlaysAForbiddenCell) {
    doc.Variant = 0;
    doc.NewGame();
    // H8 would make a double three for black; nothing else is urgent.
    for (const char* m : {"F8", "A1", "G8", "A15", "H6", "O1", "H7", "O15"}) Play(m);
    doc.PlayerLevel = {3, 0};
    ThinkResult r = doc.Think();
    ASSERT_GE(r.x, 0);
    EXPECT_TRUE(doc.IsLegal(r.x, r.y)) << CellText(r.x, r.y);
}

TEST_F(Fixture, SameSeedSameGame) {
    auto play = [](uint32_t seed) {
        testing_support::RecordingBoxes quiet;
        CKelvorDoc d(KELVOR_DATA_DIR, seed);
        d.OpeningBook = false;
        d.PlayerLevel = {3, 2};
        for (int i = 0; i < 12 && d.GameState != kGameOver; ++i) d.ComputerMove();
        return d.Record;
    };
    EXPECT_EQ(play(11), play(11));
}

TEST_F(Fixture, StopFlagEndsTheSearchWithAMove) {
    for (const char* m : {"H8", "H9", "J9", "J8"}) Play(m);
    doc.PlayerLevel = {12, 0};
    std::atomic<bool> stop{true};
    ThinkResult r = doc.Think(&stop);
    EXPECT_GE(r.x, 0);
    EXPECT_TRUE(IsFree(doc.Board[r.x][r.y]));
}

TEST_F(Fixture, ProgressIsReportedBeforeRootMoves) {
    for (const char* m : {"H8", "H9"}) Play(m);
    doc.PlayerLevel = {3, 0};
    int reports = 0;
    doc.OnProgress = [&] { ++reports; };
    doc.Think();
    EXPECT_GT(reports, 0);
    EXPECT_GE(doc.ProgressCell.load(), 0);
}

} // namespace

// Without valid tables nothing can be evaluated: the document says so and refuses,
// and nothing reading its stand-in tables loops or throws.
class WithoutTables : public ::testing::TestWithParam<const char*> {};

TEST_P(WithoutTables, MovesThinkingAndFilesAreRefusedWithAMessage) {
    testing_support::TempFolder dir;
    const std::string setup = GetParam();
    if (setup == "zero_tables") {
        // Files of the right length whose automaton never ends a walk.
        ASSERT_EQ(platform::WriteFileAtomic(dir.Path() + "renju.tbl", std::string(7544, 0)),
                  platform::WriteResult::Ok);
        ASSERT_EQ(platform::WriteFileAtomic(dir.Path() + "renju.scs", std::string(25536, 0)),
                  platform::WriteResult::Ok);
    }
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(dir.Path(), 1);
    EXPECT_FALSE(doc.TablesLoaded());
    EXPECT_FALSE(boxes.shown.empty()); // "Can't open tbl file", ... or "not valid"
    boxes.shown.clear();

    EXPECT_FALSE(doc.HumanMove(7, 7));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kNoTablesText);
    EXPECT_TRUE(doc.Record.empty());

    doc.PlayerLevel = {4, 4};
    EXPECT_EQ(doc.Think().x, -1);
    EXPECT_FALSE(doc.ComputerMove());
    doc.StartThinking(nullptr);
    EXPECT_EQ(doc.FinishThinking().x, -1);
    EXPECT_TRUE(doc.ThinkError().empty()) << doc.ThinkError();

    EXPECT_FALSE(doc.OpenGame(dir.Path() + "any.kgf"));
    EXPECT_EQ(boxes.shown.back().text, kNoTablesText);

    // A move made by a caller that skips the checks evaluates on the stand-in tables.
    EXPECT_NO_THROW(doc.MakeMove(7, 7));
    EXPECT_NO_THROW(doc.Engine().EvaluateCell(8, 8));
}
INSTANTIATE_TEST_SUITE_P(Folders, WithoutTables, ::testing::Values("empty", "zero_tables"));

// Stepping through the record and the worker thread.

TEST_F(Fixture, SteppingBackKeepsTheLineAndANewMoveDropsWhatWasAhead) {
    for (const char* m : {"H8", "H9", "J9", "J8", "K10"}) Play(m);
    const std::vector<int> line = doc.Record;
    doc.StepTo(2);
    EXPECT_EQ(doc.Record.size(), 2u);
    EXPECT_EQ(doc.MoveNo, 3);
    EXPECT_EQ(doc.ToMove, kBlack);
    EXPECT_TRUE(IsFree(doc.Board[8][8])); // J9 is not on the board now
    EXPECT_EQ(doc.Line(), line);
    doc.StepTo(4);
    EXPECT_EQ(doc.Board[8][7], kWhite); // J8
    doc.StepTo(99);
    EXPECT_EQ(doc.Record, line);
    doc.StepTo(1);
    Play("A1");
    EXPECT_EQ(doc.Line().size(), 2u);
    EXPECT_EQ(doc.Line(), doc.Record);
}

TEST_F(Fixture, SteppingOverAFinishedGameIsQuietAndSavingWritesTheWholeLine) {
    for (const char* m : {"H8", "A1", "J8", "A2", "K8", "A3", "L8", "A4", "G8"}) Play(m);
    const size_t shown = boxes.shown.size();
    doc.StepTo(3);
    EXPECT_NE(doc.GameState, kGameOver);
    doc.StepTo(9);
    EXPECT_EQ(doc.GameState, kGameOver);
    EXPECT_EQ(doc.Winner, kBlack);
    EXPECT_EQ(boxes.shown.size(), shown);

    doc.StepTo(4);
    testing_support::TempFolder tmp;
    ASSERT_TRUE(doc.SaveGame(tmp.Path() + "g.kgf"));
    CKelvorDoc other(KELVOR_DATA_DIR, 5);
    ASSERT_TRUE(other.OpenGame(tmp.Path() + "g.kgf"));
    EXPECT_EQ(other.Record.size(), 9u);
    EXPECT_EQ(other.GameState, kGameOver);
}

TEST_F(Fixture, OpeningATournamentGameAsksNothing) {
    doc.Variant = 0;
    doc.TournamentOpening = true;
    doc.NewGame();
    for (const char* m : {"H8", "H9", "J10", "G9"}) Play(m);
    testing_support::TempFolder tmp;
    ASSERT_TRUE(doc.SaveGame(tmp.Path() + "t.kgf"));
    boxes.asked.clear();
    boxes.shown.clear();
    CKelvorDoc other(KELVOR_DATA_DIR, 5);
    other.TournamentOpening = true;
    other.PlayerLevel = {0, 3};
    ASSERT_TRUE(other.OpenGame(tmp.Path() + "t.kgf"));
    EXPECT_EQ(other.Record.size(), 4u);
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(other.PlayerLevel[1], 3); // no swap while reading a file
}

TEST_F(Fixture, WorkerThreadThinksAndStops) {
    for (const char* m : {"H8", "H9"}) Play(m);
    doc.PlayerLevel = {2, 0};
    std::atomic<bool> ended{false};
    doc.StartThinking([&] { ended = true; });
    EXPECT_TRUE(doc.Thinking());
    ThinkResult r = doc.FinishThinking();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(doc.Thinking());
    ASSERT_GE(r.x, 0);
    EXPECT_TRUE(IsFree(doc.Board[r.x][r.y]));

    doc.PlayerLevel = {12, 0};
    doc.MaxSeconds = 0;
    doc.StartThinking(nullptr);
    doc.StopThinking(); // returns once the search has read the flag
    EXPECT_FALSE(doc.Thinking());
    EXPECT_EQ(doc.Record.size(), 2u);
}

TEST(DocumentLifetime, ClosingWhileThinkingJoinsTheWorker) {
    testing_support::RecordingBoxes quiet;
    auto doc = std::make_unique<CKelvorDoc>(KELVOR_DATA_DIR, 9);
    doc->OpeningBook = false;
    doc->NewGame();
    doc->MakeMove(7, 7);
    doc->PlayerLevel = {0, 12};
    doc->MaxSeconds = 0;
    doc->StartThinking(nullptr);
    doc.reset(); // the search runs on the tables the document frees
    SUCCEED();
}

// The fifth-move offers of the renju tournament opening.
struct FifthMove : Fixture {
    FifthMove() {
        doc.Variant = 0;
        doc.TournamentOpening = true;
        doc.NewGame();
        // Mirror-symmetric about column H: H8 and H10 black, H9 and H7 white.
        for (const char* m : {"H8", "H9", "H10", "H7"}) EXPECT_TRUE(Human(m)) << m;
    }
};

TEST_F(FifthMove, SymmetricSecondOfferIsRefusedAndAHumanWhiteChoosesAnOffer) {
    EXPECT_TRUE(doc.OfferingFifth());
    EXPECT_TRUE(Human("J8"));
    EXPECT_EQ(doc.Record.size(), 4u); // an offer is no stone
    EXPECT_TRUE(IsFree(doc.Board[8][7]));
    EXPECT_FALSE(Human("G8")); // J8 mirrored about column H
    EXPECT_EQ(LastMessage(), "Symmetry");
    EXPECT_FALSE(Human("J8"));
    EXPECT_EQ(LastMessage(), "Symmetry");
    EXPECT_TRUE(Human("J11"));
    EXPECT_FALSE(doc.OfferingFifth());
    EXPECT_EQ(doc.FifthOffers.size(), 2u);
    // White picks: only the offered cells are black's fifth move.
    EXPECT_FALSE(Human("K12"));
    EXPECT_EQ(LastMessage(), "Illegal");
    EXPECT_TRUE(Human("J11"));
    EXPECT_EQ(doc.Record.size(), 5u);
    EXPECT_EQ(doc.Board[8][10], kBlack);
    EXPECT_EQ(doc.ToMove, kWhite);
}

TEST_F(FifthMove, ComputerWhiteTakesOneOfTheOffers) {
    doc.PlayerLevel = {0, 2};
    EXPECT_TRUE(Human("J8"));
    EXPECT_TRUE(Human("N14"));
    ASSERT_EQ(doc.Record.size(), 5u);
    const int fifth = doc.Record[4];
    EXPECT_TRUE(fifth == doc.FifthOffers[0] || fifth == doc.FifthOffers[1]);
    EXPECT_EQ(doc.ToMove, kWhite);
}

TEST_F(Fixture, SymmetryNeedsASymmetricPosition) {
    for (const char* m : {"H8", "J9", "G10", "H6"}) Play(m);
    auto cell = [&](const char* c) {
        auto p = ParseCell(c, 15);
        return p->first + p->second * 15;
    };
    EXPECT_TRUE(doc.SymmetricCells(cell("K8"), cell("K8")));
    EXPECT_FALSE(doc.SymmetricCells(cell("K8"), cell("F8")));
    doc.NewGame();
    // Stones on column C only: a mirror about that column, away from the centre.
    for (const char* m : {"C3", "C4", "C5", "C6"}) Play(m);
    EXPECT_TRUE(doc.SymmetricCells(cell("D7"), cell("B7")));
    EXPECT_FALSE(doc.SymmetricCells(cell("D7"), cell("B8")));
}
