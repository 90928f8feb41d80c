// Reading only regular files of a bounded size: FIFOs and devices are refused at once
// instead of blocking or never ending, oversized files are refused or cut.

#include "platform/profile.h"
#include "platform/regular_file.h"
#include "support/test_support.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

namespace {

using platform::OversizeFile;
using platform::ReadRegularFile;
using platform::RegularRead;

struct Case {
    const char* name;
    // Makes the file in `dir` and returns its path.
    std::string (*make)(const std::string& dir);
    RegularRead expected;
};

std::string Write(const std::string& path, size_t bytes) {
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
    return path;
}

const Case kCases[] = {
    {"Regular", [](const std::string& d) { return Write(d + "f", 10); }, RegularRead::Ok},
    {"Empty", [](const std::string& d) { return Write(d + "f", 0); }, RegularRead::Ok},
    {"AtTheLimit", [](const std::string& d) { return Write(d + "f", 100); }, RegularRead::Ok},
    {"Missing", [](const std::string& d) { return d + "none"; }, RegularRead::CannotOpen},
    {"Fifo",
     [](const std::string& d) {
         const std::string p = d + "fifo";
         EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
         return p;
     },
     RegularRead::NotRegular},
    {"DevZero", [](const std::string&) { return std::string("/dev/zero"); },
     RegularRead::NotRegular},
    {"Folder", [](const std::string& d) { return d; }, RegularRead::NotRegular},
    {"Oversized", [](const std::string& d) { return Write(d + "f", 101); }, RegularRead::TooLarge},
};

struct ReadRegular : ::testing::TestWithParam<Case> {};

TEST_P(ReadRegular, ReadsOnlyRegularFilesWithinTheLimit) {
    testing_support::TempFolder dir;
    const std::string path = GetParam().make(dir.Path());
    std::string content = "untouched";
    EXPECT_EQ(ReadRegularFile(path, content, 100), GetParam().expected);
    if (GetParam().expected == RegularRead::Ok)
        EXPECT_EQ(content.find_first_not_of('x'), std::string::npos);
    else
        EXPECT_EQ(content, "untouched");
}

INSTANTIATE_TEST_SUITE_P(Platform, ReadRegular, ::testing::ValuesIn(kCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(ReadRegularFile, CutKeepsTheFirstBytes) {
    testing_support::TempFolder dir;
    std::ofstream(dir.Path() + "f", std::ios::binary) << "abcdefgh";
    std::string content;
    EXPECT_EQ(ReadRegularFile(dir.Path() + "f", content, 3, OversizeFile::Cut), RegularRead::Ok);
    EXPECT_EQ(content, "abc");
}

// A settings file in the place of a device or a FIFO: an empty profile, no abort, no hang.
TEST(ProfileFile, DevicesFifosAndHugeFilesGiveAnEmptyProfile) {
    testing_support::TempFolder dir;
    const std::string fifo = dir.Path() + "vorlix.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.Path() + "huge.ini";
    std::ofstream(huge, std::ios::binary)
        << "[a]\nb=1\n"
        << std::string(platform::ProfileFile::kMaxProfileBytes, ';');
    for (const std::string& path : {std::string("/dev/zero"), fifo, huge}) {
        platform::ProfileFile ini;
        ini.Parse("[a]\nb=2\n");
        EXPECT_FALSE(ini.Load(path)) << path;
        EXPECT_EQ(ini.GetInt("a", "b", 7), 7) << path;
    }
}

} // namespace
