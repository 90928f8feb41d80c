#pragma once
// The engines that gomocup.so offers as players, read from the text file beside it.
//
// The file ("gomocup.txt") is read line by line:
//   # a comment; blank lines are skipped
//   timeout SECONDS      time allowed for each answer of the engines listed after it
//                        (default 30; decimals allowed). The engine is told a turn
//                        time (INFO timeout_turn) with a margin below it: see
//                        EngineTimeMs.
//   match SECONDS        a game clock for the engines listed after it: the time all
//                        of an engine's answers of one game may take together (0,
//                        the default: none). The engine is told INFO timeout_match
//                        and, before each move, INFO time_left, both with the margin;
//                        an engine whose clock runs out loses the game.
//   log FILE             where the engines listed after it have their MESSAGE and
//                        DEBUG lines and the ERROR answers to INFO written (relative
//                        to the file's folder; "-" is standard error; default: the
//                        lines are dropped, and only ERROR answers go to standard
//                        error)
//   info KEY VALUE       an INFO line sent to the engines listed after it, after the
//                        bridge's own INFO lines (may be repeated)
//   NAME COMMAND [ARG...]
//                        an engine: NAME (at most 12 characters, no blanks) is the
//                        player's name; COMMAND and its arguments are split at blanks,
//                        and "double quotes" keep blanks inside one argument.
// A command with a "/" that is not absolute is relative to the file's folder; one
// without a "/" is looked up on the PATH.

#include <string>
#include <vector>

namespace gomocup {

inline constexpr double kDefaultTimeoutSeconds = 30.0;
inline constexpr size_t kNameLength = 12;

struct EngineEntry {
    std::string Name;
    std::vector<std::string> Command; // program first, as given
    double TimeoutSeconds = kDefaultTimeoutSeconds;
    std::vector<std::string> Info; // "KEY VALUE"
    double MatchSeconds = 0.0;     // the game clock; 0: none
    std::string Log;               // as given; empty: none
};

struct EngineList {
    std::vector<EngineEntry> Engines;
    std::vector<std::string> Problems; // "line N: ..." for every line left out
};

// Reads the list from the text of the file.
EngineList ParseEngineList(const std::string& text);
// Reads the file; a missing file gives an empty list with one problem.
EngineList ReadEngineList(const std::string& path);

// The engine named `name` (compared on its first 12 characters), or null.
const EngineEntry* FindEngine(const EngineList& list, const std::string& name);

// The time an engine is told it has, in milliseconds, when `seconds` is what the
// bridge allows: a fifth less, at least half a second less, and at least half of it
// left. A normal engine uses nearly all of its time, and process start-up, pipes and
// a loaded machine must still fit.
long long EngineTimeMs(double seconds);

// The program to run for `command` (its first word) when the list lies in `folder`
// (with a trailing "/").
std::string ResolveProgram(const std::string& command, const std::string& folder);

} // namespace gomocup
