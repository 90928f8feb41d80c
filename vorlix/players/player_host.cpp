#include "vorlix/players/player_host.h"

#include "platform/events.h"
#include "platform/messages.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifndef VORLIX_BUILD_BIN_DIR
#define VORLIX_BUILD_BIN_DIR ""
#endif

namespace vorlix {

namespace {

constexpr const char* kHostProgramName = "vorlix-player-host";
// The child's end of the channel is this descriptor.
constexpr int kChannelFd = 3;

PlayerHostTimeouts TimeoutsFromEnvironment() {
    PlayerHostTimeouts t;
    if (const char* text = std::getenv("VORLIX_PLAYER_TIMEOUT_MS")) {
        char* end = nullptr;
        errno = 0;
        long v = std::strtol(text, &end, 10);
        if (!errno && end != text && *end == '\0' && v >= 1 && v <= 3600000) {
            t.CallMs = static_cast<int>(v);
            if (t.ListMs > t.CallMs) t.ListMs = t.CallMs;
        }
    }
    return t;
}

std::string BaseName(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Executable(const std::string& path) {
    return !path.empty() && ::access(path.c_str(), X_OK) == 0;
}

std::string ProgramFolder() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string path(buf, static_cast<size_t>(n));
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// "30 s", "1.5 s" or "250 ms", the same in every locale.
std::string Duration(int ms) {
    if (ms % 1000 == 0) return std::to_string(ms / 1000) + " s";
    if (ms > 1000) return std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) + " s";
    return std::to_string(ms) + " ms";
}

} // namespace

PlayerHostTimeouts& HostTimeouts() {
    static PlayerHostTimeouts timeouts = TimeoutsFromEnvironment();
    return timeouts;
}

std::string PlayerHostProgram() {
    std::string candidates[3] = {ProgramFolder(), "", VORLIX_BUILD_BIN_DIR};
    if (const char* bin = std::getenv("VORLIX_BIN_DIR")) candidates[1] = bin;
    for (std::string folder : candidates) {
        if (folder.empty()) continue;
        if (folder.back() != '/') folder += '/';
        if (Executable(folder + kHostProgramName)) return folder + kHostProgramName;
    }
    return {};
}

PlayerHost::PlayerHost(const std::string& libraryPath)
    : library_(BaseName(libraryPath)), owner_(::getpid()) {
    const std::string program = PlayerHostProgram();
    if (program.empty())
        throw PlayerHostError(std::string("The player host ") + kHostProgramName +
                              " was not found: the player library " + library_ + " cannot be run.");
    int sv[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0)
        throw PlayerHostError("No channel for the player library " + library_ + ".");
    const pid_t parent = ::getpid();
    pid_t pid = ::fork();
    if (pid < 0) {
        ::close(sv[0]);
        ::close(sv[1]);
        throw PlayerHostError("The player library " + library_ + " cannot be started.");
    }
    if (pid == 0) {
        // Only async-signal-safe calls until exec. The child dies with the program.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(126);
        if (sv[1] == kChannelFd)
            ::fcntl(kChannelFd, F_SETFD, 0);
        else if (::dup2(sv[1], kChannelFd) != kChannelFd)
            ::_exit(126);
        ::close_range(kChannelFd + 1, ~0u, 0);
        int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0 && null != 0) ::dup2(null, 0), ::close(null);
        ::execl(program.c_str(), kHostProgramName, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(sv[1]);
    pid_ = pid;
    fd_ = sv[0];
}

PlayerHost::~PlayerHost() {
    if (fd_ >= 0) ::close(fd_), fd_ = -1;
    if (owner_ != ::getpid()) return; // a forked copy: the child is its parent's
    // The child ends when its channel closes; a library stuck in its exit code is killed.
    for (int i = 0; i < 2000 && pid_ > 0; ++i) {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_ || (r < 0 && errno == ECHILD)) // ECHILD: reaped by a waitpid(-1)
            pid_ = -1;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Reap(true);
}

std::string PlayerHost::Reap(bool kill) {
    if (fd_ >= 0) ::close(fd_), fd_ = -1;
    if (pid_ <= 0) return {};
    if (kill) ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
    if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
    return "unknown status";
}

void PlayerHost::Malformed(const char* what) {
    Fail(std::string("gave a malformed answer ") + what + ".");
}

void PlayerHost::Fail(const std::string& reason) {
    failure_ = "The player library " + library_ + " " + reason;
    Reap(true);
    throw PlayerHostError(failure_);
}

wire::Reader PlayerHost::Call(const wire::Writer& request, const char* what, int timeoutMs,
                              bool dispatchEvents) {
    if (!Running())
        throw PlayerHostError(
            failure_.empty() ? "The player library " + library_ + " is not running." : failure_);
    // Window events dispatched while waiting may ask something of the same library.
    if (busy_) throw PlayerHostError("The player library " + library_ + " is busy.");
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(busy_);
    const std::string in = std::string(" ") + what;
    // A child that has gone quiet on a closed channel is given a moment to end itself.
    auto ended = [&]() -> std::string {
        for (int i = 0; i < 1000; ++i) {
            int status = 0;
            const pid_t r = ::waitpid(pid_, &status, WNOHANG);
            if (r < 0 && errno == ECHILD) {
                pid_ = -1;
                return "ended" + in + ".";
            }
            if (r == pid_) {
                pid_ = -1;
                if (WIFSIGNALED(status))
                    return "crashed" + in + " (signal " + std::to_string(WTERMSIG(status)) + ").";
                return "ended the program" + in + " (exit status " +
                       std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ").";
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return "broke the connection" + in + ".";
    };
    if (wire::SendFrame(fd_, request) != wire::IoResult::Ok) Fail(ended());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::string body;
        switch (wire::ReceiveFrame(fd_, body, &deadline,
                                   dispatchEvents ? &platform::DispatchPendingEvents : nullptr)) {
        case wire::IoResult::Ok:
            break;
        case wire::IoResult::TimedOut:
            Fail("did not answer" + in + " within " + Duration(timeoutMs) + ".");
        case wire::IoResult::Closed:
        case wire::IoResult::Broken:
            Fail(ended());
        }
        try {
            wire::Reader reply(std::move(body));
            switch (reply.MessageType()) {
            case wire::Type::Reply:
                return reply;
            case wire::Type::Box: {
                const auto kind = reply.U8();
                std::string text = reply.Text();
                reply.End();
                if (kind > static_cast<std::uint8_t>(platform::MessageKind::Error))
                    throw wire::MalformedMessage();
                platform::ShowMessage(static_cast<platform::MessageKind>(kind), text);
                // The box waited for the user, not for the library.
                deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
                continue;
            }
            case wire::Type::Failed: {
                std::string text = reply.Text(1000);
                Fail("threw an exception" + in + ": " + text);
            }
            default:
                throw wire::MalformedMessage();
            }
        } catch (const wire::MalformedMessage&) {
            Malformed(what);
        }
    }
}

std::shared_ptr<PlayerHost> LibraryHost(const std::string& libraryPath) {
    // The child lives while players use it: a new game, with the players created anew,
    // starts a new child, which sees the program's environment as it is then.
    static std::map<std::string, std::weak_ptr<PlayerHost>> hosts;
    std::shared_ptr<PlayerHost> host = hosts[libraryPath].lock();
    if (!host || !host->Running() || host->owner_ != ::getpid()) {
        host = std::make_shared<PlayerHost>(libraryPath);
        hosts[libraryPath] = host;
    }
    return host;
}

void PlayerHost::Ping() {
    wire::Writer w(wire::Type::Ping);
    wire::WriteGameState(w);
    Call(w, "in Ping", HostTimeouts().ListMs).End();
}

} // namespace vorlix
