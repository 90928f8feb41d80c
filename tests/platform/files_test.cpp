#include "platform/atomic_file.h"
#include "platform/datetime.h"
#include "platform/file_search.h"
#include "platform/program_folder.h"

#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(FileSearch, MatchesSimplePatterns) {
    EXPECT_TRUE(platform::MatchesPattern("players.so", "*.so"));
    EXPECT_TRUE(platform::MatchesPattern(".so", "*.so"));
    EXPECT_FALSE(platform::MatchesPattern("players.so.1", "*.so"));
    EXPECT_TRUE(platform::MatchesPattern("a1.so", "a?.so"));
    EXPECT_FALSE(platform::MatchesPattern("a12.so", "a?.so"));
    EXPECT_TRUE(platform::MatchesPattern("x.y.so", "*.*.so"));
}

TEST(FileSearch, ListsMatchingRegularFilesInNameOrder) {
    testing_support::TempFolder dir;
    for (const char* n : {"b.so", "a.so", "c.txt"}) platform::WriteFileAtomic(dir.Path() + n, "x");
    std::filesystem::create_directory(dir.Path() + "d.so");
    EXPECT_EQ(platform::FindFiles(dir.Path(), "*.so"), (std::vector<std::string>{"a.so", "b.so"}));
    EXPECT_TRUE(platform::FindFiles(dir.Path() + "missing/", "*.so").empty());
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFile) {
    testing_support::TempFolder dir;
    const std::string f = dir.Path() + "game.bin";
    ASSERT_EQ(platform::WriteFileAtomic(f, "old"), platform::WriteResult::Ok);
    ASSERT_EQ(platform::WriteFileAtomic(f, "new content"), platform::WriteResult::Ok);
    std::string got;
    ASSERT_TRUE(platform::ReadFile(f, got));
    EXPECT_EQ(got, "new content");
    EXPECT_EQ(platform::WriteFileAtomic(dir.Path() + "missing/x", "x"),
              platform::WriteResult::CannotCreate);
    // No temporaries are left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST(ProgramFolder, FolderValues) {
    EXPECT_EQ(platform::NormaliseSeparators("data\\allas\\"), "data/allas/");
    EXPECT_TRUE(platform::IsAbsoluteFolder("/usr/share/"));
    EXPECT_TRUE(platform::IsAbsoluteFolder("D:/x/"));
    EXPECT_FALSE(platform::IsAbsoluteFolder("x/"));
    EXPECT_FALSE(platform::IsAbsoluteFolder(""));
    EXPECT_EQ(platform::ProgramFolder().back(), '/');
}

TEST(DateTime, FixedFormsIndependentOfLocale) {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 7;
    tm.tm_hour = 9;
    tm.tm_min = 5;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    EXPECT_EQ(platform::FormatDateTime("yyyy.mm.dd hh:nn", t), "2026.12.07 09:05");
    EXPECT_EQ(platform::FormatDateTime("dd/mm/yy", t), "07/12/26");
}
