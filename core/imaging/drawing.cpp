#include "imaging/drawing.h"

#include <algorithm>
#include <cstdlib>

namespace lumera {

void SetPixel(Bitmap& picture, int x, int y, BgrColour colour)
{
    if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return;
    uint8_t* px = picture.ScanLine(y) + 3 * x;
    px[0] = colour.Blue;
    px[1] = colour.Green;
    px[2] = colour.Red;
}

void DrawLine(Bitmap& picture, int x0, int y0, int x1, int y1, BgrColour colour)
{
    // 64-bit error terms: points far outside the picture must not overflow.
    const int64_t dx = std::abs(int64_t(x1) - x0), dy = -std::abs(int64_t(y1) - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int64_t error = dx + dy;
    int x = x0, y = y0;
    for (;;) {
        SetPixel(picture, x, y, colour);
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

void DrawPolyline(Bitmap& picture, const std::vector<TPoint>& points, BgrColour colour)
{
    if (points.size() == 1) SetPixel(picture, points[0].X, points[0].Y, colour);
    for (std::size_t i = 1; i < points.size(); ++i)
        DrawLine(picture, points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, colour);
}

void FillRect(Bitmap& picture, int left, int top, int right, int bottom, BgrColour colour)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.Width());
    bottom = std::min(bottom, picture.Height());
    for (int y = top; y < bottom; ++y) {
        uint8_t* px = picture.ScanLine(y) + 3 * left;
        for (int x = left; x < right; ++x, px += 3) {
            px[0] = colour.Blue;
            px[1] = colour.Green;
            px[2] = colour.Red;
        }
    }
}

}  // namespace lumera
