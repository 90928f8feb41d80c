#pragma once
// The clock the sample library's random players seed with.

#include <ctime>

namespace demo {

// Seconds of the clock. Normally the real time; when the environment variable
// VORLIX_PLAYERS_CLOCK holds a number, the first reading gives that number and every
// further reading one second more, so runs can be replayed.
std::time_t ClockSeconds();

} // namespace demo
