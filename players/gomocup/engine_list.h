#pragma once
// The engines that gomocup.so offers as players, read from the text file beside it.
//
// The file ("gomocup.txt") is read line by line:
//   # a comment; blank lines are skipped
//   timeout SECONDS      time allowed for each answer of the engines listed after it
//                        (default 30; decimals allowed)
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

// The program to run for `command` (its first word) when the list lies in `folder`
// (with a trailing "/").
std::string ResolveProgram(const std::string& command, const std::string& folder);

} // namespace gomocup
