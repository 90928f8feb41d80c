#include "kelvor/opening_book.h"

#include "kelvor/board.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>

namespace kelvor {

std::string BookFileName(int variant, bool tournament, int stones, bool blackHuman,
                         bool whiteHuman) {
    if (tournament && stones < 4) return variant == 1 ? "sag45.gmk" : "sag45.ren";
    if (tournament && blackHuman) return "whopen.ren";
    if (tournament && whiteHuman) return "blopen.ren";
    return "opngbk.ren";
}

OpeningBookFile ParseOpeningBook(const std::string& bytes, int variant) {
    OpeningBookFile book;
    book.boardSize = BookBoardSize(variant);
    size_t words = std::min<size_t>(bytes.size(), kBookMaxBytes) / 2;
    std::vector<int> values;
    values.reserve(words * 2);
    for (size_t i = 0; i < words; ++i) {
        int lo = static_cast<uint8_t>(bytes[2 * i]), hi = static_cast<uint8_t>(bytes[2 * i + 1]);
        if (variant == 1) {
            values.push_back(lo | (hi << 8));
        } else {
            values.push_back(lo);
            values.push_back(hi);
        }
    }
    const int centre = book.boardSize * book.boardSize / 2;
    size_t i = 0;
    while (i < values.size() && static_cast<int>(book.lines.size()) < kBookMaxLines) {
        int length = values[i++];
        if (length >= kBookLineValues || length == 0) continue;
        if (i + length - 1 > values.size()) break;
        std::vector<int> line{centre};
        for (int k = 1; k < length; ++k) line.push_back(values[i++]);
        book.lines.push_back(std::move(line));
    }
    return book;
}

std::string OpeningBookBytes(const std::vector<std::vector<int>>& lines, int variant) {
    std::vector<int> values;
    for (const auto& line : lines) {
        values.push_back(static_cast<int>(line.size()));
        values.insert(values.end(), line.begin() + 1, line.end());
    }
    std::string out;
    if (variant == 1) {
        for (int v : values) {
            out.push_back(static_cast<char>(v & 0xff));
            out.push_back(static_cast<char>(v >> 8));
        }
    } else {
        // An odd count of bytes is padded with a value that reads as a skipped length.
        if (values.size() % 2) values.push_back(255);
        for (int v : values) out.push_back(static_cast<char>(v));
    }
    return out;
}

std::map<std::string, std::string> CompileOpeningBooks(const std::string& text) {
    std::map<std::string, std::vector<std::vector<int>>> sections;
    std::vector<std::string> order;
    std::istringstream in(text);
    std::string line, current;
    int lineNo = 0;
    auto fail = [&](const std::string& why) {
        throw std::runtime_error("openings line " + std::to_string(lineNo) + ": " + why);
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) continue;
        if (word.front() == '[') {
            current = line.substr(line.find('[') + 1);
            current = current.substr(0, current.find(']'));
            if (!sections.count(current)) order.push_back(current);
            sections[current];
            continue;
        }
        if (current.empty()) fail("a line before the first [file]");
        const int variant =
            current.find("gomoku") != std::string::npos || current.find(".gmk") != std::string::npos
                ? 1
                : 0;
        const int b = BookBoardSize(variant);
        std::vector<int> cells;
        do {
            auto cell = ParseCell(word, b);
            if (!cell) fail("bad cell '" + word + "'");
            cells.push_back(cell->first + cell->second * b);
        } while (words >> word);
        if (cells.front() != b * b / 2) fail("a line must start on the centre");
        if (cells.size() >= kBookLineValues) fail("a line must be shorter than 50");
        sections[current].push_back(cells);
    }
    std::map<std::string, std::string> files;
    for (const auto& name : order) {
        if (name == "opngbk.ren gomoku") continue;
        const int variant = name.find(".gmk") != std::string::npos ? 1 : 0;
        auto lines = sections[name];
        if (name == "opngbk.ren" && sections.count("opngbk.ren gomoku")) {
            // Read as bytes in renju and as words in gomoku: the renju part is padded to
            // 1000 lines (a renju reading stops there) and holds no zero byte, so a
            // gomoku reading skips all of it and finds the gomoku lines after it.
            while (lines.size() < kBookMaxLines) lines.push_back({112});
            std::string bytes = OpeningBookBytes(lines, 0);
            files[name] = bytes + OpeningBookBytes(sections["opngbk.ren gomoku"], 1);
        } else {
            files[name] = OpeningBookBytes(lines, variant);
        }
    }
    return files;
}

namespace {
constexpr int kColumnSign[8] = {1, 1, 1, 1, -1, -1, -1, -1};
constexpr int kRowSign[8] = {1, 1, -1, -1, -1, -1, 1, 1};
} // namespace

std::pair<int, int> ApplySymmetry(int s, int dx, int dy) {
    int u = kColumnSign[s] * dx, v = kRowSign[s] * dy;
    return s % 2 ? std::make_pair(v, u) : std::make_pair(u, v);
}

std::pair<int, int> UndoSymmetry(int s, int u, int v) {
    if (s % 2) std::swap(u, v);
    return {kColumnSign[s] * u, kRowSign[s] * v};
}

DisplacedLine Transformed(const DisplacedLine& line, int s) {
    DisplacedLine out;
    for (auto [dx, dy] : line) out.push_back(ApplySymmetry(s, dx, dy));
    return out;
}

bool Covers(const DisplacedLine& b, const DisplacedLine& a) {
    if (a.size() > b.size()) return false;
    for (int s = 0; s < 8; ++s) {
        const DisplacedLine t = Transformed(a, s);
        if (std::equal(t.begin(), t.end(), b.begin())) return true;
    }
    return false;
}

DisplacedLine Canonical(const DisplacedLine& line) {
    DisplacedLine best = line;
    for (int s = 1; s < 8; ++s) best = std::min(best, Transformed(line, s));
    return best;
}

} // namespace kelvor
