#include "platform/events.h"

namespace platform {

namespace {
std::function<void()>& Dispatcher() {
    static std::function<void()> d;
    return d;
}
} // namespace

void SetEventDispatcher(std::function<void()> dispatcher) {
    Dispatcher() = std::move(dispatcher);
}

void DispatchPendingEvents() {
    if (auto& d = Dispatcher()) d();
}

} // namespace platform
