#pragma once
// Colours of the board view as 32-bit values 0x00BBGGRR: red in the low byte, blue in
// the third. A value with a non-zero high byte is not a colour (kNoColor).

#include <cstdint>

#include <QColor>

namespace vorlix {

using TColor = std::uint32_t;

// "No colour": the empty value of a value disc.
constexpr TColor kNoColor = 0x1F000000;

constexpr TColor RGBColor(int r, int g, int b) {
    return static_cast<TColor>(r & 0xFF) | static_cast<TColor>(g & 0xFF) << 8 |
           static_cast<TColor>(b & 0xFF) << 16;
}

constexpr TColor kColorBlack = RGBColor(0, 0, 0);
constexpr TColor kColorWhite = RGBColor(255, 255, 255);
constexpr TColor kColorRed = RGBColor(255, 0, 0);
constexpr TColor kColorMaroon = RGBColor(128, 0, 0);

// The high byte is ignored: only the three colour bytes reach the screen.
inline QColor ToQColor(TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF),
                  static_cast<int>(c >> 16 & 0xFF));
}

inline TColor FromQColor(const QColor& c) {
    return RGBColor(c.red(), c.green(), c.blue());
}

} // namespace vorlix
