#pragma once
#include <cstdint>
#include <cstdlib>

namespace lumera {

// Visits the pixels of the straight line from (x0, y0) to (x1, y1), both ends
// included, in order, by Bresenham's integer algorithm. The error terms are
// 64-bit so that points far outside a picture cannot overflow.
template <typename Visit>
void ForLinePixels(int x0, int y0, int x1, int y1, Visit visit)
{
    const int64_t dx = std::abs(int64_t(x1) - x0), dy = -std::abs(int64_t(y1) - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int64_t error = dx + dy;
    int x = x0, y = y0;
    for (;;) {
        visit(x, y);
        if (x == x1 && y == y1) break;
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

}  // namespace lumera
