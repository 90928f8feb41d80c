#include "platform/atomic_file.h"
#include "platform/datetime.h"
#include "platform/program_folder.h"
#include "vorlix/game/board.h"
#include "vorlix/game/gamefile.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace vorlix;

namespace {

class GameFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGameModel();
        FirstPlayerName = "Level 3";
        SecondPlayerName = "Ember";
    }
    void TearDown() override { platform::SetFixedClock(0); }
    std::string Read(const std::string& f) {
        std::string s;
        EXPECT_TRUE(platform::ReadFile(f, s));
        return s;
    }
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
};

} // namespace

TEST_F(GameFileTest, BinaryFileOfOneMove) {
    RecordMove(8, 8, kBlack);
    ASSERT_TRUE(SaveGameBinary(dir.Path() + "g.bin"));
    EXPECT_EQ(Read(dir.Path() + "g.bin"), std::string("\x01\x7f", 2));
}

TEST_F(GameFileTest, BinaryFileOfAFullBoardAndItsCodes) {
    for (int c = 1; c <= kCells; ++c) RecordMove(CellX(c), CellY(c), c % 2 ? kBlack : kWhite);
    ASSERT_TRUE(SaveGameBinary(dir.Path() + "full.bin"));
    std::string s = Read(dir.Path() + "full.bin");
    ASSERT_EQ(s.size(), 226u);
    EXPECT_EQ(static_cast<unsigned char>(s[0]), 225);
    for (int i = 1; i <= kCells; ++i) {
        int code = static_cast<unsigned char>(s[static_cast<size_t>(i)]);
        ASSERT_GE(code, 15);
        ASSERT_LE(code, 239);
        int x = (code + 1) % 15;
        if (x == 0) x = 15;
        EXPECT_EQ(x, GameRecord[i].X);
        EXPECT_EQ((code + 1 - x) / 15, GameRecord[i].Y);
    }
}

TEST_F(GameFileTest, TextFileLayout) {
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_mon = 0;
    tm.tm_mday = 2;
    tm.tm_hour = 13;
    tm.tm_min = 4;
    tm.tm_isdst = -1;
    platform::SetFixedClock(std::mktime(&tm));
    RecordMove(8, 8, kBlack);
    RecordMove(1, 15, kWhite);
    ASSERT_TRUE(SaveGameText(dir.Path() + "g.txt"));
    EXPECT_EQ(Read(dir.Path() + "g.txt"), "Black: Level 3\r\nWhite: Ember\r\n2026.01.02 13:04\r\n"
                                          "  1. H8     0.000   0\r\n"
                                          "  2. A15    0.000   0\r\n");
    EXPECT_EQ(MoveLine(1).size(), 21u);
    // The short date format now carries the time as well.
    EXPECT_EQ(platform::ShortDateText(), "2026.01.02 13:04");
}

TEST_F(GameFileTest, TextFileAfterAColourChangeNamesTheSecondPlayerBlack) {
    ColourChanged = true;
    RecordMove(8, 8, kBlack);
    std::string s = GameTextContent();
    EXPECT_EQ(s.rfind("Black: Ember\r\nWhite: Level 3\r\n", 0), 0u);
    auto lines = s.substr(s.find("\r\n", s.find("White")) + 2);
    lines = lines.substr(lines.find("\r\n") + 2);
    EXPECT_EQ(lines, "Colour changed.\r\n  1. H8     0.000   0\r\n");
}

TEST_F(GameFileTest, AFileThatCannotBeCreatedIsReportedAndNothingChanges) {
    RecordMove(8, 8, kBlack);
    EXPECT_FALSE(SaveGameBinary(dir.Path() + "missing/g.bin"));
    EXPECT_FALSE(SaveGameText(dir.Path() + "missing/g.txt"));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "File open error !");
    EXPECT_EQ(boxes.shown[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(MoveCount, 1);
}

TEST_F(GameFileTest, GameDumpGoesToTheProgramFolder) {
    platform::SetProgramFolder(dir.Path());
    RecordMove(8, 8, kBlack);
    EXPECT_TRUE(WriteGameDump());
    EXPECT_TRUE(platform::FileExists(dir.Path() + "hiba.txt"));
    platform::SetProgramFolder("");
}

// Under a decimal-comma locale (a German user's) the move lines of the game text file
// and of the engines' dump "hiba.txt" still read "0.000".
class GameFileLocaleTest : public GameFileTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GameFileLocaleTest, ScoresKeepTheirFullStop) {
    const bool dump = GetParam();
    testing_support::CommaLocale comma;
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    platform::SetProgramFolder(dir.Path());
    RecordMove(8, 8, kBlack);
    RecordMove(9, 9, kWhite);
    MoveScore[2] = -12.5f;
    const std::string file = dump ? dir.Path() + "hiba.txt" : dir.Path() + "g.txt";
    ASSERT_TRUE(dump ? WriteGameDump() : SaveGameText(file));
    platform::SetProgramFolder("");
    const std::string text = Read(file);
    EXPECT_NE(text.find("  1. H8     0.000   0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  2. I9   -12.500   0\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find(','), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(CommaLocale, GameFileLocaleTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& dump) {
                             return dump.param ? "GameDump" : "GameTextFile";
                         });
