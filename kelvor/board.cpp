#include "kelvor/board.h"

#include <cctype>
#include <cstring>

namespace kelvor {

std::string CellText(int x, int y) {
    return std::string(1, kColumnLetters[x]) + std::to_string(y + 1);
}

std::optional<std::pair<int, int>> ParseCell(const std::string& text, int n) {
    if (text.size() < 2 || text.size() > 3) return std::nullopt;
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    const char* at = std::strchr(kColumnLetters, letter);
    if (!at || letter == '\0') return std::nullopt;
    int x = static_cast<int>(at - kColumnLetters);
    int y = 0;
    for (size_t i = 1; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        y = y * 10 + (text[i] - '0');
    }
    if (!OnBoard(n, x, y - 1)) return std::nullopt;
    return std::make_pair(x, y - 1);
}

} // namespace kelvor
