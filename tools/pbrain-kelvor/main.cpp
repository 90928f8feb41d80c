// pbrain-kelvor: kelvor's engine as a console engine of the gomoku tournament protocol
// (commands on standard input, answers on standard output).
//
//   pbrain-kelvor [--level L] [--seed N] [--data DIR]
//
// END ends the program at once, also in the middle of a search: the search runs on a
// worker thread and its stop flag is raised.

#include "kelvor_brain.h"

#include "tools/pbrain-protocol/console_loop.h"

#include "platform/messages.h"
#include "platform/program_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: pbrain-kelvor [--level L] [--seed N] [--data DIR]\n"
                 "  --level L   the computer level, 1..12 (default %d)\n"
                 "  --seed N    seed of the random choices (default: from the clock)\n"
                 "  --data DIR  folder of renju.tbl, renju.scs and the opening books\n"
                 "              (default: the program's folder)\n",
                 pbrain::kDefaultKelvorLevel);
    return 2;
}

bool ParseNumber(const char* text, unsigned long max, unsigned long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text, &end, 10);
    return *text && *text != '-' && !*end && !errno && value <= max;
}

// The document's messages at start-up (missing tables) go to standard error.
class StartupBoxes : public platform::MessageBoxes {
  public:
    void Show(platform::MessageKind, const std::string& text) override {
        std::fprintf(stderr, "pbrain-kelvor: %s\n", text.c_str());
    }
    bool Ask(const std::string&) override { return false; }
};

} // namespace

int main(int argc, char** argv) {
    unsigned long level = pbrain::kDefaultKelvorLevel, seed = 0;
    bool levelGiven = false, seedGiven = false, dataGiven = false;
    std::string data = platform::ProgramFolder();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--level" && i + 1 < argc && !levelGiven) {
            if (!ParseNumber(argv[++i], 12, level) || level < 1) return Usage();
            levelGiven = true;
        } else if (a == "--seed" && i + 1 < argc && !seedGiven) {
            if (!ParseNumber(argv[++i], 0xFFFFFFFFul, seed)) return Usage();
            seedGiven = true;
        } else if (a == "--data" && i + 1 < argc && !dataGiven) {
            data = argv[++i];
            dataGiven = true;
        } else {
            return Usage();
        }
    }
    if (!data.empty() && data.back() != '/') data += '/';

    StartupBoxes startup;
    platform::MessageBoxes* previous = platform::SetMessageBoxes(&startup);
    std::optional<uint32_t> theSeed;
    if (seedGiven) theSeed = static_cast<uint32_t>(seed);
    pbrain::KelvorBrain brain(data, theSeed, static_cast<int>(level));
    platform::SetMessageBoxes(previous);
    if (!brain.TablesLoaded()) {
        std::fprintf(stderr, "pbrain-kelvor: no pattern tables in %s\n", data.c_str());
        return 2;
    }
    pbrain::RunConsole(brain.Protocol(), [&brain] { brain.StopNow(); });
    // The reader may still be waiting for input that will never come.
    std::fflush(stdout);
    std::_Exit(0);
}
