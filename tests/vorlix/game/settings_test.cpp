#include "platform/atomic_file.h"
#include "platform/profile.h"
#include "vorlix/game/settings.h"

#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {
const std::string kProgram = "/opt/vorlix/";
}

TEST(Settings, DefaultsWithoutAFile) {
    testing_support::TempFolder dir;
    Settings s = ReadSettings(dir.Path());
    EXPECT_EQ(s.DataFolder, dir.Path() + "data/");
    EXPECT_EQ(s.BoardFolder, dir.Path() + "data/allas/");
    EXPECT_EQ(s.GameFolder, dir.Path() + "data/parti");
    EXPECT_EQ(s.ConfigFolder, dir.Path() + "cfg/");
    EXPECT_EQ(s.OutputFolder, dir.Path() + "Kronika/");
    EXPECT_EQ(s.TestBedFolder, dir.Path() + "TestBed/");
    EXPECT_EQ(s.PlayersFolder, dir.Path() + "Players/");
    EXPECT_EQ(s.ColourChange, 0);
    EXPECT_TRUE(s.RandomOpening);
    EXPECT_EQ(s.Level, 3);
    EXPECT_FALSE(s.LearningMode);
    EXPECT_TRUE(s.LearnOpening);
    EXPECT_TRUE(s.MachineStart);
    EXPECT_EQ(s.DrawAt, 223);
    EXPECT_FLOAT_EQ(s.IdoLimit, 0.3f);
}

TEST(Settings, FolderValuesAbsoluteOrUnderTheProgramFolder) {
    Settings s = ReadSettingsText(
        "[Paths]\nData=D:\\x\\\nBoard=x\\\nGame=/srv/games/\nPlayers=plug/ins/\n", kProgram);
    EXPECT_EQ(s.DataFolder, "D:/x/");
    EXPECT_EQ(s.BoardFolder, kProgram + "x/");
    EXPECT_EQ(s.GameFolder, "/srv/games/");
    EXPECT_EQ(s.PlayersFolder, kProgram + "plug/ins/");
}

TEST(Settings, OptionValues) {
    Settings s =
        ReadSettingsText("[Options]\nColour change=257\nRandom opening=0\nLevel=6\nLearningMode=5\n"
                         "MachineStart=0\nDrawAt=100\n[Parameters]\nIdoLimit=1.25xyz\n",
                         kProgram);
    EXPECT_EQ(s.ColourChange, 1); // only the low byte is kept
    EXPECT_FALSE(s.RandomOpening);
    EXPECT_EQ(s.Level, 6);
    EXPECT_TRUE(s.LearningMode); // any nonzero integer is true
    EXPECT_FALSE(s.MachineStart);
    EXPECT_EQ(s.DrawAt, 100);
    EXPECT_FLOAT_EQ(s.IdoLimit, 1.25f);
    EXPECT_FLOAT_EQ(ReadSettingsText("[Parameters]\nIdoLimit=abc\n", kProgram).IdoLimit, 0.3f);
}

TEST(Settings, MalformedFileGivesDefaultsWithoutCrashing) {
    Settings s = ReadSettingsText(
        std::string("[Options\nDrawAt==\n[Options]\nDrawAt=x\nLevel\n\0\xff[Paths]\nData=", 40) +
            std::string(10000, 'd'),
        kProgram);
    EXPECT_EQ(s.DrawAt, 223);
    EXPECT_EQ(s.Level, 3);
}

TEST(Settings, OverlongValuesAreCut) {
    Settings s = ReadSettingsText("[Paths]\nData=" + std::string(5000, 'a') + "/\n", kProgram);
    EXPECT_EQ(s.DataFolder, kProgram + std::string(kMaxFolderLength, 'a'));
    s = ReadSettingsText("[Files]\nAutoFluxus=" + std::string(1000, 'a') + "\n", kProgram);
    EXPECT_EQ(s.AutoFluxus, std::string(255, 'a'));
}

// A program folder deep enough that every folder value passes 255 characters: what Options
// writes must come back whole, or the next start refuses the installation.
TEST(Settings, LongFolderValuesSurviveARoundTrip) {
    testing_support::TempFolder dir;
    std::string program = dir.Path();
    while (program.size() < 300) program += std::string(40, 'p') + "/";
    std::filesystem::create_directories(program + "data");
    ASSERT_EQ(platform::WriteFileAtomic(program + "data/" + kBookFileName, "x"),
              platform::WriteResult::Ok);
    Settings s = ReadSettings(program);
    ASSERT_TRUE(CheckInstallation(s));
    ASSERT_TRUE(WriteSettings(s, program));
    Settings back = ReadSettings(program);
    EXPECT_GT(back.PlayersFolder.size(), 255u);
    EXPECT_EQ(back.DataFolder, s.DataFolder);
    EXPECT_EQ(back.PlayersFolder, s.PlayersFolder);
    EXPECT_EQ(back.OutputFolder, s.OutputFolder);
    EXPECT_TRUE(CheckInstallation(back));

    // A value reading could not give back is refused, and the file stays as it was.
    std::string before;
    ASSERT_TRUE(platform::ReadFile(program + kSettingsFileName, before));
    back.BoardFolder = "/" + std::string(kMaxFolderLength, 'b') + "/";
    std::string why;
    EXPECT_FALSE(WriteSettings(back, program, &why));
    EXPECT_NE(why.find("\"Board\""), std::string::npos);
    std::string after;
    ASSERT_TRUE(platform::ReadFile(program + kSettingsFileName, after));
    EXPECT_EQ(after, before);
}

TEST(Settings, DrawLimitIsReadIntoTheBoardsRange) {
    auto drawAt = [](const std::string& v) {
        return ReadSettingsText("[Options]\nDrawAt=" + v + "\n", kProgram).DrawAt;
    };
    EXPECT_EQ(drawAt("10"), 10);
    EXPECT_EQ(drawAt("1"), 1);
    EXPECT_EQ(drawAt("225"), 225);
    EXPECT_EQ(drawAt("226"), 225);
    EXPECT_EQ(drawAt("2147483647"), 225);
    EXPECT_EQ(drawAt("0"), 223);
    EXPECT_EQ(drawAt("-5"), 223);
}

TEST(Settings, WritingKeepsOrderDropsReadOnlyKeysAndRenamesTheOutputFolder) {
    testing_support::TempFolder dir;
    Settings s = ReadSettings(dir.Path());
    s.Level = 5;
    ASSERT_TRUE(WriteSettings(s, dir.Path()));
    std::string text;
    ASSERT_TRUE(platform::ReadFile(dir.Path() + "vorlix.ini", text));
    const std::string p = dir.Path();
    EXPECT_EQ(
        text,
        "[Paths]\nData=" + p + "data/\nBoard=" + p + "data/allas/\nGame=" + p +
            "data/parti\nConfig=" + p + "cfg/\nOutput=" + p + "Kronika/\nTestBed=" + p +
            "TestBed/\nPlayers=" + p +
            "Players/\n[Options]\nColour change=0\nRandom opening=1\nLevel=5\nLearningMode=0\n"
            "LearnOpening=1\nMachineStart=1\nDrawAt=223\n");
    EXPECT_EQ(text.find("AutoFluxus"), std::string::npos);
    EXPECT_EQ(text.find("IdoLimit"), std::string::npos);

    // The next start reads absolute folders, and the output folder still from "Kronika".
    ASSERT_EQ(platform::WriteFileAtomic(dir.Path() + "vorlix.ini", text + "[Paths]\n"),
              platform::WriteResult::Ok);
    platform::ProfileFile ini;
    ini.Load(dir.Path() + "vorlix.ini");
    ini.SetString("Paths", "Kronika", "/elsewhere/");
    ASSERT_TRUE(ini.Save(dir.Path() + "vorlix.ini"));
    Settings back = ReadSettings(dir.Path());
    EXPECT_EQ(back.DataFolder, p + "data/");
    EXPECT_EQ(back.OutputFolder, "/elsewhere/");
    EXPECT_EQ(back.Level, 5);
}

TEST(Settings, WritingKeepsForeignLinesAndReportsFailure) {
    testing_support::TempFolder dir;
    ASSERT_EQ(
        platform::WriteFileAtomic(dir.Path() + "vorlix.ini", "; mine\n[Files]\nAutoFluxus=a.txt\n"),
        platform::WriteResult::Ok);
    Settings s = ReadSettings(dir.Path());
    EXPECT_EQ(s.AutoFluxus, "a.txt");
    ASSERT_TRUE(WriteSettings(s, dir.Path()));
    std::string text;
    platform::ReadFile(dir.Path() + "vorlix.ini", text);
    EXPECT_EQ(text.rfind("; mine\n[Files]\nAutoFluxus=a.txt\n", 0), 0u);
    std::string err;
    EXPECT_FALSE(WriteSettings(s, dir.Path() + "missing/", &err));
    EXPECT_FALSE(err.empty());
}

TEST(Settings, InstallationNeedsTheOpeningBook) {
    testing_support::TempFolder dir;
    Settings s = ReadSettings(dir.Path());
    EXPECT_FALSE(CheckInstallation(s));
    std::filesystem::create_directory(dir.Path() + "data");
    ASSERT_EQ(platform::WriteFileAtomic(dir.Path() + "data/kezd.dat", ""),
              platform::WriteResult::Ok);
    EXPECT_TRUE(CheckInstallation(s));
    EXPECT_EQ(
        std::string(kInstallationMessage).rfind("This program contanis subdirectories !\r", 0), 0u);
}

TEST(Settings, InstalledProgramFindsItsDataAndLibraries) {
    // PREFIX/bin/vorlix with PREFIX/share/vorlix/: relative folders lie in the installed
    // trees, the players folder under lib/, everything else under share/.
    // Saved games go to the user's data folder.
    testing_support::TempFolder root;
    std::filesystem::create_directories(root.Path() + "usr/bin");
    std::filesystem::create_directories(root.Path() + "usr/share/vorlix/data");
    testing_support::ScopedEnv data("XDG_DATA_HOME", root.Path() + "user");
    Settings s = ReadSettings(root.Path() + "usr/bin/");
    EXPECT_EQ(s.DataFolder, root.Path() + "usr/share/vorlix/data/");
    EXPECT_EQ(s.GameFolder, root.Path() + "user/vorlix/data/parti");
    EXPECT_EQ(s.PlayersFolder, root.Path() + "usr/lib/vorlix/Players/");
    Settings absolute =
        ReadSettingsText("[Paths]\nPlayers=/home/me/Players/\n", root.Path() + "usr/bin/");
    EXPECT_EQ(absolute.PlayersFolder, "/home/me/Players/");
}

TEST(Settings, AnInstalledProgramKeepsTheUsersSettingsInTheUsersFolder) {
    // The installed file gives the defaults; the first save writes the user's own file,
    // which is read from then on, and the installed one is never touched.
    testing_support::TempFolder root;
    std::filesystem::create_directories(root.Path() + "usr/bin");
    std::filesystem::create_directories(root.Path() + "usr/share/vorlix/data");
    testing_support::ScopedEnv config("XDG_CONFIG_HOME", root.Path() + "config");
    const std::string program = root.Path() + "usr/bin/";
    ASSERT_TRUE(platform::WriteFileAtomic(program + kSettingsFileName,
                                          "[Options]\nLevel=7\n; installed\n") ==
                platform::WriteResult::Ok);
    EXPECT_EQ(SettingsFile(program), root.Path() + "config/vorlix/vorlix.ini");
    Settings s = ReadSettings(program);
    EXPECT_EQ(s.Level, 7);
    s.Level = 5;
    ASSERT_TRUE(WriteSettings(s, program));
    EXPECT_EQ(ReadSettings(program).Level, 5);
    std::string installed, own;
    ASSERT_TRUE(platform::ReadFile(program + kSettingsFileName, installed));
    ASSERT_TRUE(platform::ReadFile(SettingsFile(program), own));
    EXPECT_NE(installed.find("Level=7"), std::string::npos);
    EXPECT_NE(own.find("Level=5"), std::string::npos);
    EXPECT_NE(own.find("; installed"), std::string::npos);
}
