#include "kelvor/thinking_thread.h"

namespace kelvor {

void ThinkingThread::Start(Work work) {
    Stop();
    stop_ = false;
    // The flag outlives the thread: the object joins before it goes away.
    thread_ = std::thread([this, work = std::move(work)] { work(stop_); });
}

void ThinkingThread::Stop() {
    stop_ = true;
    Join();
}

void ThinkingThread::Join() {
    if (thread_.joinable()) thread_.join();
}

} // namespace kelvor
