#include "imaging/band_map.h"

#include <vector>

#include "data/rounding.h"

namespace lumera {

double BandMapScale(int16_t maximum) { return maximum >= 1 ? 255.0 / maximum : 1.0; }

BandMapResult MakeBandMap(const TData& cube, int band)
{
    const BandMaximumResult plane = BandMaximum(cube, band);
    const double scale = BandMapScale(plane.Maximum);

    // Every value lies in -32768 .. maximum, so the grey level of each value
    // is computed once (value x scale, rounded) and looked up per pixel.
    std::vector<uint8_t> grey(std::size_t(plane.Maximum) + 1);
    for (int v = 0; v <= plane.Maximum; ++v) grey[v] = static_cast<uint8_t>(Round(v * scale));

    BandMapResult result;
    result.Maximum = plane.Maximum;
    result.Picture.SetSize(cube.NColumns, cube.NRows);
    for (int y = 0; y < cube.NRows; ++y) {
        const int16_t* values = plane.Plane + std::size_t(y) * std::size_t(cube.NColumns);
        uint8_t* px = result.Picture.ScanLine(y);
        for (int x = 0; x < cube.NColumns; ++x, px += 3) {
            const uint8_t g = values[x] > 0 ? grey[values[x]] : 0;
            px[0] = g;
            px[1] = g;
            px[2] = g;
        }
    }
    return result;
}

}  // namespace lumera
