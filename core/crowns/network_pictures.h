#pragma once
#include "crowns/network_point.h"
#include "imaging/bitmap.h"
#include "imaging/drawing.h"

namespace lumera {

// "Zobrazit hranice": every point in one colour over what the picture shows;
// points outside the picture are not painted.
void PaintNetworkPoints(Bitmap& picture, const TNetwork& network, BgrColour colour);

// "Zobrazit" of the moved points: chain points (two neighbours) blue, all
// others (junctions, ends, isolated points) green.
void PaintMovedPoints(Bitmap& picture, const TNetwork& moved);

}  // namespace lumera
