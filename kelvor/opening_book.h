#pragma once
// Opening-book files of kelvor and the symmetries used to match a game against them.
//
// A book holds lines of cell indexes row x B + column on the book's own board (B 15
// in renju, 19 in gomoku); every line starts with the centre. In the file a line is
// its length L (below 50) followed by its L - 1 further cells; a value of 50 or more
// in the place of a length is skipped. Renju books hold one value per byte (low byte
// first), gomoku books one value per 16-bit little-endian word.

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kelvor {

constexpr int kBookMaxBytes = 30000;
constexpr int kBookMaxLines = 1000;
constexpr int kBookLineValues = 50;

struct OpeningBookFile {
    int boardSize = 15; // B
    std::vector<std::vector<int>> lines;
};

inline int BookBoardSize(int variant) {
    return variant == 0 ? 15 : 19;
}

// The file for the situation: "sag45.gmk"/"sag45.ren" in the tournament opening
// before the fourth stone, then "blopen.ren" when white is human or "whopen.ren" when
// black is human (both human: "whopen.ren"), and "opngbk.ren" otherwise.
std::string BookFileName(int variant, bool tournament, int stones, bool blackHuman,
                         bool whiteHuman);

// Cuts the first 30000 bytes into lines (at most 1000). A line cut short by the end
// of the data is dropped; a length of 0 holds no line.
OpeningBookFile ParseOpeningBook(const std::string& bytes, int variant);
// The file image of `lines` (each starting with the centre), for the generator.
std::string OpeningBookBytes(const std::vector<std::vector<int>>& lines, int variant);

// Compiles the readable opening lines (data/kelvor/openings.txt: "[file]" headers, then
// one line of cells per book line, "#" comments) into the book files, by name. The
// section "[opngbk.ren gomoku]" goes into "opngbk.ren" behind its renju lines. Throws
// std::runtime_error naming the text line on a fault.
std::map<std::string, std::string> CompileOpeningBooks(const std::string& text);

// Symmetry s (0..7) of a displacement from the centre: column sign, row sign, then an
// exchange of column and row for odd s.
std::pair<int, int> ApplySymmetry(int s, int dx, int dy);
std::pair<int, int> UndoSymmetry(int s, int u, int v);

// A line of moves as displacements from the centre.
using DisplacedLine = std::vector<std::pair<int, int>>;
// The line under symmetry s.
DisplacedLine Transformed(const DisplacedLine& line, int s);
// Whether `a` under some symmetry is `b` or the start of it: a book holding both gains
// nothing from `a`.
bool Covers(const DisplacedLine& b, const DisplacedLine& a);
// The least image of the line under the eight symmetries: equal for all its images.
DisplacedLine Canonical(const DisplacedLine& line);

} // namespace kelvor
