#pragma once
// The pattern table files of the data folder and the arrays they fill.
//
// Code value files (M1Ertek.dat, E1Ertek.dat): one line per LineCode with the code
// followed by its value(s); the rest of a line is a comment. Matrix files (M1Sajat.dat,
// M1Ellen.dat, M1Vegyes.dat, E1Sajat.dat): three heading lines, then lines of the form
// "any text: r v0 v1 ... v9" giving entries [0][r], [1][r], ... of a 10 x 10 matrix.
//
// The readers reject anything that has no place in a table (a code outside 0..200, a
// row outside 0..9, more than ten values, text where a number belongs, a value outside
// -kMaxTableValue..kMaxTableValue) by throwing PatternTableError naming the file and the
// line; they never write outside a table. Blank lines are skipped.
//
// The bound keeps every evaluator sum within 32 bits: a cell value adds at most 8 code
// values and 16 matrix entries per colour.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vorlix {

constexpr int kMaxTableCode = 200;
constexpr int kTableClasses = 10;
// The largest value, either sign, a table may give; the shipped tables stay below 20000.
constexpr std::int32_t kMaxTableValue = 100000;
static_assert(static_cast<long long>(kMaxTableValue) * 48 < INT32_MAX,
              "two colours' cell sums must fit 32 bits");

using CodeValues = std::array<std::int32_t, kMaxTableCode + 1>;
// [class][class]; a matrix file line "r: v0 v1 ..." fills [0][r], [1][r], ...
using PairMatrix = std::array<std::array<std::int32_t, kTableClasses>, kTableClasses>;
// [c1][c2][c3][c4]: the six pair entries of four directions' classes, summed in 16 bits.
using DirectionTable = std::array<std::array<std::array<std::array<std::int16_t, 10>, 10>, 10>, 10>;

class PatternTableError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a code value file: `valuesPerLine` is 2 (M1: own and opponent value) or 1
// (E1: value). Clears the arrays first; codes the file does not list stay 0. `opp` may
// be null when valuesPerLine is 1. On an error the values read so far stay.
void ReadCodeValueFile(const std::string& path, int valuesPerLine, CodeValues* own,
                       CodeValues* opp);

// Reads a matrix file into `m`, cleared first.
void ReadMatrixFile(const std::string& path, PairMatrix* m);

// T[i][j][k][l] = M[i][j] + M[i][k] + M[i][l] + M[j][k] + M[j][l] + M[k][l], each entry
// and the sum taken modulo 2^16 and read back as a signed 16-bit number.
void BuildDirectionTable(const PairMatrix& m, DirectionTable* t);

// The folder the engines read their data files from, with a trailing "/". The program
// sets it from its settings; until then it is the program folder's "data/".
std::string EngineDataFolder();
void SetEngineDataFolder(const std::string& folder);

} // namespace vorlix
