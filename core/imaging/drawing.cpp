#include "imaging/drawing.h"

#include <algorithm>

#include "imaging/line_pixels.h"

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
    ForLinePixels(x0, y0, x1, y1, [&](int x, int y) { SetPixel(picture, x, y, colour); });
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
