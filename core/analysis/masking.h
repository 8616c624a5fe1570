#pragma once
#include <cstdint>

#include "analysis/ndvi.h"
#include "analysis/needle.h"

namespace lumera {

// What the mixed weights are multiplied by.
enum class MaskBrightness {
    Bands1To35,  // "Jas (B1-B35)": mean of bands 1 to 35
    Bands1To65,  // "Jas (B1-B65)": mean of all 65 bands
    Band19,      // "B19": band 19 alone
};

struct MaskSettings {
    NdviSettings Ndvi;
    NeedleSettings Needle;
    int IndexShare = 50;    // percent of the NDVI picture
    int SpectraShare = 50;  // percent of the needle picture
    MaskBrightness Brightness = MaskBrightness::Bands1To35;
};

// Weight of a green level: 0 for 0, (G div 5 + 1) x 0.02 for 1 to 245, 1 above.
double GreenWeight(uint8_t green);

// The two analyses as the masking ran them (their pictures handed on to the
// mask picture), the mask values row by row and their range.
struct MaskResult {
    std::string Stopped;  // the masking's own check; nothing ran when set
    AnalysisResult Ndvi;
    AnalysisResult Needle;
    std::vector<double> Grid;
    double Min = 0.0;
    double Max = 0.0;
};

// The masking, painting into `picture` as the lower picture of the main window
// is painted: the NDVI analysis paints it, its green levels are read back, the
// needle analysis paints it, its green levels are read back, and the mix times
// the brightness is painted over the full grey range. An analysis that stops
// leaves the picture as it was, and its green levels are read from that.
// A picture of another size than the cube is first made the cube's size (black).
MaskResult RunMask(const TData& cube, const SpectralState& state, const MaskSettings& settings, Bitmap& picture);

}  // namespace lumera
