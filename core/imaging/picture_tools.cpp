#include "imaging/picture_tools.h"

#include <algorithm>
#include <cstring>

namespace lumera {

void AddPicture(const Bitmap& source, Bitmap& target)
{
    const int width = std::min(source.Width(), target.Width());
    const int height = std::min(source.Height(), target.Height());
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = source.ScanLine(y);
        uint8_t* to = target.ScanLine(y);
        for (int i = 0; i < 3 * width; ++i) to[i] = static_cast<uint8_t>(std::min(255, from[i] + to[i]));
    }
}

void ResizeKeeping(Bitmap& picture, int width, int height, BgrColour fill)
{
    Bitmap resized(width, height);
    resized.Fill(fill.Blue, fill.Green, fill.Red);
    const int keptHeight = std::min(picture.Height(), resized.Height());
    const std::size_t keptBytes = std::min(picture.RowBytes(), resized.RowBytes());
    for (int y = 0; y < keptHeight; ++y) std::memcpy(resized.ScanLine(y), picture.ScanLine(y), keptBytes);
    picture = std::move(resized);
}

void PaintPoints(Bitmap& picture, const TExtremaList& points, BgrColour colour)
{
    for (const TExtremum& p : points) SetPixel(picture, p.X, p.Y, colour);
}

}  // namespace lumera
