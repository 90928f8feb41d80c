// The engine list of gomocup.so: what a line gives, and the lines left out.

#include "players/gomocup/engine_list.h"

#include <gtest/gtest.h>

namespace {

using gomocup::ParseEngineList;

TEST(EngineList, EntriesTakeTheSettingsAboveThem) {
    const auto list = ParseEngineList("# engines\n"
                                      "\n"
                                      "First  ./pbrain-first\n"
                                      "timeout 2.5\n"
                                      "info max_memory 1000\n"
                                      "Second /opt/pbrain-second --level 3 \"two words\"\r\n"
                                      "info rule 0\n"
                                      "Third pbrain-third\n");
    EXPECT_TRUE(list.Problems.empty());
    ASSERT_EQ(list.Engines.size(), 3u);
    EXPECT_EQ(list.Engines[0].Name, "First");
    EXPECT_EQ(list.Engines[0].Command, (std::vector<std::string>{"./pbrain-first"}));
    EXPECT_EQ(list.Engines[0].TimeoutSeconds, gomocup::kDefaultTimeoutSeconds);
    EXPECT_TRUE(list.Engines[0].Info.empty());
    EXPECT_EQ(list.Engines[1].Command,
              (std::vector<std::string>{"/opt/pbrain-second", "--level", "3", "two words"}));
    EXPECT_EQ(list.Engines[1].TimeoutSeconds, 2.5);
    EXPECT_EQ(list.Engines[1].Info, (std::vector<std::string>{"max_memory 1000"}));
    EXPECT_EQ(list.Engines[2].Info, (std::vector<std::string>{"max_memory 1000", "rule 0"}));
    EXPECT_EQ(gomocup::FindEngine(list, "Second"), &list.Engines[1]);
    EXPECT_EQ(gomocup::FindEngine(list, "second"), nullptr);
}

TEST(EngineList, BadLinesAreLeftOutWithTheirLineNumbers) {
    const auto list = ParseEngineList("Lonely\n"
                                      "ThirteenChars ./x\n"
                                      "timeout 0\n"
                                      "timeout soon\n"
                                      "info rule\n"
                                      "Quote \"./x\n"
                                      "Twice ./a\n"
                                      "Twice ./b\n");
    ASSERT_EQ(list.Engines.size(), 1u);
    EXPECT_EQ(list.Engines[0].Command[0], "./a");
    const std::vector<std::string> expect = {
        "line 1: engine Lonely has no command",
        "line 2: engine name ThirteenChars is longer than 12 characters",
        "line 3: timeout needs a number of seconds above 0",
        "line 4: timeout needs a number of seconds above 0",
        "line 5: info needs a key and a value",
        "line 6: unclosed quote",
        "line 8: engine Twice is listed twice"};
    EXPECT_EQ(list.Problems, expect);
    EXPECT_EQ(gomocup::ReadEngineList("/nonexistent/gomocup.txt").Problems.size(), 1u);
}

TEST(EngineList, ClockAndLogTakeTheEntriesBelowThem) {
    const auto list = ParseEngineList("A ./a\n"
                                      "match 300\n"
                                      "log engines.log\n"
                                      "B ./b\n"
                                      "match 0\n"
                                      "log -\n"
                                      "C ./c\n"
                                      "match -1\n"
                                      "match soon\n"
                                      "log\n");
    ASSERT_EQ(list.Engines.size(), 3u);
    EXPECT_EQ(list.Engines[0].MatchSeconds, 0.0);
    EXPECT_EQ(list.Engines[0].Log, "");
    EXPECT_EQ(list.Engines[1].MatchSeconds, 300.0);
    EXPECT_EQ(list.Engines[1].Log, "engines.log");
    EXPECT_EQ(list.Engines[2].MatchSeconds, 0.0);
    EXPECT_EQ(list.Engines[2].Log, "-");
    const std::vector<std::string> expect = {"line 8: match needs a number of seconds, 0 or more",
                                             "line 9: match needs a number of seconds, 0 or more",
                                             "line 10: log needs one file name"};
    EXPECT_EQ(list.Problems, expect);
}

// The time an engine is told: a fifth less, at least half a second less, at least half.
TEST(EngineList, EnginesAreToldLessTimeThanTheBridgeWaits) {
    const std::pair<double, long long> rows[] = {{60, 48000}, {30, 24000}, {5, 4000}, {2, 1500},
                                                 {1, 500},    {0.5, 250},  {0, 0}};
    for (const auto& [seconds, ms] : rows) EXPECT_EQ(gomocup::EngineTimeMs(seconds), ms) << seconds;
}

TEST(EngineList, RelativeCommandsAreTakenFromTheListsFolder) {
    EXPECT_EQ(gomocup::ResolveProgram("../pbrain-vorlix", "/p/Players/"),
              "/p/Players/../pbrain-vorlix");
    EXPECT_EQ(gomocup::ResolveProgram("/usr/bin/pbrain", "/p/"), "/usr/bin/pbrain");
    EXPECT_EQ(gomocup::ResolveProgram("pbrain-on-path", "/p/"), "pbrain-on-path");
}

} // namespace
