#include "engine_process.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gomocup {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// The program file for `name`: itself when it has a "/", otherwise the first executable
// of that name on the PATH (empty when there is none). Looked up before fork, because
// the child may only make async-signal-safe calls.
std::string ProgramFile(const std::string& name) {
    // A relative path must survive the change into the work folder.
    if (name.find('/') != std::string::npos) return std::filesystem::absolute(name).string();
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t from = 0;
    while (from <= dirs.size()) {
        size_t colon = dirs.find(':', from);
        if (colon == std::string::npos) colon = dirs.size();
        std::string dir = dirs.substr(from, colon - from);
        std::string file = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(file.c_str(), X_OK) == 0) return file;
        from = colon + 1;
    }
    return {};
}

} // namespace

EngineProcess::~EngineProcess() {
    Stop();
}

bool EngineProcess::Start(const std::vector<std::string>& argv, const std::string& workFolder,
                          std::string& error) {
    Stop();
    if (argv.empty()) {
        error = "no command";
        return false;
    }
    const std::string program = ProgramFile(argv[0]);
    if (program.empty()) {
        error = "cannot run " + argv[0] + ": not found on the PATH";
        return false;
    }
    // The engine's input is a socket so that writes can refuse SIGPIPE (MSG_NOSIGNAL);
    // every descriptor is close-on-exec so that no other engine inherits our ends.
    int input[2], output[2], status[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0) {
        error = std::string("socketpair: ") + std::strerror(errno);
        return false;
    }
    if (::pipe2(output, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        ::close(input[0]), ::close(input[1]);
        return false;
    }
    if (::pipe2(status, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        ::close(input[0]), ::close(input[1]), ::close(output[0]), ::close(output[1]);
        return false;
    }
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are made.
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const char* folder = workFolder.empty() ? nullptr : workFolder.c_str();

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        ::dup2(input[1], 0);
        ::dup2(output[1], 1);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::signal(SIGPIPE, SIG_DFL);
        int err = 0;
        if (folder && ::chdir(folder) != 0) err = errno;
        if (!err) {
            ::execv(program.c_str(), args.data());
            err = errno;
        }
        // The reason reaches the parent through the status pipe.
        ssize_t ignored = ::write(status[1], &err, sizeof err);
        (void)ignored;
        ::_exit(127);
    }
    ::close(input[1]), ::close(output[1]), ::close(status[1]);
    if (pid < 0) {
        error = std::string("fork: ") + std::strerror(errno);
        ::close(input[0]), ::close(output[0]), ::close(status[0]);
        return false;
    }
    // The status pipe closes at a successful exec and carries errno otherwise.
    int err = 0;
    ssize_t n;
    do n = ::read(status[0], &err, sizeof err);
    while (n < 0 && errno == EINTR);
    ::close(status[0]);
    if (n == static_cast<ssize_t>(sizeof err)) {
        ::close(input[0]), ::close(output[0]);
        ::waitpid(pid, nullptr, 0);
        error = "cannot run " + argv[0] + (folder ? " in " + workFolder : std::string()) + ": " +
                std::strerror(err);
        return false;
    }
    pid_ = pid;
    in_ = input[0];
    out_ = output[0];
    buffer_.clear();
    closed_ = false;
    return true;
}

bool EngineProcess::Send(const std::string& line) {
    if (in_ < 0) return false;
    const std::string data = line + "\n";
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::send(in_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void EngineProcess::CloseInput() {
    CloseFd(in_);
}

EngineProcess::Read EngineProcess::ReadLine(double seconds, std::string& line) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(seconds));
    while (true) {
        const size_t eol = buffer_.find('\n');
        if (eol != std::string::npos) {
            line = buffer_.substr(0, eol);
            buffer_.erase(0, eol + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return Read::Line;
        }
        if (closed_ || out_ < 0) return Read::Closed;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        // A deadline just reached still looks once at what has arrived.
        if (left < 0) return Read::TimedOut;
        pollfd p{out_, POLLIN, 0};
        int r = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 1 << 30)));
        if (r < 0 && errno == EINTR) continue;
        if (r == 0) return Read::TimedOut;
        char chunk[4096];
        ssize_t n = ::read(out_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            closed_ = true; // a last line without its newline still counts
            if (!buffer_.empty()) buffer_ += '\n';
            continue;
        }
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

void EngineProcess::Stop() {
    if (pid_ <= 0) return;
    Send("END");
    CloseFd(in_);
    // The engine closes its output when it ends; a second is enough for one that
    // honours END, and one that does not is killed.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    std::string ignored;
    while (
        ReadLine(std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count(),
                 ignored) == Read::Line) {
    }
    // The engine leads a process group of its own: helpers it started go with it.
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    CloseFd(out_);
    pid_ = -1;
    buffer_.clear();
}

} // namespace gomocup
