#include "platform/profile.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

using platform::ProfileFile;

TEST(ProfileFile, ReadsSectionsKeysAndDefaultsWithoutRegardToCase) {
    ProfileFile ini;
    ini.Parse("; comment\r\n[Paths]\r\nData = data/x/ \r\n\r\n[options]\nLevel=7\nName=\"quoted "
              "value\"\n");
    EXPECT_EQ(ini.GetString("paths", "DATA", "def"), "data/x/");
    EXPECT_EQ(ini.GetString("Paths", "Board", "def"), "def");
    EXPECT_EQ(ini.GetString("Missing", "Data", "def"), "def");
    EXPECT_EQ(ini.GetInt("Options", "Level", 3), 7);
    EXPECT_EQ(ini.GetString("Options", "Name", ""), "quoted value");
}

TEST(ProfileFile, IntegersThatAreNotWholeNumbersGiveTheDefault) {
    ProfileFile ini;
    ini.Parse("[O]\na=12abc\nb=\nc=99999999999\nd=-5\ne=+6\nf= 257 \n");
    EXPECT_EQ(ini.GetInt("O", "a", 3), 3);
    EXPECT_EQ(ini.GetInt("O", "b", 3), 3);
    EXPECT_EQ(ini.GetInt("O", "c", 3), 3);
    EXPECT_EQ(ini.GetInt("O", "d", 3), -5);
    EXPECT_EQ(ini.GetInt("O", "e", 3), 6);
    EXPECT_EQ(ini.GetInt("O", "f", 3), 257);
}

TEST(ProfileFile, LongValuesAreCutToTheirField) {
    ProfileFile ini;
    ini.Parse("[P]\nk=" + std::string(5000, 'a') + "\n");
    EXPECT_EQ(ini.GetString("P", "k", "", 255).size(), 255u);
    EXPECT_EQ(ini.GetString("P", "k", "", 10), std::string(10, 'a'));
}

TEST(ProfileFile, MalformedLinesAreKeptAndIgnored) {
    ProfileFile ini;
    std::string text = "garbage line\n[Broken\n=novalue\n[S]\nk=v\n\x01\x02\n";
    ini.Parse(text);
    EXPECT_EQ(ini.GetString("S", "k", ""), "v");
    EXPECT_EQ(ini.Text(), text);
}

TEST(ProfileFile, TextIsStableAfterOneRound) {
    // Lines ending in several carriage returns once changed on every round.
    ProfileFile ini;
    ini.Parse("[S]\r\r\nk=v\r\r\r\n\r");
    const std::string once = ini.Text();
    ProfileFile again;
    again.Parse(once);
    EXPECT_EQ(again.Text(), once);
    EXPECT_EQ(again.GetString("S", "k", ""), "v");
}

TEST(ProfileFile, WritingReplacesInPlaceAppendsToSectionOrAddsSection) {
    ProfileFile ini;
    ini.Parse("[A]\nx=1\ny=2\n\n[B]\nz=3\n");
    ini.SetString("a", "X", "10");
    ini.SetString("A", "w", "4");
    ini.SetInt("C", "n", 5);
    EXPECT_EQ(ini.Text(), "[A]\nX=10\ny=2\nw=4\n\n[B]\nz=3\n[C]\nn=5\n");
}

TEST(ProfileFile, SaveReplacesTheFileAndLoadReadsItBack) {
    testing_support::TempFolder dir;
    ProfileFile ini;
    EXPECT_FALSE(ini.Load(dir.Path() + "missing.ini"));
    ini.SetString("S", "k", "v");
    ASSERT_TRUE(ini.Save(dir.Path() + "a.ini"));
    ProfileFile back;
    ASSERT_TRUE(back.Load(dir.Path() + "a.ini"));
    EXPECT_EQ(back.GetString("S", "k", ""), "v");
    std::string err;
    EXPECT_FALSE(ini.Save(dir.Path() + "no/such/folder/a.ini", &err));
    EXPECT_FALSE(err.empty());
}
