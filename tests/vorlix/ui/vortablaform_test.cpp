// The main window driven as a user would: menus, the message panel, opponents, and
// whole games with mouse clicks on the board view.

#include "vorlix/ui/vortablaform.h"

#include "platform/program_folder.h"
#include "support/test_support.h"
#include "vorlix/game/board.h"
#include "vorlix/search/internal_players.h"
#include "vorlix/ui/opcioform.h"
#include "vorlix/ui/windowsize.h"
#include "vorlix/view/tablaobj.h"

#include "platform/atomic_file.h"
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGameModel();
        settings = ReadSettings(dir.Path());
        settings.PlayersFolder = std::string(VORLIX_BIN) + "/Players/";
    }
    std::unique_ptr<TVorTablaForm> MakeForm() {
        auto f = std::make_unique<TVorTablaForm>(settings, dir.Path(), nullptr);
        f->show();
        return f;
    }
    // Clicks the intersection (x, y) of the board view with the left button.
    static void ClickCell(TVorTablaForm& f, int x, int y) {
        TTablaGeometry g = f.TablaComp->Geometry();
        QTest::mouseClick(f.TablaComp, Qt::LeftButton, {},
                          QPoint(g.OriginX + (x - 1) * g.CellW, g.OriginY + (y - 1) * g.CellH));
    }
    static QStringList Captions(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text());
        return out;
    }
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
    Settings settings;
};

} // namespace

TEST_F(FormTest, StartsWithItsDesignedMenusAndPanels) {
    auto f = MakeForm();
    EXPECT_EQ(f->windowTitle(), "Gomoku board");
    EXPECT_EQ(Captions(f->GameMenu), (QStringList{"New game", "Return match", "Take back", "Resign",
                                                  "-", "Save game", "Save position", "-", "Exit"}));
    EXPECT_TRUE(f->NewGameMn->isEnabled());
    EXPECT_EQ(f->NewGameMn->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(f->ExitMn->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
    for (QAction* a : {f->ReturnMatchMn, f->TakeBackMn, f->ResignMn, f->SaveGameMn})
        EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(f->SavePositionMn->isVisible());
    EXPECT_EQ(Captions(f->InternalMenu).size(), 12);
    EXPECT_EQ(Captions(f->InternalMenu).last(), "About players");
    // The libraries of the build (the sample library and gomocup.so) are listed after
    // the internal levels.
    QStringList top = Captions(f->OpponentMenu);
    ASSERT_EQ(top.size(), 3) << top.join(", ").toStdString();
    EXPECT_EQ(top[0], "&Internal");
    EXPECT_TRUE(top.contains("Demo Dll")) << top.join(", ").toStdString();
    EXPECT_TRUE(top.contains("Gomocup")) << top.join(", ").toStdString();
    EXPECT_EQ(f->JatekosLb->text(), "Level 6");
    EXPECT_EQ(f->PontLb->text(), "1255");
    EXPECT_TRUE(f->MsgPanel->isHidden());
    EXPECT_TRUE(f->StoneSh->isHidden());
    EXPECT_TRUE(f->RFirstBt->isHidden());
}

TEST_F(FormTest, MessagePanelGrowsAndShrinksTheWindow) {
    auto f = MakeForm();
    int h = f->height();
    f->ShowMessage("The program have choosen black !", "", false);
    EXPECT_FALSE(f->MsgPanel->isHidden());
    EXPECT_EQ(f->height(), h + 41);
    EXPECT_TRUE(f->MsgYesBt->isHidden());
    f->ShowMessage("Would you like to be black ?", "", true);
    EXPECT_EQ(f->height(), h + 41);
    EXPECT_FALSE(f->MsgYesBt->isHidden());
    EXPECT_TRUE(f->MsgOkBt->isHidden());
    f->MsgNoBt->click();
    EXPECT_EQ(f->MsgAnswer, 2);
    f->ShowMessage("", "", false);
    EXPECT_TRUE(f->MsgPanel->isHidden());
    EXPECT_EQ(f->height(), h);
}

TEST_F(FormTest, ChoosingOpponents) {
    auto f = MakeForm();
    f->ChooseInternal(6); // already chosen: nothing happens
    EXPECT_FALSE(f->Controller().PlayerChanged);
    f->ChooseInternal(3);
    EXPECT_EQ(f->JatekosLb->text(), "Level 3");
    EXPECT_EQ(f->PontLb->text(), " 890.0");
    EXPECT_EQ(f->Controller().OpponentName, "Ilvar");
    f->ChooseLibrary("players", "Eager");
    EXPECT_EQ(f->Controller().OpponentName, "Eager");
    EXPECT_EQ(f->Controller().OpponentLibrary, "players");
    EXPECT_EQ(f->PontLb->text(), "100");
}

// Each size is that of the whole window, and at each the board's cells are square, with
// and without the message panel.
class WindowSizeTest : public FormTest, public ::testing::WithParamInterface<int> {};

TEST_P(WindowSizeTest, WholeWindowWithSquareCells) {
    auto f = MakeForm();
    const TWindowSize& size = kWindowSizes[static_cast<size_t>(GetParam())];
    f->ApplyWindowSize(GetParam());
    QCoreApplication::processEvents();
    EXPECT_EQ(f->frameGeometry().size(), QSize(size.Width, size.Height));
    for (bool panel : {false, true}) {
        SCOPED_TRACE(panel ? "message panel shown" : "no message panel");
        f->ShowMessage(panel ? "The program have choosen black !" : "", "", false);
        QCoreApplication::processEvents();
        const TTablaGeometry g = f->TablaComp->Geometry();
        EXPECT_GT(g.CellW, 0);
        EXPECT_EQ(g.CellW, g.CellH);
        // The board stays within the room the information panel leaves.
        const int spareW = f->InfPanel->x() - 6 - f->TablaComp->width();
        const int spareH = f->FoPanel->height() - 3 - f->TablaComp->height();
        EXPECT_GE(spareW, 0);
        EXPECT_GE(spareH, 0);
        EXPECT_TRUE(spareW < 15 || spareH < 15) << "less than a cell to spare one way";
    }
    EXPECT_EQ(f->frameGeometry().height(), size.Height + 41);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowSizeTest, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return std::string(kWindowSizes[static_cast<size_t>(i.param)].Caption);
                         });

TEST_F(FormTest, AWholeGameWithTheMouseThenReview) {
    settings.DrawAt = 8;
    auto f = MakeForm();
    f->ChooseLibrary("players", "Eager");
    boxes.answers = {true}; // review the game
    // The human (white) answers each computer move on the first empty cell of row 1.
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (f->Controller().RunMode != 1 || ColourToMove != kWhite || MoveCount % 2 != 1) return;
        for (int x = 1; x <= 15; ++x)
            if (Tabla[CellIndex(x, 1)] == kEmpty) {
                ClickCell(*f, x, 1);
                return;
            }
    });
    clicker.start(5);
    QTimer::singleShot(0, [&] {
        EXPECT_FALSE(f->NewGameMn->isEnabled()) << "New game is disabled while a game runs";
    });
    f->NewGameMn->trigger();
    clicker.stop();

    EXPECT_EQ(MoveCount, 8);
    EXPECT_EQ(GameRecord[1], (TPont{8, 8}));
    EXPECT_EQ(GameRecord[2], (TPont{1, 1}));
    ASSERT_FALSE(boxes.asked.empty());
    EXPECT_NE(boxes.asked.back().find("Would you like to review the game ?"), std::string::npos);
    // Review mode: move 1 is shown, the buttons and Save game are available.
    EXPECT_TRUE(f->NewGameMn->isEnabled());
    EXPECT_TRUE(f->SaveGameMn->isEnabled());
    EXPECT_FALSE(f->RFirstBt->isHidden());
    EXPECT_EQ(ShownMoves, 1);
    EXPECT_EQ(f->TablaComp->Mezo(8, 8), 1);
    EXPECT_EQ(f->TablaComp->Mezo(1, 1), 0);
    f->RNextBt->click();
    EXPECT_EQ(ShownMoves, 2);
    EXPECT_EQ(f->TablaComp->Mezo(1, 1), 2);
    EXPECT_EQ(f->TablaComp->Jel(1, 1), 1);
    f->RBackBt->click();
    EXPECT_EQ(ShownMoves, 1);
    EXPECT_EQ(f->StoneSh->Colour(), 1) << "the indicator shows the computer's colour";
}

TEST_F(FormTest, ClosingDuringAGameResignsFirstAndClosesAfterIt) {
    auto f = MakeForm();
    f->ChooseLibrary("players", "Eager");
    boxes.answers = {false};
    QTimer::singleShot(50, [&] { f->close(); });
    f->NewGameMn->trigger(); // the human never moves: only the close ends the game
    EXPECT_FALSE(f->GameRunning());
    EXPECT_FALSE(f->isVisible());
    ASSERT_FALSE(boxes.asked.empty());
    EXPECT_EQ(boxes.asked.back(), "Would you like to review the game ?");
    EXPECT_EQ(MoveCount, 0) << "No in the end question empties the board";
}

TEST_F(FormTest, APlayerThatCannotBeCreatedIsReported) {
    auto f = MakeForm();
    f->NewGameMn->trigger(); // Level 6 is not built into this test program
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown.back().text, "Players not found.\rQwilN4AVK\rEmber");
    EXPECT_TRUE(f->NewGameMn->isEnabled());
}

TEST_F(FormTest, PlaysAgainstAnInternalLevel) {
    settings.DataFolder = std::string(VORLIX_BIN) + "/data/";
    settings.DrawAt = 6;
    TVorTablaForm f(settings, dir.Path(),
                    [this](PlayerFactory& factory) { RegisterInternalPlayers(factory, settings); });
    f.show();
    f.ChooseInternal(0);
    EXPECT_EQ(f.JatekosLb->text(), "Level 0");
    boxes.answers = {false};
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (f.Controller().RunMode != 1 || ColourToMove != kWhite || MoveCount % 2 != 1) return;
        for (int x = 1; x <= 15; ++x)
            if (Tabla[CellIndex(x, 15)] == kEmpty) {
                ClickCell(f, x, 15);
                return;
            }
    });
    clicker.start(5);
    f.NewGameMn->trigger();
    clicker.stop();
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    ASSERT_FALSE(boxes.asked.empty());
    EXPECT_EQ(f.Controller().Outcome().kind, GameOutcome::Draw);
}

namespace {

// Plays the human's (white's) moves from a list, one per turn; `atTurn` runs before
// each human move with the number of moves on the board.
struct HumanScript {
    TVorTablaForm& form;
    std::vector<TPont> moves;
    std::function<bool(int moveCount)> atTurn; // false: do not move this time
    size_t next = 0;
    QTimer timer;
    HumanScript(TVorTablaForm& f, std::vector<TPont> m) : form(f), moves(std::move(m)) {
        QObject::connect(&timer, &QTimer::timeout, [this] { Tick(); });
        timer.start(5);
    }
    void Tick() {
        if (form.Controller().RunMode != 1 || ColourToMove != kWhite || MoveCount % 2 != 1) return;
        if (atTurn && !atTurn(MoveCount)) return;
        if (next >= moves.size()) return;
        TPont p = moves[next++];
        TTablaGeometry g = form.TablaComp->Geometry();
        QTest::mouseClick(form.TablaComp, Qt::LeftButton, {},
                          QPoint(g.OriginX + (p.X - 1) * g.CellW, g.OriginY + (p.Y - 1) * g.CellH));
    }
};

std::vector<TPont> Row(int y, int from, int n) {
    std::vector<TPont> out;
    for (int x = from; x < from + n; ++x)
        out.push_back(TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)});
    return out;
}

} // namespace

TEST_F(FormTest, FiveInARowEndsTheGameWithTheWinnersQuestionAndTheGameCanBeSaved) {
    qputenv("VORLIX_PLAYERS_CLOCK", "1");
    auto f = MakeForm();
    f->ChooseLibrary("players", "Random");
    boxes.answers = {true};
    HumanScript human(*f, Row(15, 1, 5));
    f->NewGameMn->trigger();
    ASSERT_EQ(f->Controller().Outcome().kind, GameOutcome::Five);
    EXPECT_EQ(boxes.asked.back(),
              "Congratulation !\rYou won !\rWould you like to review the game ?");
    EXPECT_EQ(MoveCount, 10);
    ASSERT_TRUE(f->SaveGameMn->isEnabled());
    std::string asked;
    f->ChooseSaveFile = [&](const std::string& folder) {
        asked = folder;
        return dir.Path() + "won.gam";
    };
    f->SaveGame();
    EXPECT_EQ(asked, settings.GameFolder);
    std::string bytes;
    ASSERT_TRUE(platform::ReadFile(dir.Path() + "won.gam", bytes));
    ASSERT_EQ(bytes.size(), 11u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 10);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 15 * 8 + 8 - 1);
    qunsetenv("VORLIX_PLAYERS_CLOCK");
}

TEST_F(FormTest, TakeBackRemovesTheLastTwoMovesAndResignEndsTheGame) {
    auto f = MakeForm();
    f->ChooseLibrary("players", "Eager");
    boxes.answers = {false};
    bool tookBack = false, resigned = false;
    HumanScript human(*f, Row(15, 1, 10));
    human.atTurn = [&](int moves) {
        if (moves == 5 && !tookBack) {
            EXPECT_TRUE(f->TakeBackMn->isEnabled());
            f->TakeBackMn->trigger();
            tookBack = true;
            return false;
        }
        if (tookBack && moves == 3 && !resigned) {
            // After the take-back the same colour (the human) is to move again on 3 stones.
            EXPECT_EQ(ShownMoves, 3);
            f->ResignMn->trigger();
            resigned = true;
            return false;
        }
        return true;
    };
    f->NewGameMn->trigger();
    EXPECT_TRUE(tookBack);
    EXPECT_TRUE(resigned);
    EXPECT_EQ(f->Controller().Outcome().kind, GameOutcome::Stopped);
    EXPECT_EQ(boxes.asked.back(), "Would you like to review the game ?");
    EXPECT_FALSE(f->ResignMn->isEnabled());
    EXPECT_FALSE(f->TakeBackMn->isEnabled());
}

TEST_F(FormTest, OpponentMenuWithNoneOrTwoLibraries) {
    settings.PlayersFolder = dir.Path() + "none/";
    {
        auto f = MakeForm();
        EXPECT_EQ(Captions(f->OpponentMenu), QStringList{"&Internal"});
    }
    std::filesystem::create_directory(dir.Path() + "two");
    for (const char* n : {"a.so", "b.so"})
        std::filesystem::copy_file(std::string(VORLIX_BIN) + "/Players/players.so",
                                   dir.Path() + "two/" + n);
    settings.PlayersFolder = dir.Path() + "two/";
    auto f = MakeForm();
    ASSERT_EQ(f->Libraries().size(), 2u);
    EXPECT_EQ(Captions(f->OpponentMenu).size(), 3);
    QMenu* lib = f->OpponentMenu->actions()[1]->menu();
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(Captions(lib), (QStringList{"Neighbour", "Random", "Eager", "-", "About players"}));
}

TEST_F(FormTest, SaveGameOpensInsideTheGamesFolderWithAnEmptyName) {
    // The games folder "data/parti" under the program folder does not exist yet.
    ASSERT_FALSE(std::filesystem::exists(settings.GameFolder));
    auto f = MakeForm();
    QString shownFolder, shownName = "-";
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawDialog = true;
        shownFolder = dialog->directory().absolutePath();
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) shownName = name->text();
        dialog->reject();
    });
    f->SaveGame();
    ASSERT_TRUE(sawDialog);
    EXPECT_TRUE(std::filesystem::is_directory(settings.GameFolder));
    EXPECT_EQ(shownFolder.toStdString(),
              std::filesystem::path(settings.GameFolder).lexically_normal().string());
    EXPECT_EQ(shownName, "") << "the folder's name is not offered as the file name";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FormTest, TheLevelSetByAGameIsWhatTheOptionsDialogWrites) {
    auto f = MakeForm();
    f->ChooseLibrary("players", "Eager");
    ASSERT_EQ(settings.Level, 3);
    boxes.answers = {false};
    QTimer resigner; // resigns as soon as the game lets the user
    QObject::connect(&resigner, &QTimer::timeout, [&] {
        if (f->ResignMn->isEnabled()) f->ResignMn->trigger();
    });
    resigner.start(5);
    f->NewGameMn->trigger();
    resigner.stop();
    EXPECT_EQ(settings.Level, 4) << "the window's settings are the controller's";

    // Options, then OK: the file says what the program holds.
    QTimer::singleShot(0, [&] {
        if (auto* dialog = dynamic_cast<TOpcioForm*>(QApplication::activeModalWidget()))
            dialog->OkBt->click();
    });
    f->OptionsMenu->actions().first()->trigger();
    std::string ini;
    ASSERT_TRUE(platform::ReadFile(dir.Path() + "vorlix.ini", ini));
    EXPECT_NE(ini.find("Level=4"), std::string::npos) << ini;
    EXPECT_EQ(ReadSettings(dir.Path()).Level, 4);
}
