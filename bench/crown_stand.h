#pragma once
#include <algorithm>
#include <cmath>
#include <random>

#include "crowns/voronoi.h"
#include "extrema/extremum.h"
#include "imaging/bitmap.h"

// 1,000 tree tops scattered over a 400 x 400 picture whose brightness falls
// with the distance to the nearest top: crowns with dark gaps between them.
struct CrownStand {
    lumera::TExtremaList Tops;
    lumera::Bitmap Picture;
};

inline CrownStand MakeCrownStand()
{
    CrownStand stand;
    std::mt19937 random(17);
    std::uniform_int_distribution<int> position(0, 399);
    stand.Tops.resize(1000);
    for (lumera::TExtremum& top : stand.Tops) top = {position(random), position(random)};
    const lumera::TTreeMatrix nearest = lumera::VoronoiLabels(stand.Tops, 400, 400);
    stand.Picture = lumera::Bitmap(400, 400);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            const lumera::TExtremum& top = stand.Tops[std::size_t(nearest.At(x, y))];
            const double distance = std::hypot(x - top.X, y - top.Y);
            uint8_t* px = stand.Picture.ScanLine(y) + 3 * x;
            px[0] = px[1] = px[2] = static_cast<uint8_t>(std::max(0.0, 250.0 - 25.0 * distance));
        }
    return stand;
}
