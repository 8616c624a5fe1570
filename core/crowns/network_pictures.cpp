#include "crowns/network_pictures.h"

namespace lumera {

namespace {

constexpr BgrColour kChainBlue{255, 0, 0};
constexpr BgrColour kOtherGreen{0, 255, 0};

void Paint(Bitmap& picture, const TMBod& point, BgrColour colour)
{
    if (point.X < 0 || point.Y < 0 || point.X >= picture.Width() || point.Y >= picture.Height()) return;
    uint8_t* px = picture.ScanLine(point.Y) + 3 * std::size_t(point.X);
    px[0] = colour.Blue;
    px[1] = colour.Green;
    px[2] = colour.Red;
}

}  // namespace

void PaintNetworkPoints(Bitmap& picture, const TNetwork& network, BgrColour colour)
{
    for (const TMBod& point : network) Paint(picture, point, colour);
}

void PaintMovedPoints(Bitmap& picture, const TNetwork& moved)
{
    for (const TMBod& point : moved) Paint(picture, point, point.NeighbourCount == 2 ? kChainBlue : kOtherGreen);
}

}  // namespace lumera
