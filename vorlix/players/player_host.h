#pragma once
// PlayerHost: one player library running in a child process of its own.
//
// The program never loads a player library itself. A PlayerHost starts the player host
// program (vorlix-player-host), which loads the library and calls it when asked; the
// two talk over a socket pair in the frames of plugin_wire.h. The library calls the
// eight host functions inside the child, which answers them from a copy of the game
// state sent with every request (board, colour to move, move count, record; the trace
// mode is always 0), runs the line classifier there, and sends the message boxes the
// library causes (the range error of Game) back to the program to show.
//
// Whatever the library does, the program goes on: a crash, an exit, a C++ exception
// thrown out of the library, a broken or malformed answer, or no answer within the
// time-out ends the child (killed and reaped) and raises PlayerHostError with a
// message naming the library. Every later call raises the same error.

#include "vorlix/players/plugin_wire.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <sys/types.h>

namespace vorlix {

class PlayerHostError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How long the child may take, in milliseconds: `CallMs` for creating a player and for
// each of its moves and opening decisions, `ListMs` for listing a library, its about
// texts, its abilities and deleting its player. The defaults are 60 s and 5 s; the
// environment variable VORLIX_PLAYER_TIMEOUT_MS, when it holds a whole number from 1
// to 3600000, sets CallMs and caps ListMs.
struct PlayerHostTimeouts {
    int CallMs = 60000;
    int ListMs = 5000;
};
PlayerHostTimeouts& HostTimeouts();

// The player host program: beside the running program, else in $VORLIX_BIN_DIR, else
// in the build's program folder. Empty when none is found.
std::string PlayerHostProgram();

class PlayerHost {
  public:
    // Starts the child for the library at `libraryPath` (named in messages by its file
    // name). Throws PlayerHostError when the child cannot be started.
    explicit PlayerHost(const std::string& libraryPath);
    // Ends the child: closes the channel, gives it a moment to finish, then kills it;
    // always reaps it.
    ~PlayerHost();
    PlayerHost(const PlayerHost&) = delete;
    PlayerHost& operator=(const PlayerHost&) = delete;

    // Sends `request` and returns the reply; boxes the child sends meanwhile are shown
    // (the wait for the reply starts again after each box). `what` says where, for
    // messages ("in Move", "while loading"). While waiting, pending window events are dispatched
    // when `dispatchEvents` is set. Throws PlayerHostError (the child is then gone).
    wire::Reader Call(const wire::Writer& request, const char* what, int timeoutMs,
                      bool dispatchEvents = false);
    // An answer to `what` that does not read as it should: ends the child and throws
    // PlayerHostError.
    [[noreturn]] void Malformed(const char* what);
    // Reads an answer to `what` with `read` and returns what it returns; an answer that
    // does not read as it should (wire::MalformedMessage) goes to Malformed.
    template <class Read> auto Decode(const char* what, Read read) -> decltype(read()) {
        try {
            return read();
        } catch (const wire::MalformedMessage&) {
            Malformed(what);
        }
    }
    // A request that only copies the game state over (for the round-trip bench).
    void Ping();

    bool Running() const { return pid_ > 0; }
    // The file name of the library, as messages name it.
    const std::string& LibraryName() const { return library_; }
    // Why the child is gone; empty while it runs.
    const std::string& Failure() const { return failure_; }

  private:
    friend std::shared_ptr<PlayerHost> LibraryHost(const std::string& libraryPath);
    [[noreturn]] void Fail(const std::string& reason);
    // Kills (when `kill`) and reaps the child; returns how it ended, as a phrase.
    std::string Reap(bool kill);

    std::string library_;
    std::string failure_;
    pid_t owner_; // the process that started the child (a fork's copy leaves it alone)
    pid_t pid_ = -1;
    int fd_ = -1;
    bool busy_ = false; // a call is waiting for its answer
};

// The child that runs the players of the library at `libraryPath` in this process: the
// players of one library that exist at the same time (the two of a game between two of
// its players) share one child, as they shared the loaded library (InitDLL once per
// player, the library's globals shared between them); the child ends with the last of
// them, and a failed one is replaced. Throws PlayerHostError when no child can be
// started.
std::shared_ptr<PlayerHost> LibraryHost(const std::string& libraryPath);

} // namespace vorlix
