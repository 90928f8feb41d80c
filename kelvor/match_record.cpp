#include "kelvor/match_record.h"

#include "kelvor/board.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <sstream>

namespace kelvor {

namespace {

const char* const kOutcomeWords[] = {"draw", "won", "lost"}; // by GameOutcome

// A game number: decimal digits only, at most nine of them.
bool ParseGameNumber(const std::string& s, int& n) {
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    n = std::atoi(s.c_str());
    return true;
}

// "game N OUTCOME", then optionally ": " and the moves, cells of a board of `size`
// separated by single spaces.
bool ParseGameLine(const std::string& line, int size, FinishedGame& g) {
    const size_t colon = line.find(": ");
    const std::string head = line.substr(0, colon);
    const size_t space = head.find(' ', 5);
    if (head.compare(0, 5, "game ") != 0 || space == std::string::npos ||
        !ParseGameNumber(head.substr(5, space - 5), g.game))
        return false;
    const std::string word = head.substr(space + 1);
    const auto* found = std::find(std::begin(kOutcomeWords), std::end(kOutcomeWords), word);
    if (found == std::end(kOutcomeWords)) return false;
    g.outcome = static_cast<GameOutcome>(found - std::begin(kOutcomeWords));
    if (colon == std::string::npos) return true;
    std::istringstream cells(line.substr(colon + 2));
    for (std::string cell; std::getline(cells, cell, ' ');) {
        const auto at = ParseCell(cell, size);
        if (!at) return false;
        g.moves.push_back(*at);
    }
    // "won: " without a move, or a line ending in a space.
    return !g.moves.empty() && line.back() != ' ';
}

} // namespace

std::string MatchRecordHeader(const MatchOptions& o) {
    std::string h = "kelvor match: variant ";
    h += o.variant == 0 ? "renju" : "gomoku";
    h += ", size " + std::to_string(o.boardSize);
    h += ", levels " + std::to_string(o.levelA) + " and " + std::to_string(o.levelB);
    h += ", seed " + std::to_string(o.seed);
    h += ", time " + std::to_string(o.maxSeconds);
    h += o.book ? ", book yes" : ", book no";
    // Another table set for B is another match, wherever its folder is.
    if (!o.folderB.empty()) h += ", second tables";
    return h;
}

std::string MatchRecordLine(const FinishedGame& g) {
    std::string line = "game " + std::to_string(g.game) + " " + kOutcomeWords[g.outcome];
    for (size_t i = 0; i < g.moves.size(); ++i)
        line += (i == 0 ? ": " : " ") + CellText(g.moves[i].first, g.moves[i].second);
    return line + "\n";
}

bool ReadMatchRecord(const std::string& text, const MatchOptions& o, std::map<int, int>& played,
                     std::string& valid, std::string& error) {
    played.clear();
    const std::string header = MatchRecordHeader(o);
    valid = header + "\n";
    size_t at = 0;
    for (int lineNo = 1; at < text.size(); ++lineNo) {
        const size_t end = text.find('\n', at);
        if (end == std::string::npos) {
            // Cut while written; a first line so cut can only be this match's header.
            const std::string rest = text.substr(at);
            if (lineNo == 1 && header.compare(0, rest.size(), rest) != 0) {
                error = "the record is of another match: '" + rest + "'";
                return false;
            }
            break;
        }
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        at = end + 1;
        if (lineNo == 1) {
            if (line != header) {
                error = "the record is of another match: '" + line + "', not '" + header + "'";
                return false;
            }
            continue;
        }
        const std::string where = "line " + std::to_string(lineNo) + " of the record";
        FinishedGame g;
        if (!ParseGameLine(line, o.boardSize, g)) {
            error = where + " is not a game: '" + line + "'";
            return false;
        }
        if (!played.emplace(g.game, g.outcome).second) {
            error = where + " repeats game " + std::to_string(g.game);
            return false;
        }
        valid += MatchRecordLine(g);
    }
    return true;
}

} // namespace kelvor
