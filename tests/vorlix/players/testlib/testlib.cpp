// A player library for the tests: every export can be left out at build time
// (OMIT_CREATE, OMIT_INIT, OMIT_DELETE, OMIT_MOVE, OMIT_NAME, and MINIMAL for all
// optional ones), and what it returns is set by the test through TestSet/TestSetText.
// Every call is appended to a log that TestLog returns.

#include "vorlix/players/vorlix_plugin.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, long long> gInts;
std::map<std::string, std::string> gTexts;
std::string gLog;
VorlixHost gHost;
void* gHostModule = nullptr;

long long Int(const char* key, long long def = 0) {
    auto it = gInts.find(key);
    return it == gInts.end() ? def : it->second;
}
// A text setting; "<null>" gives a null pointer.
const char* Text(const std::string& key, const char* def) {
    auto it = gTexts.find(key);
    if (it == gTexts.end()) return def;
    return it->second == "<null>" ? nullptr : it->second.c_str();
}
void Log(const std::string& entry) {
    gLog += entry + ";";
}

} // namespace

VORLIX_EXPORT void TestReset(void) {
    gInts.clear();
    gTexts.clear();
    gLog.clear();
}
VORLIX_EXPORT void TestSet(const char* key, long long value) {
    gInts[key] = value;
}
VORLIX_EXPORT void TestSetText(const char* key, const char* text) {
    gTexts[key] = text;
}
VORLIX_EXPORT const char* TestLog(void) {
    return gLog.c_str();
}
// The host's functions as the library bound them (for tests of the exports).
VORLIX_EXPORT const VorlixHost* TestHost(void) {
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
    if (gInts.count("move")) return static_cast<VorlixPoint>(Int("move"));
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
    return gInts.count(key) ? static_cast<VorlixPoint>(Int(key.c_str())) : VORLIX_POINT(k, 1);
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
