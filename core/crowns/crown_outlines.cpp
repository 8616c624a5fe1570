#include "crowns/crown_outlines.h"

namespace lumera {

namespace {

bool OnOutline(const TTreeMatrix& t, int x, int y)
{
    const int32_t v = t.At(x, y);
    if (x == 0 || y == 0 || x + 1 == t.Width || y + 1 == t.Height) return true;
    return t.At(x - 1, y) != v || t.At(x + 1, y) != v || t.At(x, y - 1) != v || t.At(x, y + 1) != v;
}

}  // namespace

void DrawCrownOutlines(Bitmap& picture, const TTreeMatrix& trees)
{
    for (int y = 0; y < trees.Height; ++y)
        for (int x = 0; x < trees.Width; ++x)
            if (trees.At(x, y) >= 1 && OnOutline(trees, x, y)) {
                uint8_t* px = picture.ScanLine(y) + 3 * x;
                px[0] = 0;
                px[1] = 255;
                px[2] = 255;
            }
}

}  // namespace lumera
