/*
 * vorlix_plugin.h: the interface between vorlix (the host) and a player library.
 *
 * A player library is a shared object ("NAME.so") in the players folder that offers
 * one or more computer opponents by name. This one header is all a library author
 * needs; it is plain C and may be included from C or C++.
 *
 * Conventions, in both directions:
 * - Every function uses the C calling convention and is found by its exact name, so a
 *   library defines its exports with VORLIX_EXPORT (extern "C", visible).
 * - Texts are zero-terminated 8-bit strings. A text a library returns stays the
 *   library's: the host copies at most a fixed number of characters (12 for names, 50
 *   for about and property lines) and never frees it. A text the host passes is valid
 *   only during the call.
 * - A player handle is pointer-sized (the address of the library's player object is the
 *   usual choice); 0 means failure.
 * - A packed point is 32 bits: X (column 1..15, written A..O) in the low 16 bits, Y
 *   (row 1..15) in the high 16 bits. Cell (X, Y) is H8 for (8, 8), the centre.
 * - Colours: 1 black (moves first), 2 white, 0 an empty cell.
 * - Floating results are double. Indexes of players, alternatives, abilities and
 *   property lines are 1-based.
 *
 * Required exports: PlayerName (to be listed), InitDLL, CreatePlayer, DeletePlayer,
 * Move. Everything else is optional; the host skips what a library does not export.
 *
 * Order of the host's calls for one player object:
 *   InitDLL(host path) -> CreatePlayer(name) -> Version -> Level(10) -> AbilityNum
 *   each move:  [RefreshBoard] -> Move -> [AlNum, then AlList(k) and AlValue(k) for
 *               k = 1..n] -> [ValueArray for the 225 cells, X outer, Y inner]
 *   at the end: DeletePlayer -> ExitDLL
 * RefreshBoard comes before Move only when the position changed other than by this
 * player's own moves (after an opening or a take-back); otherwise the library learns
 * the opponent's last move from nMove and Game.
 *
 * The host's eight functions (type names VorlixHost*Fn below) may be called only from
 * inside the host's calls into the library (Move, RefreshBoard, ...), on the same
 * thread. The host program exports them from its executable; VorlixBindHost finds them.
 */
#ifndef VORLIX_PLUGIN_H
#define VORLIX_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
#define VORLIX_EXTERN_C extern "C"
#else
#define VORLIX_EXTERN_C
#endif
#define VORLIX_EXPORT VORLIX_EXTERN_C __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

typedef intptr_t VorlixHandle;
typedef uint32_t VorlixPoint;

#define VORLIX_POINT(x, y) ((VorlixPoint)(((uint32_t)(y) << 16) | ((uint32_t)(x)&0xFFFFu)))
#define VORLIX_POINT_X(p) ((int)((p)&0xFFu))
#define VORLIX_POINT_Y(p) ((int)(((p) >> 16) & 0xFFu))

/* Out-parameter of OfferOpen1 and OfferOpen2, filled in by the library. */
typedef struct VorlixPointRecord {
    int16_t X;
    int16_t Y;
} VorlixPointRecord;

/* ---- The host's eight functions. None of them changes the game. ---- */

/* Content of cell p: 0 empty, 1 black, 2 white; 0 for a point off the board. */
typedef int32_t (*VorlixGetTableFieldFn)(VorlixPoint p);
/* The colour to move, 1 or 2. */
typedef int32_t (*VorlixNextColourFn)(void);
/* The number of moves in the game record. */
typedef int32_t (*VorlixNMoveFn)(void);
/* Move i (1..nMove) of the game record; outside that range the host reports a range
 * check error and returns 0. */
typedef VorlixPoint (*VorlixGameFn)(int32_t i);
/* The host's search-trace mode; always 0 (off). */
typedef int32_t (*VorlixGetTraceModeFn)(void);
/* Does nothing. */
typedef void (*VorlixSetProgressFn)(int32_t progress);
/* Always 0: the host refuses draw offers made this way. */
typedef int32_t (*VorlixOfferDrawFn)(void);
/* Line code (0..116) of the 15-cell line through p in direction d (1 = (+1,0),
 * 2 = (0,+1), 3 = (+1,+1), 4 = (+1,-1)), for colour 1 when k is 1 and colour 2 for any
 * other k. 0 for p off the board or d outside 1..4. */
typedef int32_t (*VorlixWhatIsLineFn)(VorlixPoint p, int32_t d, int32_t k);

/* ---- Functions a library exports (signatures for the host's look-up). ---- */

/* Name of player i, or NULL (or "") after the last one. Required for listing. */
typedef const char* (*VorlixPlayerNameFn)(int32_t i);
/* Display name of the library; when missing or empty the file name is shown. */
typedef const char* (*VorlixDllNameFn)(void);
/* Called once per player object, before CreatePlayer, with the host executable's path. */
typedef void (*VorlixInitDLLFn)(const char* hostPath);
/* A new player for a listed name (cut to 12 characters, trailing spaces removed); 0 on
 * failure. */
typedef VorlixHandle (*VorlixCreatePlayerFn)(const char* name);
typedef void (*VorlixDeletePlayerFn)(VorlixHandle player);
/* The player's move for the colour to move, as a packed point. */
typedef VorlixPoint (*VorlixMoveFn)(VorlixHandle player);
typedef void (*VorlixRefreshBoardFn)(VorlixHandle player);
/* Alternatives of the last move: their number (0..225), each point and value. */
typedef int32_t (*VorlixAlNumFn)(VorlixHandle player);
typedef VorlixPoint (*VorlixAlListFn)(VorlixHandle player, int32_t k);
typedef double (*VorlixAlValueFn)(VorlixHandle player, int32_t k);
/* Value of cell p for the last move, shown on the board. */
typedef double (*VorlixValueArrayFn)(VorlixHandle player, VorlixPoint p);
/* Version: four bytes, least significant first, shown as "b0.b1.b2.b3". */
typedef int32_t (*VorlixVersionFn)(VorlixHandle player);
typedef void (*VorlixLevelFn)(VorlixHandle player, int32_t level);
typedef int32_t (*VorlixAbilityNumFn)(VorlixHandle player);
typedef const char* (*VorlixAbilityNameFn)(VorlixHandle player, int32_t a);
typedef int32_t (*VorlixAbPropNumFn)(VorlixHandle player, int32_t a);
typedef const char* (*VorlixAbPropLineFn)(VorlixHandle player, int32_t a, int32_t j);
/* Opening offers: the host places black on a and white on b (OfferOpen1), then black on
 * a, white on b and black on c (OfferOpen2). ChOpening: nonzero low byte = take white.
 * A player offers openings only when all three are exported. */
typedef void (*VorlixOfferOpen1Fn)(VorlixHandle player, VorlixPointRecord* a, VorlixPointRecord* b);
typedef void (*VorlixOfferOpen2Fn)(VorlixHandle player, VorlixPointRecord* a, VorlixPointRecord* b,
                                   VorlixPointRecord* c);
typedef int32_t (*VorlixChOpeningFn)(VorlixHandle player);
typedef void (*VorlixAcceptDrawFn)(void);
/* Called after DeletePlayer, once per player object that InitDLL was called for. */
typedef void (*VorlixExitDLLFn)(void);
typedef const char* (*VorlixAboutFn)(void);

/* The host's functions, bound by VorlixBindHost. */
typedef struct VorlixHost {
    VorlixGetTableFieldFn GetTableField;
    VorlixNextColourFn NextColour;
    VorlixNMoveFn nMove;
    VorlixGameFn Game;
    VorlixGetTraceModeFn GetTraceMode;
    VorlixSetProgressFn SetProgress;
    VorlixOfferDrawFn OfferDraw;
    VorlixWhatIsLineFn WhatIsLine;
} VorlixHost;

#ifdef __cplusplus
} /* extern "C" */
#endif

#if defined(__unix__) || defined(__APPLE__)
#include <dlfcn.h>
#include <stddef.h>
#include <string.h>

/* Binds the host's eight functions; call it in InitDLL with the path the host passes.
 * The host is the program that loaded the library, so its exports are reached through
 * the running program (a position-independent executable cannot be loaded again by its
 * path); the path is tried only when that fails. Returns the module handle to release
 * with dlclose in ExitDLL, or NULL when the functions were not found (the host then
 * stays unbound: every member NULL). */
/* dlsym gives an object pointer; ISO C has no cast from it to a function pointer, so the
 * address is copied into the function pointer's bytes (the same size on POSIX systems). */
static inline void VorlixBindSymbol(void* module, const char* name, void* function, size_t size) {
    void* symbol = dlsym(module, name);
    memcpy(function, &symbol, size);
}

static inline void* VorlixBindHost(const char* hostPath, VorlixHost* host) {
    void* module = dlopen(NULL, RTLD_NOW);
    if (module && !dlsym(module, "GetTableField")) {
        dlclose(module);
        module = NULL;
    }
    if (!module && hostPath && *hostPath) module = dlopen(hostPath, RTLD_NOW);
    memset(host, 0, sizeof *host);
    if (!module) return NULL;
#define VORLIX_BIND(f) VorlixBindSymbol(module, #f, &host->f, sizeof host->f)
    VORLIX_BIND(GetTableField);
    VORLIX_BIND(NextColour);
    VORLIX_BIND(nMove);
    VORLIX_BIND(Game);
    VORLIX_BIND(GetTraceMode);
    VORLIX_BIND(SetProgress);
    VORLIX_BIND(OfferDraw);
    VORLIX_BIND(WhatIsLine);
#undef VORLIX_BIND
    return module;
}
#endif

#endif /* VORLIX_PLUGIN_H */
