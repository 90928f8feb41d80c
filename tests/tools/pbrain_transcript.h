#pragma once
// Helpers of the transcript tests of the pbrain engines: the engine run as a
// subprocess, spoken to line by line, and its replies matched against patterns.

#include "players/gomocup/engine_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace transcript {

// The program `name` in the build's program folder.
inline std::string Program(const std::string& name) {
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    return std::string(bin ? bin : ".") + "/" + name;
}

// A safety net only: the answers come at once at the levels used here.
constexpr double kSafetySeconds = 60.0;

class EngineSession {
  public:
    EngineSession(const std::string& program, std::vector<std::string> args) {
        args.insert(args.begin(), Program(program));
        std::string error;
        started = engine.Start(args, "", error);
        EXPECT_TRUE(started) << error;
    }
    // Sends the lines and returns the next line of output.
    std::string Ask(const std::vector<std::string>& lines) {
        for (const auto& l : lines) EXPECT_TRUE(engine.Send(l)) << l;
        std::string reply;
        auto r = engine.ReadLine(kSafetySeconds, reply);
        EXPECT_EQ(r, gomocup::EngineProcess::Read::Line)
            << "no answer to " << (lines.empty() ? "" : lines.back());
        return r == gomocup::EngineProcess::Read::Line ? reply : "(none)";
    }
    std::string Ask(const std::string& line) { return Ask(std::vector<std::string>{line}); }
    // Whether the engine's output closes (it ended) before any further line.
    bool Closes() {
        std::string line;
        const auto r = engine.ReadLine(kSafetySeconds, line);
        EXPECT_NE(r, gomocup::EngineProcess::Read::Line) << "it said '" << line << "'";
        return r == gomocup::EngineProcess::Read::Closed;
    }

    gomocup::EngineProcess engine;
    bool started = false;
};

struct Exchange {
    std::vector<std::string> send;
    std::string expect; // the whole reply; "*" stands for any text
};

inline bool Matches(const char* text, const char* pattern) {
    if (*pattern == '*') return Matches(text, pattern + 1) || (*text && Matches(text + 1, pattern));
    if (!*pattern) return !*text;
    return *text == *pattern && Matches(text + 1, pattern + 1);
}

// A zero-based point x,y of an n x n board.
inline bool IsMove(const std::string& reply, int& x, int& y, int n = 15) {
    char rest = 0;
    return std::sscanf(reply.c_str(), "%d,%d%c", &x, &y, &rest) == 2 && x >= 0 && x < n && y >= 0 &&
           y < n && reply == std::to_string(x) + "," + std::to_string(y);
}

inline void Converse(EngineSession& s, const std::vector<Exchange>& script) {
    for (const auto& e : script) {
        const std::string reply = s.Ask(e.send);
        EXPECT_TRUE(Matches(reply.c_str(), e.expect.c_str()))
            << (e.send.empty() ? "" : e.send.back()) << " -> '" << reply << "', expected "
            << e.expect;
    }
}

} // namespace transcript
