// vct: the threat-sequence search on a position typed as a list of moves.

#include "commands.h"

#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/players/jatekos.h"
#include "vorlix/search/vct.h"

#include <cstdio>
#include <limits>
#include <memory>

namespace cli {

namespace {

// A whole number in [lo, hi]; false for anything else.
bool ParseNumber(const std::string& s, long lo, long hi, long& value) {
    if (s.empty() || s.size() > 10) return false;
    long v = 0;
    for (char ch : s) {
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
    }
    if (v < lo || v > hi) return false;
    value = v;
    return true;
}

// Plays "H8,H7,..." from an empty board, black first, and sets the side to move; "-"
// or nothing is the empty board.
// False (with a message) for a malformed point, a point off the board or an occupied
// cell.
bool SetUpMoves(const std::string& list) {
    vorlix::ResetGameModel();
    std::uint8_t colour = vorlix::kBlack;
    size_t start = 0;
    if (list == "-") return true; // an empty board, as for think
    while (!list.empty() && start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        std::string text = list.substr(start, comma - start);
        start = comma + 1;
        vorlix::TPont p = vorlix::ParsePont(text);
        if (!vorlix::OnBoard(p.X, p.Y) || vorlix::TrimRight(vorlix::PontText(p.X, p.Y)) != text) {
            std::fprintf(stderr, "vorlix-cli vct: '%s' is not a point A1..O15\n", text.c_str());
            return false;
        }
        if (vorlix::Tabla[vorlix::CellIndex(p)] != vorlix::kEmpty) {
            std::fprintf(stderr, "vorlix-cli vct: %s is already taken\n", text.c_str());
            return false;
        }
        if (vorlix::MoveCount >= vorlix::kCells) return false;
        vorlix::RecordMove(p.X, p.Y, colour);
        colour = vorlix::Opponent(colour);
    }
    vorlix::ColourToMove = colour;
    return true;
}

} // namespace

int Vct(const Args& args) {
    const Command& me = *FindCommand("vct");
    std::string moves;
    long depth = -1, nodes = -1, threes = -1, farFours = -1;
    bool twoPhase = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--two-phase") {
            twoPhase = true;
        } else if (a == "--moves" && hasValue) {
            moves = args[++i];
        } else if (a == "--depth" && hasValue) {
            if (!ParseNumber(args[++i], 1, 255, depth)) return UsageError(me);
        } else if (a == "--nodes" && hasValue) {
            if (!ParseNumber(args[++i], 1, std::numeric_limits<std::int32_t>::max() / 2, nodes))
                return UsageError(me);
        } else if (a == "--threes" && hasValue) {
            if (!ParseNumber(args[++i], 0, 255, threes)) return UsageError(me);
        } else if (a == "--far-fours" && hasValue) {
            if (!ParseNumber(args[++i], 0, 255, farFours)) return UsageError(me);
        } else {
            return UsageError(me);
        }
    }
    if (!SetUpMoves(moves)) return UsageError(me);

    vorlix::TJatekos player;
    auto vct = std::make_unique<vorlix::TVct>(&player);
    if (depth >= 0) vct->MaxDepth = static_cast<std::uint8_t>(depth);
    if (nodes >= 0) vct->NodeLimit = static_cast<std::int32_t>(nodes);
    if (threes >= 0) vct->ThreeLimit = static_cast<std::uint8_t>(threes);
    if (farFours >= 0) vct->FarFourLimit = static_cast<std::uint8_t>(farFours);
    vct->TwoPhase = twoPhase ? 1 : 0;
    vct->Run();

    std::printf("to move: %s\n", vorlix::ColourToMove == vorlix::kBlack ? "black" : "white");
    if (vct->Result != 0) {
        std::printf("win: %s\n", vorlix::TrimRight(vorlix::CellText(vct->Result)).c_str());
        std::string line;
        for (int k = 1; k <= vct->WinLineLength; ++k)
            line += (k > 1 ? " " : "") + vorlix::TrimRight(vorlix::CellText(vct->WinLine[k]));
        std::printf("line: %s\n", line.c_str());
    } else {
        std::printf("win: none\n");
    }
    std::printf("nodes: %d\ndepth: %d\n", vct->NodeCount, vct->DepthReached);
    return 0;
}

} // namespace cli
