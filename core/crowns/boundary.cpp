#include "crowns/boundary.h"

namespace lumera {

namespace {

void Append(TNetwork& network, int x, int y) { network.push_back(TMBod{x, y, 0.0, 0.0, 0, {}}); }

}  // namespace

TNetwork ExtractBoundary(const TTreeMatrix& labels)
{
    TNetwork network;
    const int w = labels.Width, h = labels.Height;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const int32_t l = labels.At(x, y);
            if (labels.At(x + 1, y) > l || labels.At(x - 1, y) > l || labels.At(x, y - 1) > l || labels.At(x, y + 1) > l)
                Append(network, x, y);
        }
    bool cornerTaken = false;
    for (int y = 0; y < h - 1; ++y)
        if (labels.At(0, y + 1) > labels.At(0, y)) {
            Append(network, 0, y);
            cornerTaken = cornerTaken || y == 0;
        }
    // A picture one column wide has its left and right edge in the same pixels.
    if (w > 1)
        for (int y = 0; y < h - 1; ++y)
            if (labels.At(w - 1, y + 1) > labels.At(w - 1, y)) Append(network, w - 1, y);
    for (int x = 0; x < w - 1; ++x)
        if (labels.At(x + 1, 0) > labels.At(x, 0) && !(x == 0 && cornerTaken)) Append(network, x, 0);
    if (h > 1)
        for (int x = 0; x < w - 1; ++x)
            if (labels.At(x + 1, h - 1) > labels.At(x, h - 1)) Append(network, x, h - 1);
    return network;
}

TNetwork BoundaryFromPicture(const Bitmap& picture)
{
    TNetwork network;
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* px = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x, px += 3)
            if (px[0] != 0) Append(network, x, y);
    }
    return network;
}

}  // namespace lumera
