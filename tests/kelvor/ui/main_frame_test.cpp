// The main window: menus, record commands, files, the dialogs' effects, and two games
// played the way a user plays them, with mouse clicks.

#include "kelvor/ui/main_frame.h"
#include "kelvor/ui/options_dialog.h"
#include "kelvor/ui/players_dialog.h"
#include "kelvor/ui/swap_dialog.h"
#include "kelvor_ui_support.h"
#include "support/test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

using namespace kelvor;
using kelvor_ui_test::ClickCell;
using kelvor_ui_test::WaitFor;

struct FrameTest : ::testing::Test {
    testing_support::RecordingBoxes boxes;
    CMainFrame frame{std::make_unique<CKelvorDoc>(KELVOR_DATA_DIR, 4)};
    CKelvorDoc& doc = frame.Document();
    int swapQuestions = 0;
    FrameTest() {
        doc.OpeningBook = false;
        doc.AskSwap = [this] {
            ++swapQuestions;
            return false;
        };
        frame.FileNew();
    }
    void Click(const std::string& cell) { ClickCell(frame.View(), doc, cell); }
    std::string LastMessage() const { return boxes.shown.empty() ? "" : boxes.shown.back().text; }
    bool Shown(const std::string& text) const {
        for (const auto& b : boxes.shown)
            if (b.text == text) return true;
        return false;
    }

    // Plays black's moves as a human would, by clicks, choosing each with the level-1
    // search, while the computer answers for white, until the game ends.
    void PlayOutAsHuman() {
        for (int guard = 0; guard < 400 && doc.GameState != kGameOver; ++guard) {
            ASSERT_TRUE(WaitFor([&] { return !doc.Thinking(); }));
            if (doc.GameState == kGameOver) break;
            if (doc.IsComputerTurn()) {
                ASSERT_TRUE(frame.View().Go()); // after a swap the computer moves first
                continue;
            }
            const size_t before = doc.Record.size();
            ThinkResult r = doc.Think();
            ASSERT_GE(r.x, 0);
            ClickCell(frame.View(), doc, r.x, r.y);
            // An opening rule may refuse the engine's choice: then the nearest free cell
            // to the centre that is allowed.
            for (int d = 0; doc.Record.size() == before && d <= doc.Centre; ++d)
                for (int x = doc.Centre - d; x <= doc.Centre + d && doc.Record.size() == before;
                     ++x)
                    for (int y = doc.Centre - d; y <= doc.Centre + d && doc.Record.size() == before;
                         ++y)
                        if (IsFree(doc.Board[x][y])) ClickCell(frame.View(), doc, x, y);
            ASSERT_GT(doc.Record.size(), before);
        }
        ASSERT_EQ(doc.GameState, kGameOver);
    }
};

TEST_F(FrameTest, MenusHaveTheirCaptionsAndTheStartingPanes) {
    QStringList menus;
    for (QAction* a : frame.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "Options", "&View", "&Help"}));
    const auto& c = frame.Commands();
    EXPECT_EQ(c.fileNew->text(), "&New\tCtrl+N");
    EXPECT_EQ(c.fileOpen->text(), "&Open...\tCtrl+O");
    EXPECT_EQ(c.fileSave->text(), "&Save\tCtrl+S");
    EXPECT_EQ(c.fileSaveAs->text(), "Save &As...");
    EXPECT_EQ(c.exit->text(), "E&xit");
    EXPECT_EQ(c.rewind->statusTip(), "Back to First Move");
    EXPECT_EQ(c.forward->statusTip(), "Ahead to last move");
    EXPECT_EQ(c.about->text(), "&About Kelvor...");
    EXPECT_EQ(c.fileNew->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame.PaneText(0), "0");
    EXPECT_EQ(frame.PaneText(2), "Time not set");
    EXPECT_EQ(frame.windowTitle(), "untitled.kgf - Kelvor");
}

TEST_F(FrameTest, RecordCommandsStepThroughTheGameAndRestWhileTheComputerThinks) {
    for (const char* m : {"H8", "H9", "J9", "J8"}) Click(m);
    EXPECT_FALSE(frame.Commands().ahead->isEnabled());
    frame.Back();
    frame.Back();
    EXPECT_EQ(doc.Record.size(), 2u);
    EXPECT_TRUE(frame.Commands().forward->isEnabled());
    frame.Ahead();
    EXPECT_EQ(doc.Record.size(), 3u);
    frame.Rewind();
    EXPECT_TRUE(doc.Record.empty());
    frame.Forward();
    EXPECT_EQ(doc.Record.size(), 4u);

    doc.PlayerLevel = {12, 0};
    doc.MaxSeconds = 0;
    frame.View().DocumentChanged();
    ASSERT_TRUE(frame.Commands().go->isEnabled());
    frame.Go();
    ASSERT_TRUE(doc.Thinking());
    for (QAction* a : {frame.Commands().rewind, frame.Commands().back, frame.Commands().fileOpen,
                       frame.Commands().go, frame.Commands().optionsGame})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(frame.Commands().stop->isEnabled());
    frame.Back(); // refused
    EXPECT_EQ(doc.Record.size(), 4u);
    frame.Stop();
    EXPECT_FALSE(doc.Thinking());
    EXPECT_EQ(doc.Record.size(), 4u);
    EXPECT_TRUE(frame.Commands().back->isEnabled());
}

TEST_F(FrameTest, SavedGameReopensAndOpeningIsRefusedWhileThinking) {
    doc.Variant = 0;
    doc.SetBoardSize(17);
    for (const char* m : {"J9", "K10", "H10", "A17"}) Click(m);
    testing_support::TempFolder tmp;
    const QString path = QString::fromStdString(tmp.Path() + "game.kgf");
    ASSERT_TRUE(frame.SaveFile(path));
    EXPECT_EQ(frame.windowTitle(), "game.kgf - Kelvor");
    const std::vector<int> record = doc.Record;

    frame.FileNew();
    doc.Variant = 1;
    doc.SetBoardSize(15);
    EXPECT_EQ(frame.windowTitle(), "untitled.kgf - Kelvor");
    ASSERT_TRUE(frame.OpenFile(path));
    EXPECT_EQ(doc.Variant, 0);
    EXPECT_EQ(doc.BoardSize, 17);
    EXPECT_EQ(doc.Record, record);
    EXPECT_EQ(doc.Board[0][16], kWhite); // A17

    doc.PlayerLevel = {12, 12};
    doc.MaxSeconds = 0;
    frame.Go();
    ASSERT_TRUE(doc.Thinking());
    EXPECT_FALSE(frame.OpenFile(path));
    frame.Stop();

    // A file that is not a game: the message, and an empty game.
    const std::string bad = tmp.Path() + "bad.kgf";
    ASSERT_EQ(std::fopen(bad.c_str(), "wb") != nullptr, true);
    EXPECT_FALSE(frame.OpenFile(QString::fromStdString(bad)));
    EXPECT_EQ(LastMessage(), "Not a valid kgf file");
    EXPECT_TRUE(doc.Record.empty());
}

TEST_F(FrameTest, OptionsDialogShowsAndStoresTheSettings) {
    {
        COptionsDialog d(doc);
        EXPECT_EQ(d.windowTitle(), "Dialog");
        EXPECT_TRUE(d.GomokuButton()->isChecked());
        EXPECT_EQ(d.SizeList()->currentRow(), 1); // 15
        d.RenjuButton()->setChecked(true);
        d.SizeList()->setCurrentRow(2);
        d.VctBox()->setChecked(true);
        d.BreadthBox()->setChecked(true);
        d.BookBox()->setChecked(false);
        d.ApplyTo(doc);
    }
    EXPECT_EQ(doc.Variant, 0);
    EXPECT_EQ(doc.BoardSize, 17);
    EXPECT_EQ(doc.Centre, 8);
    EXPECT_TRUE(doc.VctSearch);
    EXPECT_EQ(doc.HiBreadth, 2);
    EXPECT_EQ(doc.HiExtent, 2);
    EXPECT_FALSE(doc.OpeningBook);

    // The tournament opening forces the book on and its board size.
    for (int variant : {0, 1}) {
        COptionsDialog d(doc);
        (variant == 0 ? d.RenjuButton() : d.GomokuButton())->setChecked(true);
        d.TournamentBox()->setChecked(true);
        d.BookBox()->setChecked(false);
        d.SizeList()->setCurrentRow(0);
        d.ExtentBox()->setChecked(true);
        d.ApplyTo(doc);
        EXPECT_EQ(doc.BoardSize, variant == 0 ? 15 : 19);
        EXPECT_TRUE(doc.OpeningBook);
        EXPECT_EQ(doc.HiExtent, 3);
    }
}

TEST_F(FrameTest, TheMoveLimitIsAnOptionOfTheWindow) {
    EXPECT_EQ(doc.MaxSeconds, 60);
    {
        COptionsDialog d(doc);
        EXPECT_TRUE(d.LimitBox()->isChecked());
        d.LimitBox()->setChecked(false);
        d.ApplyTo(doc);
    }
    // Off, only the search's own time control stops a move.
    EXPECT_EQ(doc.MaxSeconds, 0);
    {
        COptionsDialog d(doc);
        EXPECT_FALSE(d.LimitBox()->isChecked());
        d.LimitBox()->setChecked(true);
        d.ApplyTo(doc);
    }
    EXPECT_EQ(doc.MaxSeconds, 60);
}

TEST_F(FrameTest, OptionsKeepTheGameOnTheSameSizeAndWidenTheCandidates) {
    for (const char* m : {"H8", "H9"}) Click(m);
    COptionsDialog d(doc);
    d.ExtentBox()->setChecked(true);
    d.ApplyTo(doc);
    EXPECT_EQ(doc.Record.size(), 2u);
    EXPECT_EQ(doc.Board[7][2], kCandidate); // H3: 5 lines below H8
    EXPECT_EQ(doc.Board[7][1], kEmpty);
}

TEST_F(FrameTest, PlayersAndSwapDialogs) {
    CPlayersDialog p(doc);
    EXPECT_EQ(p.windowTitle(), "Choose Players");
    ASSERT_EQ(p.BlackList()->count(), 13);
    EXPECT_EQ(p.BlackList()->item(0)->text(), "H");
    EXPECT_EQ(p.WhiteList()->item(12)->text(), "C");
    p.WhiteList()->setCurrentRow(10);
    p.ApplyTo(doc);
    EXPECT_EQ(doc.PlayerLevel[0], 0);
    EXPECT_EQ(doc.PlayerLevel[1], 10);

    CSwapDialog s;
    EXPECT_EQ(s.windowTitle(), "Swap Dialog");
    s.YesButton()->setChecked(true);
    s.accept();
    EXPECT_TRUE(s.Swap());
}

// A new user: white at level 1, renju as black, a forbidden move refused, the game
// played to its end.
TEST_F(FrameTest, RenjuAsBlackAgainstALevel) {
    doc.Variant = 0;
    doc.NewGame();
    // Both sides by hand first, to build a double three for black at K8.
    for (const char* m : {"H8", "F6", "J8", "A1", "K9", "A15", "K10", "O1"}) Click(m);
    ASSERT_EQ(doc.Record.size(), 8u);
    CPlayersDialog p(doc);
    p.WhiteList()->setCurrentRow(1);
    p.ApplyTo(doc);
    Click("K8");
    EXPECT_EQ(LastMessage(), "Illegal");
    EXPECT_EQ(doc.Record.size(), 8u);
    PlayOutAsHuman();
    EXPECT_TRUE(Shown("Player 1 won") || Shown("Player 2 won") || Shown("Draw!"));
}

// Gomoku on 19 x 19 with the tournament opening: the first stone must be the centre;
// the computer's book and swap choice play along.
TEST_F(FrameTest, GomokuTournamentOpeningOnNineteen) {
    {
        COptionsDialog d(doc);
        d.GomokuButton()->setChecked(true);
        d.TournamentBox()->setChecked(true);
        d.ApplyTo(doc);
    }
    ASSERT_EQ(doc.BoardSize, 19);
    doc.PlayerLevel = {0, 1};
    Click("A1");
    EXPECT_EQ(LastMessage(), "Illegal");
    Click("K10");
    EXPECT_EQ(doc.Board[9][9], kBlack);
    ASSERT_TRUE(WaitFor([&] { return doc.Record.size() == 2 && !doc.Thinking(); }));
    PlayOutAsHuman();
    EXPECT_EQ(swapQuestions, 0); // the computer held white: it decided alone
}

} // namespace
