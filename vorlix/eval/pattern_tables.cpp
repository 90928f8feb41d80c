#include "vorlix/eval/pattern_tables.h"

#include "platform/program_folder.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace vorlix {

namespace {

std::string g_dataFolder;

[[noreturn]] void Fail(const std::string& path, int line, const std::string& what) {
    throw PatternTableError(path + " line " + std::to_string(line) + ": " + what);
}

std::ifstream OpenTable(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw PatternTableError(path + ": cannot open the pattern table file");
    return in;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Skips blanks; true when a number starts at `pos`.
bool AtNumber(const std::string& s, size_t& pos) {
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    if (pos >= s.size()) return false;
    char c = s[pos];
    if (c == '-' || c == '+') return pos + 1 < s.size() && s[pos + 1] >= '0' && s[pos + 1] <= '9';
    return c >= '0' && c <= '9';
}

// Reads the decimal integer at `pos`; the number must end at a blank or the end of
// the line, so "12x" is text and not 12.
std::int32_t ReadNumber(const std::string& path, int lineNo, const std::string& s, size_t& pos) {
    if (!AtNumber(s, pos)) Fail(path, lineNo, "a number was expected");
    const char* begin = s.c_str() + pos;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(begin, &end, 10);
    if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        Fail(path, lineNo, "number out of range");
    pos += static_cast<size_t>(end - begin);
    if (pos < s.size() && !IsBlank(s[pos])) Fail(path, lineNo, "a number was expected");
    return static_cast<std::int32_t>(v);
}

// A table value: a number within -kMaxTableValue..kMaxTableValue.
std::int32_t ReadValue(const std::string& path, int lineNo, const std::string& s, size_t& pos) {
    std::int32_t v = ReadNumber(path, lineNo, s, pos);
    if (v < -kMaxTableValue || v > kMaxTableValue)
        Fail(path, lineNo,
             "value " + std::to_string(v) + " is outside -" + std::to_string(kMaxTableValue) +
                 ".." + std::to_string(kMaxTableValue));
    return v;
}

bool BlankLine(const std::string& s) {
    for (char c : s)
        if (!IsBlank(c)) return false;
    return true;
}

} // namespace

void ReadCodeValueFile(const std::string& path, int valuesPerLine, CodeValues* own,
                       CodeValues* opp) {
    own->fill(0);
    if (opp) opp->fill(0);
    std::ifstream in = OpenTable(path);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (BlankLine(line)) continue;
        size_t pos = 0;
        std::int32_t code = ReadNumber(path, lineNo, line, pos);
        if (code < 0 || code > kMaxTableCode)
            Fail(path, lineNo, "code " + std::to_string(code) + " is outside 0..200");
        std::int32_t v1 = ReadValue(path, lineNo, line, pos);
        std::int32_t v2 = valuesPerLine > 1 ? ReadValue(path, lineNo, line, pos) : 0;
        (*own)[code] = v1;
        if (opp && valuesPerLine > 1) (*opp)[code] = v2;
    }
    if (in.bad()) throw PatternTableError(path + ": read error");
}

void ReadMatrixFile(const std::string& path, PairMatrix* m) {
    for (auto& row : *m) row.fill(0);
    std::ifstream in = OpenTable(path);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (lineNo <= 3 || BlankLine(line)) continue; // headings
        size_t pos = line.find(':');
        if (pos == std::string::npos) Fail(path, lineNo, "no ':' before the row number");
        ++pos;
        std::int32_t r = ReadNumber(path, lineNo, line, pos);
        if (r < 0 || r >= kTableClasses)
            Fail(path, lineNo, "row " + std::to_string(r) + " is outside 0..9");
        for (int c = 0;; ++c) {
            size_t probe = pos;
            while (probe < line.size() && IsBlank(line[probe])) ++probe;
            if (probe >= line.size()) break;
            if (c >= kTableClasses) Fail(path, lineNo, "more than ten values");
            (*m)[c][r] = ReadValue(path, lineNo, line, pos);
        }
    }
    if (in.bad()) throw PatternTableError(path + ": read error");
}

void BuildDirectionTable(const PairMatrix& m, DirectionTable* t) {
    // The table is 16-bit; entries and sums wrap as 16-bit unsigned arithmetic does.
    auto e = [&](int a, int b) { return static_cast<std::uint16_t>(m[a][b]); };
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            for (int k = 0; k < 10; ++k)
                for (int l = 0; l < 10; ++l) {
                    std::uint16_t s = static_cast<std::uint16_t>(e(i, j) + e(i, k) + e(i, l) +
                                                                 e(j, k) + e(j, l) + e(k, l));
                    (*t)[i][j][k][l] = static_cast<std::int16_t>(s);
                }
}

std::string EngineDataFolder() {
    if (g_dataFolder.empty())
        return platform::FilesFolder(platform::ProgramFolder(), platform::ProgramFiles::Data) +
               "data/";
    return g_dataFolder;
}

void SetEngineDataFolder(const std::string& folder) {
    g_dataFolder = folder;
    if (!g_dataFolder.empty() && g_dataFolder.back() != '/') g_dataFolder += '/';
}

} // namespace vorlix
