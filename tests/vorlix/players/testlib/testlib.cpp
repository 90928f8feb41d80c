// A player library for the tests: every export can be left out at build time
// (OMIT_CREATE, OMIT_INIT, OMIT_DELETE, OMIT_MOVE, OMIT_NAME, and MINIMAL for all
// optional ones), and what it returns is set by the test through TestSet/TestSetText.
// Every call is appended to a log that TestLog returns.
//
// The program runs libraries in a child process, while the test sets and reads this
// library loaded in the test itself: the settings and the log live in shared memory
// that both copies map. The first copy to start (the test's) creates it and names it
// in the environment, which the child inherits.

#include "vorlix/players/vorlix_plugin.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct Shared {
    struct Int {
        char key[32];
        long long value;
    } ints[64];
    struct Text {
        char key[32];
        char text[256];
    } texts[32];
    std::size_t logLength;
    char log[1 << 16];
};

Shared* gShared = nullptr;
VorlixHost gHost;
void* gHostModule = nullptr;

Shared& State() {
    if (gShared) return *gShared;
    const char* variable = "VORLIX_TESTLIB_STATE_" TESTLIB_NAME;
    int fd = -1;
    if (const char* path = std::getenv(variable)) fd = ::open(path, O_RDWR);
    if (fd < 0) {
        fd = ::memfd_create(TESTLIB_NAME, 0);
        if (fd < 0 || ::ftruncate(fd, sizeof(Shared)) != 0) std::abort();
        std::string path = "/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(fd);
        ::setenv(variable, path.c_str(), 1);
    }
    void* p = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED) std::abort();
    gShared = static_cast<Shared*>(p);
    return *gShared;
}

template <typename Entry, std::size_t N> Entry* Find(Entry (&entries)[N], const char* key) {
    for (Entry& e : entries)
        if (e.key[0] && std::strcmp(e.key, key) == 0) return &e;
    return nullptr;
}
template <typename Entry, std::size_t N> Entry& Slot(Entry (&entries)[N], const char* key) {
    if (Entry* e = Find(entries, key)) return *e;
    for (Entry& e : entries)
        if (!e.key[0]) {
            std::snprintf(e.key, sizeof e.key, "%s", key);
            return e;
        }
    std::abort();
}

bool Has(const char* key) {
    return Find(State().ints, key) != nullptr;
}
long long Int(const char* key, long long def = 0) {
    auto* e = Find(State().ints, key);
    return e ? e->value : def;
}
// A text setting; "<null>" gives a null pointer.
const char* Text(const std::string& key, const char* def) {
    auto* e = Find(State().texts, key.c_str());
    if (!e) return def;
    return std::strcmp(e->text, "<null>") == 0 ? nullptr : e->text;
}
void Log(const std::string& entry) {
    Shared& s = State();
    std::string add = entry + ";";
    if (s.logLength + add.size() >= sizeof s.log) return;
    std::memcpy(s.log + s.logLength, add.data(), add.size());
    s.logLength += add.size();
    s.log[s.logLength] = '\0';
}

} // namespace

VORLIX_EXPORT void TestReset(void) {
    std::memset(&State(), 0, sizeof(Shared));
}
VORLIX_EXPORT void TestSet(const char* key, long long value) {
    Slot(State().ints, key).value = value;
}
VORLIX_EXPORT void TestSetText(const char* key, const char* text) {
    std::snprintf(Slot(State().texts, key).text, sizeof(Shared::Text::text), "%s", text);
}
VORLIX_EXPORT const char* TestLog(void) {
    return State().log;
}
// The host's functions as the library bound them (for tests of the exports); a copy
// that InitDLL was not called in binds them from the program it runs in.
VORLIX_EXPORT const VorlixHost* TestHost(void) {
    if (!gHost.GetTableField) VorlixBindHost(nullptr, &gHost);
    return &gHost;
}

#ifndef OMIT_NAME
VORLIX_EXPORT const char* PlayerName(int32_t i) {
    Log("PlayerName(" + std::to_string(i) + ")");
    if (Int("endless")) return "Endless";
    return Text("name" + std::to_string(i), i <= 2 ? (i == 1 ? "Alpha" : "Beta") : nullptr);
}
#endif

#ifndef OMIT_INIT
VORLIX_EXPORT void InitDLL(const char* hostPath) {
    Log(std::string("InitDLL(") + (hostPath && *hostPath ? "path" : "") + ")");
    gHostModule = VorlixBindHost(hostPath, &gHost);
}
#endif

#ifndef OMIT_CREATE
VORLIX_EXPORT VorlixHandle CreatePlayer(const char* name) {
    Log(std::string("CreatePlayer(") + name + ")");
    if (Int("create_fails")) return 0;
    return static_cast<VorlixHandle>(Int("handle", 0x7fff12345678LL));
}
#endif

#ifndef OMIT_DELETE
VORLIX_EXPORT void DeletePlayer(VorlixHandle h) {
    Log(h == Int("handle", 0x7fff12345678LL) ? "DeletePlayer" : "DeletePlayer(bad handle)");
}
#endif

#ifndef OMIT_MOVE
VORLIX_EXPORT VorlixPoint Move(VorlixHandle) {
    Log("Move");
    if (Int("probe") && gHost.GetTableField) {
        // What the host functions answer inside a call, in one log entry.
        const VorlixHost& h = gHost;
        const VorlixPoint h7 = VORLIX_POINT(8, 7);
        h.SetProgress(55);
        std::string seen;
        for (long long v : {(long long)h.GetTableField(VORLIX_POINT(8, 8)),
                            (long long)h.GetTableField(VORLIX_POINT(9, 8)),
                            (long long)h.GetTableField(0xFFFFFFFFu), (long long)h.NextColour(),
                            (long long)h.nMove(), (long long)h.Game(h.nMove()),
                            (long long)h.Game(0), (long long)h.GetTraceMode(),
                            (long long)h.OfferDraw(), (long long)h.WhatIsLine(h7, 2, 1),
                            (long long)h.WhatIsLine(h7, 2, 2), (long long)h.WhatIsLine(h7, 2, 3)})
            seen += (seen.empty() ? "" : ",") + std::to_string(v);
        Log("probe(" + seen + ")");
    }
    if (Has("move")) return static_cast<VorlixPoint>(Int("move"));
    // The first empty cell in scan order.
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y)
            if (gHost.GetTableField && gHost.GetTableField(VORLIX_POINT(x, y)) == 0)
                return VORLIX_POINT(x, y);
    return 0;
}
#endif

#ifndef MINIMAL
VORLIX_EXPORT const char* DllName(void) {
    Log("DllName");
    return Text("dllname", "Test Lib");
}
VORLIX_EXPORT void RefreshBoard(VorlixHandle) {
    Log("RefreshBoard");
}
VORLIX_EXPORT int32_t AlNum(VorlixHandle) {
    Log("AlNum");
    return static_cast<int32_t>(Int("alnum", 0));
}
// Alternative k is the point set as "al<k>", default (k, 1); its value "alv<k>"
// (default 100 - k); "alv_nan" makes every value NaN and "alv_huge" 1e300.
VORLIX_EXPORT VorlixPoint AlList(VorlixHandle, int32_t k) {
    Log("AlList(" + std::to_string(k) + ")");
    std::string key = "al" + std::to_string(k);
    return Has(key.c_str()) ? static_cast<VorlixPoint>(Int(key.c_str())) : VORLIX_POINT(k, 1);
}
VORLIX_EXPORT double AlValue(VorlixHandle, int32_t k) {
    Log("AlValue(" + std::to_string(k) + ")");
    if (Int("alv_nan")) return std::numeric_limits<double>::quiet_NaN();
    if (Int("alv_huge")) return 1e300;
    return 100.0 - k;
}
VORLIX_EXPORT double ValueArray(VorlixHandle, VorlixPoint p) {
    if (VORLIX_POINT_X(p) == 1 && VORLIX_POINT_Y(p) == 1) Log("ValueArray(first)");
    if (VORLIX_POINT_X(p) == 15 && VORLIX_POINT_Y(p) == 15) Log("ValueArray(last)");
    return VORLIX_POINT_X(p) * 100 + VORLIX_POINT_Y(p);
}
VORLIX_EXPORT int32_t Version(VorlixHandle) {
    Log("Version");
    return static_cast<int32_t>(Int("version", 0x04030201));
}
VORLIX_EXPORT void Level(VorlixHandle, int32_t level) {
    Log("Level(" + std::to_string(level) + ")");
}
VORLIX_EXPORT int32_t AbilityNum(VorlixHandle) {
    Log("AbilityNum");
    return static_cast<int32_t>(Int("abilities", 2));
}
#ifndef OMIT_ABILITY_NAME
VORLIX_EXPORT const char* AbilityName(VorlixHandle, int32_t a) {
    Log("AbilityName(" + std::to_string(a) + ")");
    return Text("ability" + std::to_string(a), "Ability");
}
#endif
VORLIX_EXPORT int32_t AbPropNum(VorlixHandle, int32_t a) {
    Log("AbPropNum(" + std::to_string(a) + ")");
    return static_cast<int32_t>(Int("props", 2));
}
VORLIX_EXPORT const char* AbPropLine(VorlixHandle, int32_t a, int32_t j) {
    return Text("prop" + std::to_string(j), "line");
}
// Offered stones: "o1x", "o1y", ... for the stones of the offers; defaults H8, H7 and
// then I7, G9, I9.
VORLIX_EXPORT void OfferOpen1(VorlixHandle, VorlixPointRecord* a, VorlixPointRecord* b) {
    Log("OfferOpen1");
    a->X = static_cast<int16_t>(Int("o1x", 8)), a->Y = static_cast<int16_t>(Int("o1y", 8));
    b->X = static_cast<int16_t>(Int("o2x", 8)), b->Y = static_cast<int16_t>(Int("o2y", 7));
}
VORLIX_EXPORT void OfferOpen2(VorlixHandle, VorlixPointRecord* a, VorlixPointRecord* b,
                              VorlixPointRecord* c) {
    Log("OfferOpen2");
    a->X = static_cast<int16_t>(Int("o3x", 9)), a->Y = static_cast<int16_t>(Int("o3y", 7));
    b->X = static_cast<int16_t>(Int("o4x", 7)), b->Y = static_cast<int16_t>(Int("o4y", 9));
    c->X = static_cast<int16_t>(Int("o5x", 9)), c->Y = static_cast<int16_t>(Int("o5y", 9));
}
VORLIX_EXPORT int32_t ChOpening(VorlixHandle) {
    Log("ChOpening");
    return static_cast<int32_t>(Int("chopening", 0x100)); // low byte 0: no
}
VORLIX_EXPORT void AcceptDraw(void) {
    Log("AcceptDraw");
}
VORLIX_EXPORT void ExitDLL(void) {
    Log("ExitDLL");
    gHostModule = nullptr;
}
VORLIX_EXPORT const char* AboutName(void) {
    return Text("aboutname", "Tester");
}
#endif
