// Creating players by identifier: which library a name reaches.

#include "vorlix/players/player_factory.h"

#include "platform/module.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

// Which library a player name reaches. A name chosen from a library's submenu is that
// library's player, ':' and all; "LIBRARY:NAME" is the command-line tools' form and
// only applies when no library is chosen.
struct LibraryName {
    const char* name;
    const char* id;
    const char* chosenLibrary; // the Opponent menu's library, "" for none
    bool libraryIds;           // the tools' form accepted (off in the window)
    const char* created;       // what testlib_full was asked to create, "" for nothing
};

class LibraryNameTest : public ::testing::TestWithParam<LibraryName> {
  protected:
    testing_support::RecordingBoxes boxes;
};

TEST_P(LibraryNameTest, ReachesTheRightLibrary) {
    const LibraryName& c = GetParam();
    platform::ModuleHandle lib =
        platform::LoadModule(std::string(TESTLIB_DIR) + "/testlib_full.so");
    ASSERT_TRUE(lib);
    auto reset = reinterpret_cast<void (*)()>(platform::FindSymbol(lib, "TestReset"));
    auto testLog = reinterpret_cast<const char* (*)()>(platform::FindSymbol(lib, "TestLog"));
    reset();
    vorlix::PlayerFactory factory;
    factory.PlayersFolder = TESTLIB_DIR;
    factory.LibraryIds = c.libraryIds;
    auto player = factory.CreatePlayerByName(c.id, c.chosenLibrary);
    const std::string log = testLog();
    if (*c.created == '\0') {
        EXPECT_EQ(player, nullptr);
        EXPECT_EQ(log.find("CreatePlayer"), std::string::npos) << log;
        return;
    }
    ASSERT_NE(player, nullptr) << (boxes.shown.empty() ? "" : boxes.shown[0].text);
    EXPECT_NE(log.find(std::string("CreatePlayer(") + c.created + ");"), std::string::npos) << log;
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text;
}

INSTANTIATE_TEST_SUITE_P(
    Factory, LibraryNameTest,
    ::testing::Values(LibraryName{"FromTheMenuWithAColon", "Pro:X", "testlib_full", false, "Pro:X"},
                      LibraryName{"ChosenLibraryWinsInTheTools", "Pro:X", "testlib_full", true,
                                  "Pro:X"},
                      LibraryName{"ToolsName", "testlib_full:Alpha", "", true, "Alpha"},
                      LibraryName{"ToolsNameTrimmed", "testlib_full:Alpha  ", "", true, "Alpha"},
                      LibraryName{"WindowNeverSplits", "testlib_full:Alpha", "", false, ""}),
    [](const ::testing::TestParamInfo<LibraryName>& c) { return c.param.name; });

} // namespace
