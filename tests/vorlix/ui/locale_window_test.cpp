// The window under a decimal-comma locale, as a German user starts it: QApplication has
// switched the C library's number format to "0,000". The window keeps the program's
// own format, so Level 9 (whose opening tree carries weights like 0.95) can be created
// and play, and the game files still read "0.000".

#include "vorlix/ui/vortablaform.h"

#include "platform/atomic_file.h"
#include "platform/number_format.h"
#include "platform/program_folder.h"
#include "support/test_support.h"
#include "vorlix/game/board.h"
#include "vorlix/game/gamefile.h"
#include "vorlix/game/random.h"
#include "vorlix/search/internal_players.h"
#include "vorlix/view/tablaobj.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {

class CommaLocaleWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGameModel();
        SeedRandom(5);
        settings = ReadSettings(dir.Path());
        settings.DataFolder = std::string(VORLIX_BIN) + "/data/";
        settings.PlayersFolder = std::string(VORLIX_BIN) + "/Players/";
        platform::SetProgramFolder(dir.Path());
    }
    void TearDown() override { platform::SetProgramFolder(""); }

    testing_support::CommaLocale comma; // what QApplication did for the user
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
    Settings settings;
};

} // namespace

TEST_F(CommaLocaleWindowTest, PlaysAWholeGameAgainstLevel9AndWritesFullStops) {
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    ASSERT_FALSE(platform::PointDecimalInForce()) << "the user's comma is in force";
    TVorTablaForm f(settings, dir.Path(),
                    [this](PlayerFactory& factory) { RegisterInternalPlayers(factory, settings); });
    EXPECT_TRUE(platform::PointDecimalInForce()) << "the window keeps the program's format";
    f.show();
    f.ChooseInternal(9);
    EXPECT_EQ(f.JatekosLb->text(), "Level 9");
    EXPECT_EQ(f.PontLb->text(), "1875.0");

    // The human (white) answers on the bottom row until Level 9 has its five.
    bool pointDuringGame = true;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (f.Controller().RunMode != 1 || ColourToMove != kWhite || MoveCount % 2 != 1) return;
        pointDuringGame = pointDuringGame && platform::PointDecimalInForce();
        for (int x = 1; x <= 15; ++x)
            if (Tabla[CellIndex(x, 15)] == kEmpty) {
                const TTablaGeometry g = f.TablaComp->Geometry();
                QTest::mouseClick(f.TablaComp, Qt::LeftButton, {},
                                  QPoint(g.OriginX + (x - 1) * g.CellW, g.OriginY + 14 * g.CellH));
                return;
            }
    });
    clicker.start(5);
    std::string text;
    f.Controller().OnGameOver = [&](const GameOutcome&) {
        SaveGameText(dir.Path() + "game.txt");
        WriteGameDump();
    };
    boxes.answers = {true};
    f.NewGameMn->trigger();
    clicker.stop();

    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    ASSERT_EQ(f.Controller().Outcome().kind, GameOutcome::Five);
    EXPECT_EQ(f.Controller().Outcome().WinnerColour, kBlack);
    ASSERT_FALSE(boxes.asked.empty());
    EXPECT_EQ(boxes.asked.back(),
              "Game over !\rVosk7XLSHO_K won !\rWould you like to review the game ?");
    EXPECT_TRUE(pointDuringGame);
    for (const char* name : {"game.txt", "hiba.txt"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(platform::ReadFile(dir.Path() + name, text));
        EXPECT_NE(text.find("  1. H8     0.000   0\r\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("0,000"), std::string::npos) << text;
    }
}
