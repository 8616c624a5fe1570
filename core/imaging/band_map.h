#pragma once
#include <cstdint>

#include "data/cube.h"
#include "imaging/bitmap.h"

namespace lumera {

// The grey map of one band ("Mapa bandu") and the maximum used for scaling.
struct BandMapResult {
    Bitmap Picture;       // NColumns x NRows, blue = green = red
    int16_t Maximum = 0;  // the band's largest value, never below 0
};

// The scale of the grey map for a band maximum m: 255 / m when m >= 1, else 1.
double BandMapScale(int16_t maximum);

// The grey map of band `band` (1-based, inside the cube): each value times the
// scale, rounded to the nearest integer with ties to even; the band's maximum
// becomes 255 and 0 stays 0. Negative values (which the sensor should not
// give) show as 0.
BandMapResult MakeBandMap(const TData& cube, int band);

}  // namespace lumera
