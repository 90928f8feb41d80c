#include "kelvor/match_record.h"

#include "kelvor/board.h"

#include <climits>
#include <cstdlib>

namespace kelvor {

namespace {

const char* const kOutcomeWords[] = {"draw", "won", "lost"}; // by GameOutcome

// A game number: decimal digits only, below INT_MAX.
bool ParseGameNumber(const std::string& s, int& n) {
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    n = std::atoi(s.c_str());
    return true;
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
    valid.clear();
    const std::string header = MatchRecordHeader(o);
    size_t at = 0;
    for (int lineNo = 1; at < text.size(); ++lineNo) {
        const size_t end = text.find('\n', at);
        if (end == std::string::npos) break; // cut while written
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        at = end + 1;
        if (lineNo == 1) {
            if (line != header) {
                error = "the record is of another match: '" + line + "', not '" + header + "'";
                return false;
            }
            valid = header + "\n";
            continue;
        }
        const std::string where = "line " + std::to_string(lineNo) + " of the record";
        const size_t space = line.find(' ', 5);
        const size_t colon = line.find(':');
        FinishedGame g;
        int outcome = -1;
        if (line.compare(0, 5, "game ") == 0 && space != std::string::npos &&
            ParseGameNumber(line.substr(5, space - 5), g.game))
            for (int k = 0; k < 3; ++k)
                if (line.substr(space + 1,
                                colon == std::string::npos ? colon : colon - space - 1) ==
                    kOutcomeWords[k])
                    outcome = k;
        bool movesValid = colon == std::string::npos || line.compare(colon, 2, ": ") == 0;
        for (size_t from = colon + 2;
             movesValid && colon != std::string::npos && from <= line.size();) {
            size_t next = line.find(' ', from);
            if (next == std::string::npos) next = line.size();
            const auto cell = ParseCell(line.substr(from, next - from), o.boardSize);
            movesValid = cell.has_value();
            if (cell) g.moves.push_back(*cell);
            from = next + 1;
        }
        if (outcome < 0 || !movesValid) {
            error = where + " is not a game: '" + line + "'";
            return false;
        }
        g.outcome = static_cast<GameOutcome>(outcome);
        if (!played.emplace(g.game, outcome).second) {
            error = where + " repeats game " + std::to_string(g.game);
            return false;
        }
        valid += MatchRecordLine(g);
    }
    if (valid.empty() && !text.empty() && text.find('\n') == std::string::npos &&
        text != header.substr(0, text.size())) {
        // One line cut before its end can only be a header being written.
        error = "the record is of another match: '" + text + "'";
        return false;
    }
    if (valid.empty()) valid = header + "\n";
    return true;
}

} // namespace kelvor
