#include "vorlix/players/host_exports.h"

#include "platform/messages.h"
#include "vorlix/eval/linepattern.h"
#include "vorlix/game/board.h"

#include <string>

using namespace vorlix;

extern "C" {

int32_t GetTableField(VorlixPoint p) {
    // Signed halves as the protocol defines them. A library is meant to ask only for
    // cells on the board; anything else reads as empty rather than outside Tabla.
    int x = static_cast<int16_t>(p & 0xFFFFu);
    int y = static_cast<int16_t>(p >> 16);
    if (!OnBoard(x, y)) return 0;
    return Tabla[CellIndex(x, y)];
}

int32_t NextColour(void) {
    return ColourToMove;
}

int32_t nMove(void) {
    return MoveCount;
}

VorlixPoint Game(int32_t i) {
    if (i < 1 || i > MoveCount) {
        platform::ShowMessage(platform::MessageKind::Error,
                              "Range check error in \"Game\" function.\r" + std::to_string(i));
        return 0;
    }
    return VORLIX_POINT(GameRecord[i].X, GameRecord[i].Y);
}

int32_t GetTraceMode(void) {
    return 0;
}

void SetProgress(int32_t) {}

int32_t OfferDraw(void) {
    return 0;
}

int32_t WhatIsLine(VorlixPoint p, int32_t d, int32_t k) {
    return WhatIsLineCode(VORLIX_POINT_X(p), VORLIX_POINT_Y(p), d, k);
}

} // extern "C"

namespace vorlix {

void KeepHostExports() {
    // Taking the addresses keeps the linker from dropping this object from the archive.
    static void* volatile keep[] = {
        reinterpret_cast<void*>(&GetTableField), reinterpret_cast<void*>(&NextColour),
        reinterpret_cast<void*>(&nMove),         reinterpret_cast<void*>(&Game),
        reinterpret_cast<void*>(&GetTraceMode),  reinterpret_cast<void*>(&SetProgress),
        reinterpret_cast<void*>(&OfferDraw),     reinterpret_cast<void*>(&WhatIsLine)};
    (void)keep;
}

} // namespace vorlix
