#pragma once
#include "data/cube.h"
#include "analysis/analysis_picture.h"

namespace lumera {

// Settings of the NDVI panel; bands are 1-based as on the panel.
struct NdviSettings {
    int RedFirst = 31;
    int RedLast = 33;
    int NirFirst = 41;
    int NirLast = 43;
    bool Absolute = false;  // P1, P2 are index bounds x 100 rather than percentages of the range
    int P1 = 30;
    int P2 = 90;
};

// The index of one pixel from its red and near-infrared means. It is
// undefined when both means are 0 or below, or their sum is 0: such a pixel
// is taken as 0 and does not widen the index range. The quotient is made for
// every pixel, defined or not, so that loops over pixels vectorise.
struct NdviPixel {
    double Index;
    bool Defined;
};

inline NdviPixel NdviIndex(double red, double nir)
{
    const double quotient = (nir - red) / (nir + red);
    const bool defined = !(((red <= 0) & (nir <= 0)) | (nir + red == 0));
    return {defined ? quotient : 0.0, defined};
}

// The NDVI analysis: per pixel (nir - red) / (nir + red) of the band means,
// its range, the display bounds and the green picture. Stops with a message
// when a band range is reversed or reaches beyond the cube's bands, or the
// percentages are reversed.
AnalysisResult RunNdvi(const TData& cube, const NdviSettings& settings);

}  // namespace lumera
