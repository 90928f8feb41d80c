// vorlix-cli: command-line front end to the vorlix engine core.

#include "commands.h"
#include "tools/docgen/command_docs.h"

#include <cstdio>

namespace cli {

namespace {
// Usages and texts come from docs/vorlix-cli.md, which is also the man page.
const docs::CommandDoc kDocs[] = {
#include "vorlix-cli_docs.inc"
};

const Command kCommands[] = {
    {"classify", Classify}, {"threat", Threat}, {"match", Match},   {"book", Book},
    {"think", Think},       {"vct", Vct},       {"tables", Tables}, {"eval", Eval},
    {"bench", Bench},       {"soak", Soak},     {"ladder", Ladder}, {"tune", Tune},
};
} // namespace

const Command* FindCommand(const std::string& name) {
    for (const auto& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

int UsageError(const Command& command) {
    std::fprintf(stderr, "usage: vorlix-cli %s\n", docs::UsageOf(kDocs, command.name).c_str());
    return 2;
}

namespace {
int PrintCommandList(FILE* out) {
    return docs::PrintCheckedCommandList("vorlix-cli", kDocs, kCommands, out);
}
} // namespace

int Main(int argc, char** argv) {
    const std::string first = argc < 2 ? "" : argv[1];
    if (first.empty() || first == "help" || first == "--help") {
        if (argc >= 3) {
            if (FindCommand(argv[2]) && docs::PrintCommandHelp("vorlix-cli", kDocs, argv[2]))
                return 0;
            std::fprintf(stderr, "vorlix-cli: unknown command '%s'\n", argv[2]);
            return 2;
        }
        int rc = PrintCommandList(first.empty() ? stderr : stdout);
        return first.empty() ? 2 : rc;
    }
    const Command* c = FindCommand(first);
    if (!c) {
        std::fprintf(stderr, "vorlix-cli: unknown command '%s'\n", argv[1]);
        PrintCommandList(stderr);
        return 2;
    }
    return c->run(Args(argv + 2, argv + argc));
}

} // namespace cli

int main(int argc, char** argv) {
    return cli::Main(argc, argv);
}
