#pragma once
// Dispatching pending window events from inside long operations.
//
// The game loop, the waiting human player and the searches run on the window's own
// thread and call DispatchPendingEvents() now and then so that the window stays
// alive. A windowed program installs a dispatcher; headless programs leave the
// default, which does nothing.

#include <functional>

namespace platform {

void SetEventDispatcher(std::function<void()> dispatcher);
void DispatchPendingEvents();

} // namespace platform
