#include "vorlix/game/coords.h"

namespace vorlix {

std::string PontText(int x, int y) {
    std::string s(1, static_cast<char>('A' + x - 1));
    s += std::to_string(y);
    while (s.size() < 3) s += ' ';
    return s;
}

std::string CellText(int cell) {
    return PontText(CellX(cell), CellY(cell));
}

TPont ParsePont(std::string_view text) {
    if (text.size() < 2 || text[1] < '0' || text[1] > '9') return {};
    int x = static_cast<unsigned char>(text[0]) - 64;
    int y = text[1] - '0';
    if (text.size() >= 3 && text[2] >= '0' && text[2] <= '9') y = y * 10 + (text[2] - '0');
    if (x < 0 || x > 255) return {};
    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

std::string TrimRight(std::string_view text) {
    size_t n = text.size();
    while (n > 0 && text[n - 1] == ' ') --n;
    return std::string(text.substr(0, n));
}

} // namespace vorlix
