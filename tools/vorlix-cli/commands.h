#pragma once
// Subcommands of vorlix-cli. Each takes its own arguments (after the subcommand
// name) and returns the process exit code: 0 success, 1 failure, 2 bad usage.

#include <map>
#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

// A subcommand; its usage and text are those of docs/vorlix-cli.md (`help NAME`).
struct Command {
    const char* name;
    int (*run)(const Args& args);
};

int Classify(const Args& args);
int Threat(const Args& args);
int Match(const Args& args);
int Think(const Args& args);
int Book(const Args& args);
int Vct(const Args& args);
int Tables(const Args& args);
int Eval(const Args& args);
int Bench(const Args& args);
int Soak(const Args& args);
int Ladder(const Args& args);
int Tune(const Args& args);

// Prints "usage: vorlix-cli <usage>" to standard error and returns 2.
int UsageError(const Command& command);
const Command* FindCommand(const std::string& name);

// Takes the first `flag` (an option without a value) out of `args` into `rest`; whether
// it was there. A repeated flag stays in `rest`, where ParseOptions refuses it.
bool TakeFlag(const Args& args, const std::string& flag, Args& rest);
// "--name value" pairs; false for anything else or a repeated name.
bool ParseOptions(const Args& args, std::map<std::string, std::string>& out);
// A decimal integer in [min, max].
bool ParseInt(const std::string& text, long long min, long long max, long long& value);

} // namespace cli
