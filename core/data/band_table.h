#pragma once
#include <vector>

namespace lumera {

// Centre wavelength and width of one spectral band, in micrometres.
struct TBandInfo {
    double Center = 0.0;
    double Width = 0.0;
};

using TBandTable = std::vector<TBandInfo>;

// Number of bands of the sensor; the band table always has this many rows.
constexpr int kSensorBands = 65;

// The fixed table of the sensor's 65 bands; row i describes band i + 1.
TBandTable InitBandTable();

}  // namespace lumera
