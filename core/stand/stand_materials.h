#pragma once
#include "data/band_table.h"
#include "analysis/reference_library.h"
#include "stand/synthetic_stand.h"

namespace lumera {

// The library's conifer, broadleaf, grass and soil spectra (by the group in
// front of each column name) at the centres of the sensor's bands.
StandMaterials MaterialsFromLibrary(const SpectralLibrary& library, const TBandTable& bands);

}  // namespace lumera
