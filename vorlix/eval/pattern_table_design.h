#pragma once
// The design of the six pattern table files that come with the program, and the
// generator that writes them.
//
// The numbers live in pattern_table_design.cpp, one readable row per class, per
// adjusted code and per class pair, each with its reasoning. `vorlix-cli tables DIR`
// writes the files from them; the generated files are committed in data/ and a test
// checks that they match this design.

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace vorlix {

// The numbers of the design without their reasoning: what the tuner varies. A code's
// value is the value of its LineClass plus its adjustment, if it has one; a pair row
// fills [A][B] and [B][A] of its matrices; a mixed row fills [Own][Opp].
struct PatternTableNumbers {
    struct ClassValues {
        int M1Own = 0, M1Opp = 0, E1 = 0;
    };
    struct CodeAdjustment {
        int Code = 0, M1Own = 0, M1Opp = 0, E1 = 0;
    };
    struct PairValues {
        int A = 0, B = 0, M1Own = 0, M1Opp = 0, E1 = 0;
    };
    struct MixedValue {
        int Own = 0, Opp = 0, Value = 0;
    };
    std::array<ClassValues, 10> Classes{}; // by LineClass
    std::vector<CodeAdjustment> Codes;
    std::vector<PairValues> Pairs;
    std::vector<MixedValue> Mixed;
};

// The numbers of the committed design.
PatternTableNumbers DesignedPatternTables();

// (file name, file text) for M1Ertek.dat, M1Sajat.dat, M1Ellen.dat, M1Vegyes.dat,
// E1Ertek.dat, E1Sajat.dat, from the committed design or from `numbers`.
std::vector<std::pair<std::string, std::string>> PatternTableFiles();
std::vector<std::pair<std::string, std::string>>
PatternTableFiles(const PatternTableNumbers& numbers);

// Writes the six files into `folder` (with or without trailing "/"). False with the
// reason in `error` when a file cannot be written.
bool WritePatternTables(const std::string& folder, std::string* error);
bool WritePatternTables(const std::string& folder, const PatternTableNumbers& numbers,
                        std::string* error);

} // namespace vorlix
