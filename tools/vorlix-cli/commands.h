#pragma once
// Subcommands of vorlix-cli. Each takes its own arguments (after the subcommand
// name) and returns the process exit code: 0 success, 1 failure, 2 bad usage.

#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(const Args& args);
};

int Classify(const Args& args);
int Threat(const Args& args);
int Match(const Args& args);
int Think(const Args& args);
int Vct(const Args& args);
int Tables(const Args& args);
int Eval(const Args& args);

// Prints "usage: vorlix-cli <usage>" to standard error and returns 2.
int UsageError(const Command& command);
const Command* FindCommand(const std::string& name);

} // namespace cli
