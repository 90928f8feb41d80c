// Where the programs find their files: a build folder, an installed tree, and the
// layouts in between that must not be taken for an installation.

#include "platform/program_folder.h"

#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Layout {
    const char* name;
    std::vector<const char*> folders; // created under the temporary root
    const char* programFolder;        // relative to the root
    std::string data;                 // expected FilesFolder(..., Data), relative to the root
    std::string libraries;            // expected FilesFolder(..., Libraries)
};

class FilesFolderTest : public testing::TestWithParam<Layout> {};

TEST_P(FilesFolderTest, FindsTheProgramsFiles) {
    const Layout& l = GetParam();
    testing_support::TempFolder root;
    for (const char* f : l.folders) std::filesystem::create_directories(root.Path() + f);
    const std::string program = root.Path() + l.programFolder;
    EXPECT_EQ(platform::FilesFolder(program, platform::ProgramFiles::Data), root.Path() + l.data);
    EXPECT_EQ(platform::FilesFolder(program, platform::ProgramFiles::Libraries),
              root.Path() + l.libraries);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FilesFolderTest,
    testing::Values(
        // build/bin/ holds the programs beside data/ and Players/.
        Layout{"BuildFolder",
               {"build/bin/data", "build/bin/Players"},
               "build/bin/",
               "build/bin/",
               "build/bin/"},
        // PREFIX/bin/ with PREFIX/share/vorlix/: an installed program.
        Layout{"Installed",
               {"usr/bin", "usr/share/vorlix/data", "usr/lib/vorlix/Players"},
               "usr/bin/",
               "usr/share/vorlix/",
               "usr/lib/vorlix/"},
        // The trailing "/" of the program folder may be missing.
        Layout{"InstalledWithoutSlash",
               {"usr/bin", "usr/share/vorlix"},
               "usr/bin",
               "usr/share/vorlix/",
               "usr/lib/vorlix/"},
        // A bin/ with its own data/ is a build folder even beside a share/vorlix/.
        Layout{"OwnDataWins",
               {"usr/bin/data", "usr/share/vorlix"},
               "usr/bin/",
               "usr/bin/",
               "usr/bin/"},
        // A bin/ without share/vorlix/ beside it: everything stays in the program folder.
        Layout{"NoShareFolder", {"opt/bin"}, "opt/bin/", "opt/bin/", "opt/bin/"},
        // An unpacked archive in a folder of any other name.
        Layout{"Archive",
               {"games/vorlix", "games/share/vorlix"},
               "games/vorlix/",
               "games/vorlix/",
               "games/vorlix/"}),
    [](const testing::TestParamInfo<Layout>& row) { return std::string(row.param.name); });

} // namespace

using testing_support::ScopedEnv;

TEST(UserFolder, ABuildFolderKeepsItsFilesBesideThePrograms) {
    testing_support::TempFolder root;
    std::filesystem::create_directories(root.Path() + "build/bin/data");
    ScopedEnv config("XDG_CONFIG_HOME", root.Path() + "config");
    EXPECT_EQ(platform::UserFolder(root.Path() + "build/bin/", platform::UserFiles::Settings),
              root.Path() + "build/bin/");
    EXPECT_EQ(platform::UserFolder(root.Path() + "build/bin", platform::UserFiles::Data),
              root.Path() + "build/bin/");
}

TEST(UserFolder, AnInstalledProgramWritesIntoTheUsersFolders) {
    testing_support::TempFolder root;
    std::filesystem::create_directories(root.Path() + "usr/bin");
    std::filesystem::create_directories(root.Path() + "usr/share/vorlix/data");
    ScopedEnv config("XDG_CONFIG_HOME", root.Path() + "config");
    ScopedEnv data("XDG_DATA_HOME", root.Path() + "home/data");
    const std::string program = root.Path() + "usr/bin/";
    EXPECT_EQ(platform::UserFolder(program, platform::UserFiles::Settings),
              root.Path() + "config/vorlix/");
    EXPECT_EQ(platform::UserFolder(program, platform::UserFiles::Data),
              root.Path() + "home/data/vorlix/");
    // Both are created, so the first save succeeds.
    EXPECT_TRUE(std::filesystem::is_directory(root.Path() + "config/vorlix"));
    EXPECT_TRUE(std::filesystem::is_directory(root.Path() + "home/data/vorlix"));
}

TEST(UserFolder, WithoutXdgValuesTheHomeFoldersAreUsed) {
    testing_support::TempFolder root;
    std::filesystem::create_directories(root.Path() + "usr/bin");
    std::filesystem::create_directories(root.Path() + "usr/share/vorlix");
    ScopedEnv home("HOME", root.Path() + "home");
    ScopedEnv config("XDG_CONFIG_HOME", "relative/is/ignored");
    ScopedEnv data("XDG_DATA_HOME", "");
    const std::string program = root.Path() + "usr/bin/";
    EXPECT_EQ(platform::UserFolder(program, platform::UserFiles::Settings),
              root.Path() + "home/.config/vorlix/");
    EXPECT_EQ(platform::UserFolder(program, platform::UserFiles::Data),
              root.Path() + "home/.local/share/vorlix/");
}
