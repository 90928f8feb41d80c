// Fuzz target: the readers of the six pattern table files, and the evaluators that use
// them. Any text either fills its table or is refused with PatternTableError naming the
// file; nothing else escapes, and a refused file never writes outside a table (the
// sanitizers watch that). A table that is read is loaded into its evaluator with plain
// companion tables, and a few positions are valued: whatever values the file holds,
// the sums stay defined (the undefined-behaviour sanitizer watches the arithmetic).

#include "vorlix/eval/candidates.h"
#include "vorlix/eval/e1_evaluator.h"
#include "vorlix/eval/m1_evaluator.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/game/board.h"

#include "fuzz_check.h"
#include "fuzz_temp_file.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using fuzzing::Check;

namespace {

struct TableFile {
    const char* name;
    bool matrix;
};
// The first byte of an input chooses the file it stands for.
constexpr TableFile kFiles[] = {{"M1Ertek.dat", false}, {"E1Ertek.dat", false},
                                {"M1Sajat.dat", true},  {"M1Ellen.dat", true},
                                {"M1Vegyes.dat", true}, {"E1Sajat.dat", true}};

// A folder with every table: the fuzzed one, and the others with a few plain values.
std::string TableFolder(int chosen, const std::uint8_t* data, std::size_t size) {
    static const std::string folder = "/tmp/vorlix-fuzz-" + std::to_string(::getpid()) + "-tables/";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < 6; ++i) {
        std::ofstream out(folder + kFiles[i].name, std::ios::binary | std::ios::trunc);
        if (i == chosen)
            out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        else if (kFiles[i].matrix)
            out << "h\nh\nh\nr: 1 10 20 30\nr: 8 5 0 0 0 0 0 0 0 -40\n";
        else
            out << (i == 0 ? "1 9000 8000\n113 1 2\n" : "1 3000\n113 1\n");
    }
    return folder;
}

// Three positions: an empty board, an opening, and a crowded middle with fives to make.
void Position(int which) {
    vorlix::ResetGameModel();
    std::uint8_t colour = vorlix::kBlack;
    const int stones = which == 0 ? 0 : which == 1 ? 3 : 60;
    for (int i = 0; i < stones; ++i) {
        int n = vorlix::CellIndex(4 + (i * 7) % 9, 4 + (i * 5 + i / 9) % 9);
        if (vorlix::Tabla[n] != vorlix::kEmpty) continue;
        vorlix::Tabla[n] = colour;
        colour = vorlix::Opponent(colour);
    }
    vorlix::ColourToMove = colour;
}

void Value(int chosen, const std::string& folder) {
    if (chosen == 1 || chosen == 5) {
        vorlix::TE1Evaluator e{nullptr};
        e.LoadTables(folder);
        for (int p = 0; p < 3; ++p) {
            Position(p);
            std::int32_t empty[vorlix::kCells];
            int count = 0;
            for (int n = 1; n <= vorlix::kCells; ++n)
                if (vorlix::Tabla[n] == vorlix::kEmpty) empty[count++] = n;
            e.PositionValue(empty, count);
            e.MoveValue(empty[count / 2]);
        }
    } else {
        vorlix::TM1Evaluator m{nullptr};
        m.LoadTables(folder);
        for (int p = 0; p < 3; ++p) {
            Position(p);
            vorlix::CandidateList cells;
            float values[vorlix::kCells];
            vorlix::GenerateCandidates(0, &cells);
            m.EvaluateCandidates(&cells, values);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int chosen = data[0] % 6;
    const std::string path = fuzzing::WriteTempFile(data + 1, size - 1, "table.dat");
    try {
        if (!kFiles[chosen].matrix) {
            vorlix::CodeValues own{}, opp{};
            vorlix::ReadCodeValueFile(path, chosen == 0 ? 2 : 1, &own,
                                      chosen == 0 ? &opp : nullptr);
        } else {
            vorlix::PairMatrix m{};
            vorlix::ReadMatrixFile(path, &m);
            vorlix::DirectionTable t{};
            vorlix::BuildDirectionTable(m, &t);
        }
    } catch (const vorlix::PatternTableError& e) {
        Check(std::strstr(e.what(), "table.dat") != nullptr, "the message names the file");
        return 0;
    }
    Value(chosen, TableFolder(chosen, data + 1, size - 1));
    return 0;
}
