// Player libraries that misbehave, one way each (chosen at build time), and the sound
// one they are built from: with no HOSTILE_* definition it plays the first empty cell.
//
//   HOSTILE_CRASH_LOAD   crashes in its load-time code (a constructor)
//   HOSTILE_CRASH_NAME   crashes in PlayerName (the listing)
//   HOSTILE_LOOP_NAME    never returns from PlayerName
//   HOSTILE_CRASH_MOVE   crashes in Move
//   HOSTILE_LOOP_MOVE    never returns from Move
//   HOSTILE_EXIT_MOVE    calls exit(0) in Move
//   HOSTILE_THROW_MOVE   throws a C++ exception out of Move

#include "vorlix/players/vorlix_plugin.h"

#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace {

VorlixHost gHost;

// A segmentation fault with the default action, so that it ends the process by the
// signal in the sanitizer builds too (whose handlers would turn it into an exit status).
[[maybe_unused]] void Crash() {
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
    std::abort();
}

[[maybe_unused]] void Forever() {
    volatile unsigned long n = 0;
    for (;;) n = n + 1;
}

} // namespace

#ifdef HOSTILE_CRASH_LOAD
__attribute__((constructor)) static void CrashWhenLoaded() {
    Crash();
}
#endif

VORLIX_EXPORT const char* PlayerName(int32_t i) {
#if defined(HOSTILE_CRASH_NAME)
    Crash();
#elif defined(HOSTILE_LOOP_NAME)
    Forever();
#endif
    return i == 1 ? "Hostile" : nullptr;
}

VORLIX_EXPORT void InitDLL(const char* hostPath) {
    VorlixBindHost(hostPath, &gHost);
}

VORLIX_EXPORT VorlixHandle CreatePlayer(const char*) {
    return 1;
}

VORLIX_EXPORT void DeletePlayer(VorlixHandle) {}

VORLIX_EXPORT VorlixPoint Move(VorlixHandle) {
#if defined(HOSTILE_CRASH_MOVE)
    Crash();
#elif defined(HOSTILE_LOOP_MOVE)
    Forever();
#elif defined(HOSTILE_EXIT_MOVE)
    std::exit(0);
#elif defined(HOSTILE_THROW_MOVE)
    throw std::runtime_error("the hostile library gives up");
#endif
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y)
            if (gHost.GetTableField && gHost.GetTableField(VORLIX_POINT(x, y)) == 0)
                return VORLIX_POINT(x, y);
    return 0;
}
