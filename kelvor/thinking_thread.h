#pragma once
// ThinkingThread: the one worker thread of a document. It runs a piece of work with a
// stop flag that the work reads; starting again first stops and joins the previous
// run, and the destructor does the same, so the work never outlives its owner.

#include <atomic>
#include <functional>
#include <thread>

namespace kelvor {

class ThinkingThread {
  public:
    using Work = std::function<void(const std::atomic<bool>& stop)>;

    ThinkingThread() = default;
    ThinkingThread(const ThinkingThread&) = delete;
    ThinkingThread& operator=(const ThinkingThread&) = delete;
    ~ThinkingThread() { Stop(); }

    // Stops and joins a run still going, clears the stop flag and runs `work` on a new
    // thread.
    void Start(Work work);
    // Raises the stop flag and waits for the run to end.
    void Stop();
    // Waits for the run to end (it may still be going, or have ended already).
    void Join();
    // Started and not joined yet.
    bool Running() const { return thread_.joinable(); }

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace kelvor
