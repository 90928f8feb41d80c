// The board view with a document: clicks, the status text, and the computer thinking on
// the worker thread (refused clicks, Stop, Go, a whole computer game).

#include "kelvor/ui/kelvor_view.h"
#include "kelvor_ui_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace kelvor;
using kelvor_ui_test::ClickCell;
using kelvor_ui_test::WaitFor;

struct ViewTest : ::testing::Test {
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc{KELVOR_DATA_DIR, 7};
    CKelvorView view{doc};
    ViewTest() {
        doc.OpeningBook = false;
        doc.NewGame();
        view.resize(view.sizeHint());
    }
    std::string LastMessage() const { return boxes.shown.empty() ? "" : boxes.shown.back().text; }
};

TEST_F(ViewTest, ClickPlaysTheCellUnderTheMouse) {
    ClickCell(view, doc, "H8");
    EXPECT_EQ(doc.Board[7][7], kBlack);
    ClickCell(view, doc, "A1");
    EXPECT_EQ(doc.Board[0][0], kWhite);
    // In the band between two lines nothing happens.
    BoardGeometry g(15);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(g.LineX(3) + 13, g.LineY(3)));
    EXPECT_EQ(doc.Record.size(), 2u);
    EXPECT_EQ(view.StatusText(), "player 1");
}

TEST_F(ViewTest, ComputerAnswersAndClicksAreRefusedWhileItThinks) {
    doc.PlayerLevel = {0, 12};
    doc.MaxSeconds = 0;
    ClickCell(view, doc, "H8");
    ASSERT_TRUE(view.Thinking());
    EXPECT_EQ(view.StatusText(), "Level C thinking...");
    ClickCell(view, doc, "A1");
    EXPECT_EQ(LastMessage(), "Not Your Turn");
    EXPECT_EQ(doc.Record.size(), 1u);
    EXPECT_TRUE(IsFree(doc.Board[0][0]));

    // Stop ends the search without a move; Go starts it again.
    view.Stop();
    EXPECT_FALSE(view.Thinking());
    EXPECT_EQ(doc.Record.size(), 1u);
    EXPECT_EQ(view.StatusText(), "player 2");
    QTest::qWait(50); // a message of the stopped search arriving now is dropped
    EXPECT_EQ(doc.Record.size(), 1u);

    doc.PlayerLevel = {0, 2};
    ASSERT_TRUE(view.Go());
    ASSERT_TRUE(WaitFor([&] { return !view.Thinking(); }));
    EXPECT_EQ(doc.Record.size(), 2u);
    EXPECT_EQ(doc.ToMove, kBlack);
}

TEST_F(ViewTest, ProgressMessagesReachTheView) {
    for (const char* m : {"H8", "H9", "J9"}) ClickCell(view, doc, m);
    int reports = 0;
    QObject::connect(&view, &CKelvorView::Progress, [&](int percent, int cell) {
        ++reports;
        EXPECT_GE(percent, 0);
        EXPECT_LT(percent, 100);
        EXPECT_GE(cell, 0);
    });
    doc.PlayerLevel = {0, 3};
    ASSERT_TRUE(view.Go());
    ASSERT_TRUE(WaitFor([&] { return doc.Record.size() == 4; }));
    EXPECT_GT(reports, 0);
}

TEST_F(ViewTest, ComputerAgainstComputerPlaysToTheEnd) {
    doc.Variant = 0;
    doc.SetBoardSize(13);
    doc.PlayerLevel = {2, 1};
    doc.MaxSeconds = 2;
    ASSERT_TRUE(view.AfterMove());
    ASSERT_TRUE(WaitFor([&] { return doc.GameState == kGameOver && !view.Thinking(); }));
    const std::string end = LastMessage();
    EXPECT_TRUE(end == "Player 1 won" || end == "Player 2 won" || end == "Draw!") << end;
    EXPECT_EQ(doc.Board[6][6], kBlack); // the first stone at the centre
    // In renju black never made a forbidden move: replaying black's moves checks them.
    CKelvorDoc replay(KELVOR_DATA_DIR, 1);
    replay.Variant = 0;
    replay.OpeningBook = false;
    replay.SetBoardSize(13);
    for (size_t i = 0; i + 1 < doc.Record.size(); ++i) {
        const int x = doc.Record[i] % 13, y = doc.Record[i] / 13;
        if (i % 2 == 0) {
            EXPECT_TRUE(replay.IsLegal(x, y)) << CellText(x, y);
        }
        replay.MakeMove(x, y);
    }
}

TEST_F(ViewTest, ViewGoingAwayWhileTheComputerThinksStopsIt) {
    auto* v = new CKelvorView(doc);
    doc.PlayerLevel = {12, 12};
    doc.MaxSeconds = 0;
    ClickCell(*v, doc, "H8"); // refused: black is a computer now
    EXPECT_EQ(LastMessage(), "Not Your Turn");
    doc.PlayerLevel = {0, 12};
    ClickCell(*v, doc, "H8");
    ASSERT_TRUE(doc.Thinking());
    delete v;
    EXPECT_FALSE(doc.Thinking());
    QTest::qWait(20); // no message may reach the deleted view
}

} // namespace

// Started where "renju.tbl" and "renju.scs" are missing: the view stays up, and clicks
// and Go say why nothing happens instead of ending the program.
TEST(ViewWithoutTables, ClicksAndGoAreRefusedWithAMessage) {
    testing_support::TempFolder empty;
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(empty.Path(), 1);
    ASSERT_FALSE(doc.TablesLoaded());
    CKelvorView view(doc);
    view.resize(view.sizeHint());
    boxes.shown.clear();
    ClickCell(view, doc, "H8");
    EXPECT_TRUE(doc.Record.empty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kNoTablesText);
    doc.PlayerLevel = {3, 3};
    view.Go();
    EXPECT_FALSE(view.Thinking());
    EXPECT_EQ(boxes.shown.back().text, kNoTablesText);
    EXPECT_TRUE(doc.Record.empty());
}
