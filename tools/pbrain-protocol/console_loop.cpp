#include "console_loop.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace pbrain {

namespace {

// Lines from standard input, handed from the reader thread to the session's thread;
// an empty optional marks the end of input.
class LineQueue {
  public:
    void Push(std::optional<std::string> line) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back(std::move(line));
        }
        ready_.notify_one();
    }
    std::optional<std::string> Pop() {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return !lines_.empty(); });
        std::optional<std::string> line = std::move(lines_.front());
        lines_.pop_front();
        return line;
    }

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::optional<std::string>> lines_;
};

bool IsEnd(const std::string& line) {
    return Upper(Trim(line)) == "END";
}

struct Shared {
    LineQueue queue;
    std::atomic<bool> endRequested{false};
    std::atomic<bool> thinking{false};
    std::function<void()> stopNow;
};

void ReadInput(Shared& shared) {
    std::string line;
    bool end = false;
    while (!end && std::getline(std::cin, line)) {
        end = IsEnd(line);
        shared.queue.Push(line);
    }
    if (!end) shared.queue.Push(std::nullopt);
    // The flags are set and read in opposite orders, so either this thread sees the
    // search running or the session's thread sees the end before it starts one.
    shared.endRequested = true;
    if (shared.thinking) shared.stopNow();
}

} // namespace

void RunConsole(Session& session, std::function<void()> stopNow) {
    // Shared outlives the reader thread: it is never freed (the program ends with the
    // reader possibly still blocked in a read).
    auto* shared = new Shared;
    shared->stopNow = std::move(stopNow);
    session.OnThinking = [shared](bool thinking) {
        shared->thinking = thinking;
        return !(thinking && shared->endRequested);
    };
    std::thread reader(ReadInput, std::ref(*shared));
    reader.detach();
    while (!session.Ended()) {
        std::optional<std::string> line = shared->queue.Pop();
        if (!line) break; // end of input: nobody is left to answer
        for (const std::string& reply : session.Handle(*line)) {
            std::fputs(reply.c_str(), stdout);
            std::fputc('\n', stdout);
        }
        std::fflush(stdout);
    }
}

} // namespace pbrain
