// pbrain-vorlix: the internal players as a console engine of the gomoku tournament
// protocol (commands on standard input, answers on standard output).
//
//   pbrain-vorlix [--player ID] [--seed N]
//
// Input is read on a thread of its own so that END ends the program at once, even in
// the middle of a search; every answer is flushed as soon as it is written.

#include "brain.h"

#include "platform/program_folder.h"
#include "vorlix/game/random.h"
#include "vorlix/game/settings.h"
#include "vorlix/search/internal_players.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Lines from standard input, handed from the reader thread to the main thread.
class LineQueue {
  public:
    void Push(std::string line) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back(std::move(line));
        }
        ready_.notify_one();
    }
    std::string Pop() {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return !lines_.empty(); });
        std::string line = std::move(lines_.front());
        lines_.pop_front();
        return line;
    }

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::string> lines_;
};

std::atomic<bool> gEndRequested{false};
std::atomic<bool> gThinking{false};

bool IsEnd(const std::string& line) {
    std::string t;
    for (char c : line)
        if (!std::isspace(static_cast<unsigned char>(c)))
            t += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return t == "END";
}

void ReadInput(LineQueue& queue) {
    std::string line;
    while (std::getline(std::cin, line)) {
        const bool end = IsEnd(line);
        queue.Push(line);
        if (!end) continue;
        // A search cannot be interrupted: END during one ends the program here. The
        // flags are set and read in opposite orders, so either this thread sees the
        // search running or the main thread sees END before it starts one.
        gEndRequested = true;
        if (gThinking) {
            std::fflush(stdout);
            std::_Exit(0);
        }
        return;
    }
    // End of input: as END.
    queue.Push("END");
    gEndRequested = true;
    if (gThinking) {
        std::fflush(stdout);
        std::_Exit(0);
    }
}

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
    brain.OnThinking = [](bool thinking) {
        gThinking = thinking;
        return !(thinking && gEndRequested);
    };
    LineQueue queue;
    std::thread reader(ReadInput, std::ref(queue));
    reader.detach();
    while (!brain.Ended()) {
        for (const std::string& reply : brain.Handle(queue.Pop())) {
            std::fputs(reply.c_str(), stdout);
            std::fputc('\n', stdout);
        }
        std::fflush(stdout);
    }
    // The reader may still be waiting for input that will never come.
    std::_Exit(0);
}
