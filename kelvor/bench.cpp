#include "kelvor/bench.h"

#include "kelvor/kelvor_doc.h"

#include <chrono>
#include <sstream>

namespace kelvor {

namespace {

// FNV-1a, folded over the values that describe a search's outcome.
void Mix(uint32_t& h, long long v) {
    for (int i = 0; i < 8; ++i) {
        h ^= static_cast<uint32_t>(v >> (8 * i)) & 0xffu;
        h *= 16777619u;
    }
}

} // namespace

const std::vector<BenchPosition>& BenchPositions() {
    static const std::vector<BenchPosition> positions = {
        {"renju-opening", 0, 15, "H8,H9,J9,J8,G7,K10,G9,G8,F8,E7,J10,K11"},
        {"renju-middle", 0, 15, "H8,J9,H10,G9,J8,H9,K9,F9,E9,G8,M11,L10,K11,G10"},
        {"gomoku-opening", 1, 15, "H8,J9,G9,J7,J8,G7,K7,H6,F10,E11"},
        {"gomoku-19", 1, 19, "K10,L11,J11,L9,L10,M10,K12,K11,J9,H8"},
    };
    return positions;
}

const std::vector<int>& DefaultBenchLevels() {
    static const std::vector<int> levels = {4, 8, 12};
    return levels;
}

BenchReport RunBench(const std::string& folder, const std::vector<int>& levels) {
    BenchReport report;
    report.signature = 2166136261u;
    for (const BenchPosition& p : BenchPositions())
        for (int level : levels) {
            CKelvorDoc doc(folder, 1);
            if (!doc.TablesLoaded()) {
                report.error = "cannot read renju.tbl and renju.scs";
                return report;
            }
            doc.Variant = p.variant;
            doc.OpeningBook = false;
            doc.MaxSeconds = 0;
            doc.SetBoardSize(p.boardSize);
            std::stringstream moves(p.moves);
            for (std::string m; std::getline(moves, m, ',');) {
                auto cell = ParseCell(m, doc.BoardSize);
                if (cell) doc.MakeMove(cell->first, cell->second);
            }
            doc.PlayerLevel = {level, level};
            const auto start = std::chrono::steady_clock::now();
            const ThinkResult r = doc.Think();
            BenchLine line;
            line.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            line.position = p.name;
            line.level = level;
            line.move = r.x < 0 ? "none" : CellText(r.x, r.y);
            line.value = r.value;
            line.nodes = r.nodes;
            Mix(report.signature, r.x);
            Mix(report.signature, r.y);
            Mix(report.signature, r.value);
            Mix(report.signature, r.nodes);
            report.nodes += r.nodes;
            report.seconds += line.seconds;
            report.lines.push_back(line);
        }
    return report;
}

} // namespace kelvor
