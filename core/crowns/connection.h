#pragma once
#include "crowns/network_point.h"
#include "imaging/bitmap.h"
#include "imaging/drawing.h"

namespace lumera {

// The colour of the network: a barrier for the single trees.
constexpr BgrColour kNetworkBlue{255, 0, 0};

// The pixels (x0 + R(k dx / n), y0 + R(k dy / n)) for k = 0 ... n, with
// n = max(|dx|, |dy|) and R rounding halves to even, painted where they lie
// inside the picture. The same pixels on every platform.
void DrawLink(Bitmap& picture, int x0, int y0, int x1, int y1, BgrColour colour);

// "Propojit": the picture becomes width x height and black, every point blue,
// and every link drawn once, from the higher index to the lower.
void ConnectNetwork(Bitmap& picture, const TNetwork& moved, int width, int height);

}  // namespace lumera
