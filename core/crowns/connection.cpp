#include "crowns/connection.h"

#include <algorithm>
#include <cstdlib>

#include "data/rounding.h"

namespace lumera {

namespace {

void Plot(Bitmap& picture, int64_t x, int64_t y, BgrColour colour)
{
    if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return;
    uint8_t* px = picture.ScanLine(int(y)) + 3 * x;
    px[0] = colour.Blue;
    px[1] = colour.Green;
    px[2] = colour.Red;
}

}  // namespace

void DrawLink(Bitmap& picture, int x0, int y0, int x1, int y1, BgrColour colour)
{
    const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) {
        Plot(picture, x0, y0, colour);
        return;
    }
    // k dx is an exact integer; one division, then rounding halves to even.
    for (int64_t k = 0; k <= n; ++k)
        Plot(picture, x0 + int64_t(std::nearbyint(double(k * dx) / double(n))),
             y0 + int64_t(std::nearbyint(double(k * dy) / double(n))), colour);
}

void ConnectNetwork(Bitmap& picture, const TNetwork& moved, int width, int height)
{
    picture.SetSize(width, height);
    for (const TMBod& point : moved) Plot(picture, point.X, point.Y, kNetworkBlue);
    for (std::size_t i = 0; i < moved.size(); ++i)
        for (int32_t j : moved[i].Neighbours)
            if (std::size_t(j) < i)
                DrawLink(picture, moved[i].X, moved[i].Y, moved[std::size_t(j)].X, moved[std::size_t(j)].Y, kNetworkBlue);
}

}  // namespace lumera
