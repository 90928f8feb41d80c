#pragma once
// The console side of a tournament-protocol engine: commands from standard input,
// answers on standard output.
//
// Input is read on a thread of its own, so that END is heard while the engine thinks.
// The session handles the lines in order on the calling thread, and every answer is
// flushed as soon as it is written. The loop ends after END (also inside a BOARD
// block) and at the end of input, whatever the session was doing.

#include "tools/pbrain-protocol/session.h"

#include <functional>

namespace pbrain {

// Runs `session` until it ends. `stopNow` is called on the reading thread when END or
// the end of input arrives while the engine thinks: it must end the search at once
// (raise a stop flag, or end the program). The session's OnThinking is taken over.
// The input thread may still be blocked in a read afterwards: end the program with
// std::_Exit (or return from main) after this returns.
void RunConsole(Session& session, std::function<void()> stopNow);

} // namespace pbrain
