// EngineProcess with ordinary programs: the PATH, the work folder, a dead engine.

#include "players/gomocup/engine_process.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using gomocup::EngineProcess;

constexpr double kSafetySeconds = 30.0; // a safety net: the programs answer at once

TEST(EngineProcess, RunsAProgramFromThePathInTheWorkFolder) {
    testing_support::TempFolder folder;
    EngineProcess p;
    std::string error, line;
    ASSERT_TRUE(
        p.Start({"sh", "-c", "pwd; printf 'last line\\r\\nno newline'"}, folder.Path(), error))
        << error;
    ASSERT_EQ(p.ReadLine(kSafetySeconds, line), EngineProcess::Read::Line);
    EXPECT_EQ(std::filesystem::canonical(line), std::filesystem::canonical(folder.Path()));
    ASSERT_EQ(p.ReadLine(kSafetySeconds, line), EngineProcess::Read::Line);
    EXPECT_EQ(line, "last line");
    ASSERT_EQ(p.ReadLine(kSafetySeconds, line), EngineProcess::Read::Line);
    EXPECT_EQ(line, "no newline");
    EXPECT_EQ(p.ReadLine(kSafetySeconds, line), EngineProcess::Read::Closed);
    p.Stop();
    EXPECT_FALSE(p.Running());
}

TEST(EngineProcess, ProgramsThatCannotRunAreReported) {
    EngineProcess p;
    std::string error;
    EXPECT_FALSE(p.Start({"no-such-engine-anywhere"}, "", error));
    EXPECT_EQ(error, "cannot run no-such-engine-anywhere: not found on the PATH");
    EXPECT_FALSE(p.Start({"/nonexistent/pbrain"}, "", error));
    EXPECT_NE(error.find("cannot run /nonexistent/pbrain"), std::string::npos) << error;
    EXPECT_FALSE(p.Start({"sh"}, "/nonexistent/folder", error));
    EXPECT_NE(error.find("in /nonexistent/folder"), std::string::npos) << error;
    EXPECT_FALSE(p.Running());
}

TEST(EngineProcess, WritingToAnEngineThatEndedFailsWithoutASignal) {
    EngineProcess p;
    std::string error, line;
    ASSERT_TRUE(p.Start({"true"}, "", error)) << error;
    EXPECT_EQ(p.ReadLine(kSafetySeconds, line), EngineProcess::Read::Closed);
    bool refused = false;
    // The first writes may still land in the socket's buffer before the peer is gone.
    for (int i = 0; i < 100 && !refused; ++i) refused = !p.Send(std::string(4096, 'x'));
    EXPECT_TRUE(refused);
}

} // namespace
