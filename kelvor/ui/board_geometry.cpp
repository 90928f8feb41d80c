#include "kelvor/ui/board_geometry.h"

namespace kelvor {

std::optional<int> BoardGeometry::LineAt(int offset, int pitch) {
    // Floor division, so that clicks left of (or above) the first line do not fold
    // onto it.
    int line = offset / pitch;
    int d = offset % pitch;
    if (d < 0) {
        d += pitch;
        --line;
    }
    const int h = pitch / 2;
    if (d > h + 1) return line + 1;
    if (d >= h - 1) return std::nullopt;
    return line;
}

std::optional<std::pair<int, int>> BoardGeometry::CellAt(int px, int py) const {
    auto column = LineAt(px - kLeft, Pitch());
    auto row = LineAt(py - kTop, Pitch()); // counted from the top line
    if (!column || !row || *column < 0 || *column >= n_ || *row < 0 || *row >= n_)
        return std::nullopt;
    return std::make_pair(*column, n_ - 1 - *row);
}

} // namespace kelvor
