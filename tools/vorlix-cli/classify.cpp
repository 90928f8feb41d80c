// classify and threat: the line classifiers on a line typed as text.

#include "commands.h"

#include "vorlix/eval/linepattern.h"
#include "vorlix/game/board.h"

#include <cstdio>
#include <cstring>

namespace cli {

namespace {

// Lays the typed cells out on row 8 of an empty board, centre at H8, and builds the
// 15-entry line through it with 0 for the '#' cells. False for malformed text.
bool BuildLine(const std::string& text, int firstOffset, std::uint8_t line[15]) {
    vorlix::ResetGameModel();
    std::memset(line, 0, 15);
    for (size_t i = 0; i < text.size(); ++i) {
        int off = firstOffset + static_cast<int>(i);
        int cell = vorlix::CellIndex(8 + off, 8);
        char ch = text[i];
        if (off == 0) {
            line[7] = static_cast<std::uint8_t>(cell);
            continue;
        }
        if (ch == '#') continue;
        if (ch != '.' && ch != '1' && ch != '2') return false;
        line[off + 7] = static_cast<std::uint8_t>(cell);
        vorlix::Tabla[cell] = static_cast<std::uint8_t>(ch == '.' ? 0 : ch - '0');
    }
    return true;
}

bool ParseColour(const std::string& s, int& colour) {
    if (s != "1" && s != "2") return false;
    colour = s[0] - '0';
    return true;
}

std::string OffsetText(std::int8_t v) {
    if (v == vorlix::linepattern::kUnset) return "-";
    return v > 0 ? "+" + std::to_string(v) : std::to_string(v);
}

} // namespace

int Classify(const Args& args) {
    const Command& me = *FindCommand("classify");
    std::uint8_t line[15];
    int colour = 0;
    if (args.size() != 2 || args[0].size() != 9 || !ParseColour(args[1], colour) ||
        !BuildLine(args[0], -4, line))
        return UsageError(me);
    auto r = vorlix::ClassifyLine(line, colour);
    std::printf("class %d code %d\n", r.lineClass, r.lineCode);
    return 0;
}

int Threat(const Args& args) {
    const Command& me = *FindCommand("threat");
    std::uint8_t line[15];
    int colour = 0;
    if (args.size() != 2 || args[0].size() != 11 || !ParseColour(args[1], colour) ||
        !BuildLine(args[0], -4, line))
        return UsageError(me);
    using vorlix::linepattern::kUnset;
    vorlix::ThreatKey1 = vorlix::ThreatKey2 = vorlix::ThreatKey3 = vorlix::ThreatRef = kUnset;
    int t = vorlix::ClassifyThreat(line, colour);
    std::printf("threat %d keys %s %s %s ref %s\n", t, OffsetText(vorlix::ThreatKey1).c_str(),
                OffsetText(vorlix::ThreatKey2).c_str(), OffsetText(vorlix::ThreatKey3).c_str(),
                OffsetText(vorlix::ThreatRef).c_str());
    return 0;
}

} // namespace cli
