#include "crowns/crown_outlines.h"

#include <vector>

namespace lumera {

namespace {

bool OnOutline(const TTreeMatrix& t, int x, int y)
{
    const int32_t v = t.At(x, y);
    if (v < 1) return false;
    if (x == 0 || y == 0 || x + 1 == t.Width || y + 1 == t.Height) return true;
    return t.At(x - 1, y) != v || t.At(x + 1, y) != v || t.At(x, y - 1) != v || t.At(x, y + 1) != v;
}

void Paint(Bitmap& picture, int x, int y, uint8_t blue, uint8_t green, uint8_t red)
{
    uint8_t* px = picture.ScanLine(y) + 3 * x;
    px[0] = blue;
    px[1] = green;
    px[2] = red;
}

}  // namespace

void DrawCrownOutlines(Bitmap& picture, const TTreeMatrix& trees)
{
    const int w = trees.Width, h = trees.Height;
    std::vector<char> outline(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) outline[std::size_t(y) * w + x] = OnOutline(trees, x, y);
    const auto on = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && outline[std::size_t(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (on(x, y))
                Paint(picture, x, y, 0, 255, 255);
            else if (on(x - 1, y) || on(x + 1, y) || on(x, y - 1) || on(x, y + 1))
                Paint(picture, x, y, 0, 0, 0);
        }
}

}  // namespace lumera
