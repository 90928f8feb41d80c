#pragma once
// The eight functions the program exports to player libraries. They read the game
// model (Tabla, ColourToMove, MoveCount, GameRecord) and run the line classifier;
// none of them changes the game. Libraries call them from inside the program's calls
// into the library, on the game thread.
//
// A program that loads player libraries links with ENABLE_EXPORTS so that these C
// names are in its dynamic symbol table.

#include "vorlix/players/vorlix_plugin.h"

extern "C" {
VORLIX_EXPORT int32_t GetTableField(VorlixPoint p);
VORLIX_EXPORT int32_t NextColour(void);
VORLIX_EXPORT int32_t nMove(void);
VORLIX_EXPORT VorlixPoint Game(int32_t i);
VORLIX_EXPORT int32_t GetTraceMode(void);
VORLIX_EXPORT void SetProgress(int32_t progress);
VORLIX_EXPORT int32_t OfferDraw(void);
VORLIX_EXPORT int32_t WhatIsLine(VorlixPoint p, int32_t d, int32_t k);
}

namespace vorlix {

// Referenced by the library player so that the exports are linked into every program
// that can load a library.
void KeepHostExports();

} // namespace vorlix
