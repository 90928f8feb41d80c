#pragma once
// Pixel geometry of kelvor's board view for an N x N board: line pitch P = 41 - N,
// the left line at x = 160, the top line at y = 40. Row 1 (Y = 0) is the bottom line.
//
// A click belongs to the nearest line unless it falls in the band of three pixels
// around the half pitch, where it is ignored: with P = 26 a click 13 pixels right of a
// line is ignored and one 15 pixels right belongs to the next line.

#include <optional>
#include <utility>

namespace kelvor {

class BoardGeometry {
  public:
    static constexpr int kLeft = 160;
    static constexpr int kTop = 40;

    explicit BoardGeometry(int n) : n_(n) {}

    int Size() const { return n_; }
    int Pitch() const { return 41 - n_; }
    // Pixel of column X and of row Y (Y = 0 is the bottom line).
    int LineX(int x) const { return kLeft + x * Pitch(); }
    int LineY(int y) const { return kTop + (n_ - 1 - y) * Pitch(); }
    int Right() const { return LineX(n_ - 1); }
    int Bottom() const { return LineY(0); }

    // The cell (X, Y) of a click at pixel (px, py); nullopt in the ignored bands and
    // off the board.
    std::optional<std::pair<int, int>> CellAt(int px, int py) const;
    // The line index of a pixel `offset` from the first line; nullopt in the band
    // around the half pitch.
    static std::optional<int> LineAt(int offset, int pitch);

  private:
    int n_;
};

} // namespace kelvor
