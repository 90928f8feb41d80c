#include "kelvor/game_file.h"

#include <cstdint>

namespace kelvor {

namespace {
void Put16(std::string& out, int v) {
    auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
    out.push_back(static_cast<char>(u & 0xff));
    out.push_back(static_cast<char>(u >> 8));
}
bool Get16(const std::string& in, size_t& at, int& v) {
    if (at + 2 > in.size()) return false;
    auto lo = static_cast<uint8_t>(in[at]), hi = static_cast<uint8_t>(in[at + 1]);
    v = static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
    at += 2;
    return true;
}
} // namespace

std::string WriteGameFile(const GameFile& game) {
    std::string out;
    Put16(out, game.variant);
    Put16(out, game.boardSize);
    Put16(out, static_cast<int>(game.cells.size()));
    for (int c : game.cells) Put16(out, c);
    return out;
}

bool ReadGameFile(const std::string& bytes, GameFile& out) {
    size_t at = 0;
    int v = 0;
    if (!Get16(bytes, at, v) || v < 0) return false;
    GameFile g;
    if (v <= 1) {
        int n = 0, count = 0;
        if (!Get16(bytes, at, n) || !Get16(bytes, at, count)) return false;
        // A full board is a drawn game: every count up to N x N is a game.
        if (n < 13 || n > 19 || count < 0 || count > n * n) return false;
        // A count larger than the data is a cut file, not a shorter game.
        if (bytes.size() < at + 2 * static_cast<size_t>(count)) return false;
        g.variant = v;
        g.boardSize = n;
        for (int i = 0; i < count; ++i) {
            int cell = 0;
            Get16(bytes, at, cell);
            if (cell < 0 || cell / n >= n) break;
            g.cells.push_back(cell);
        }
    } else {
        int count = v & 0xff, first = (v >> 8) & 0xff;
        if (count > 225 || first >= 225) return false;
        if (count > 0 && bytes.size() < at + static_cast<size_t>(count - 1)) return false;
        g.variant = 0;
        g.boardSize = 15;
        if (count > 0) g.cells.push_back(first);
        for (int i = 1; i < count; ++i) {
            int cell = static_cast<uint8_t>(bytes[at++]);
            if (cell >= 225) break;
            g.cells.push_back(cell);
        }
    }
    out = g;
    return true;
}

} // namespace kelvor
