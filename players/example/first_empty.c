/* A complete player library with one player, "FirstEmpty", that plays the first empty
 * cell in column-major order. Build: cc -shared -fPIC -o first_empty.so first_empty.c */
#include <vorlix_plugin.h>

#include <stddef.h>

static VorlixHost host;

VORLIX_EXPORT const char* PlayerName(int32_t i) { return i == 1 ? "FirstEmpty" : NULL; }

VORLIX_EXPORT void InitDLL(const char* hostPath) { VorlixBindHost(hostPath, &host); }

VORLIX_EXPORT VorlixHandle CreatePlayer(const char* name) { return 1; /* one stateless player */ }

VORLIX_EXPORT void DeletePlayer(VorlixHandle player) {}

VORLIX_EXPORT VorlixPoint Move(VorlixHandle player) {
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y)
            if (host.GetTableField(VORLIX_POINT(x, y)) == 0) return VORLIX_POINT(x, y);
    return 0;
}
