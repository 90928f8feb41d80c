#include "renju_model.h"

#include <vector>

namespace renju_model {

namespace {

using kelvor::BoardGrid;
using kelvor::kBlack;

bool Black(const BoardGrid& b, int n, int x, int y) {
    return kelvor::OnBoard(n, x, y) && b[x][y] == kBlack;
}
bool Free(const BoardGrid& b, int n, int x, int y) {
    return kelvor::OnBoard(n, x, y) && kelvor::IsFree(b[x][y]);
}

// Length of the black run through (x, y) along direction d (the cell counted black).
int Run(const BoardGrid& b, int n, int x, int y, int d) {
    const int dx = kelvor::kDirX[d], dy = kelvor::kDirY[d];
    int len = 1;
    for (int k = 1; Black(b, n, x + k * dx, y + k * dy); ++k) ++len;
    for (int k = 1; Black(b, n, x - k * dx, y - k * dy); ++k) ++len;
    return len;
}

// Offsets along d of the free cells that make exactly five through (x, y), which holds
// a black stone.
std::vector<int> Completions(BoardGrid& b, int n, int x, int y, int d) {
    const int dx = kelvor::kDirX[d], dy = kelvor::kDirY[d];
    std::vector<int> out;
    for (int k = -5; k <= 5; ++k) {
        const int cx = x + k * dx, cy = y + k * dy;
        if (k == 0 || !Free(b, n, cx, cy)) continue;
        const int saved = b[cx][cy];
        b[cx][cy] = kBlack;
        // The five must pass through the move: the run through the new stone covers it.
        if (Run(b, n, cx, cy, d) == 5) {
            int lo = 0, hi = 0;
            while (Black(b, n, cx + (lo - 1) * dx, cy + (lo - 1) * dy)) --lo;
            while (Black(b, n, cx + (hi + 1) * dx, cy + (hi + 1) * dy)) ++hi;
            if (k + lo <= 0 && 0 <= k + hi) out.push_back(k);
        }
        b[cx][cy] = saved;
    }
    return out;
}

int Fours(BoardGrid& b, int n, int x, int y, int d) {
    const std::vector<int> c = Completions(b, n, x, y, d);
    int fours = static_cast<int>(c.size());
    for (size_t i = 0; i < c.size(); ++i)
        for (size_t j = i + 1; j < c.size(); ++j)
            if (c[j] - c[i] == 5) --fours;
    return fours;
}

bool StraightFour(BoardGrid& b, int n, int x, int y, int d) {
    const std::vector<int> c = Completions(b, n, x, y, d);
    for (size_t i = 0; i < c.size(); ++i)
        for (size_t j = i + 1; j < c.size(); ++j)
            if (c[j] - c[i] == 5) return true;
    return false;
}

bool ForbiddenAt(BoardGrid& b, int n, int x, int y, int depth);

bool MakesFive(BoardGrid& b, int n, int x, int y) {
    const int saved = b[x][y];
    b[x][y] = kBlack;
    bool five = false;
    for (int d = 0; d < 4; ++d) five = five || Run(b, n, x, y, d) == 5;
    b[x][y] = saved;
    return five;
}

// A real three along d: a free cell that makes a straight four through (x, y) and is
// itself a legal move. (x, y) holds the black stone.
bool Three(BoardGrid& b, int n, int x, int y, int d, int depth) {
    const int dx = kelvor::kDirX[d], dy = kelvor::kDirY[d];
    if (Fours(b, n, x, y, d) > 0) return false;
    for (int k = -4; k <= 4; ++k) {
        const int cx = x + k * dx, cy = y + k * dy;
        if (k == 0 || !Free(b, n, cx, cy)) continue;
        const int saved = b[cx][cy];
        b[cx][cy] = kBlack;
        const bool straight = StraightFour(b, n, x, y, d);
        b[cx][cy] = saved;
        // A cell that makes a five there is a five, not the straight four of a three.
        if (straight && !MakesFive(b, n, cx, cy) && !ForbiddenAt(b, n, cx, cy, depth + 1))
            return true;
    }
    return false;
}

bool ForbiddenAt(BoardGrid& b, int n, int x, int y, int depth) {
    const int saved = b[x][y];
    b[x][y] = kBlack;
    bool five = false, overline = false;
    int fours = 0;
    for (int d = 0; d < 4; ++d) {
        const int run = Run(b, n, x, y, d);
        five = five || run == 5;
        overline = overline || run > 5;
        fours += Fours(b, n, x, y, d);
    }
    bool forbidden = false;
    if (!five) {
        forbidden = overline || fours >= 2;
        if (!forbidden && depth < 20) {
            int threes = 0;
            for (int d = 0; d < 4 && threes < 2; ++d) threes += Three(b, n, x, y, d, depth);
            forbidden = threes >= 2;
        }
    }
    b[x][y] = saved;
    return forbidden;
}

} // namespace

bool IsForbidden(BoardGrid& board, int n, int x, int y) {
    return ForbiddenAt(board, n, x, y, 0);
}

} // namespace renju_model
