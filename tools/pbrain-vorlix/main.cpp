// pbrain-vorlix: the internal players as a console engine of the gomoku tournament
// protocol (commands on standard input, answers on standard output).
//
//   pbrain-vorlix [--player ID] [--seed N]
//
// A search cannot be interrupted: END (or the end of input) during one ends the
// program at once; every answer is flushed as soon as it is written.

#include "brain.h"

#include "tools/pbrain-protocol/console_loop.h"

#include "platform/program_folder.h"
#include "vorlix/game/random.h"
#include "vorlix/game/settings.h"
#include "vorlix/search/internal_players.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: pbrain-vorlix [--player ID] [--seed N]\n"
                 "  --player ID  the internal player to play (default %s)\n"
                 "  --seed N     seed of the random choices (default: from the clock)\n",
                 pbrain::kDefaultPlayer);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string player = pbrain::kDefaultPlayer;
    bool playerGiven = false, seedGiven = false;
    unsigned long seed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--player" && i + 1 < argc && !playerGiven) {
            player = argv[++i];
            playerGiven = true;
        } else if (a == "--seed" && i + 1 < argc && !seedGiven) {
            char* end = nullptr;
            const char* text = argv[++i];
            errno = 0;
            seed = std::strtoul(text, &end, 10);
            if (!*text || *text == '-' || *end || errno || seed > 0xFFFFFFFFul) return Usage();
            seedGiven = true;
        } else {
            return Usage();
        }
    }

    vorlix::PlayerFactory factory;
    vorlix::RegisterInternalPlayers(factory, vorlix::ReadSettings(platform::ProgramFolder()));
    // An identifier given on the command line must be playable; the default may still be
    // replaced by INFO player, so it is checked only when a move is asked for.
    if (playerGiven) {
        const std::string problem = pbrain::PlayerProblem(factory, player);
        if (!problem.empty()) {
            std::fprintf(stderr, "pbrain-vorlix: %s\n", problem.c_str());
            return 2;
        }
    }
    if (seedGiven)
        vorlix::SeedRandom(static_cast<std::uint32_t>(seed));
    else
        vorlix::SeedRandom();

    pbrain::Brain brain(factory, player);
    pbrain::RunConsole(brain.Protocol(), [] {
        std::fflush(stdout);
        std::_Exit(0);
    });
    // The reader may still be waiting for input that will never come.
    std::fflush(stdout);
    std::_Exit(0);
}
