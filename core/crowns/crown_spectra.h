#pragma once
#include <optional>
#include <string>
#include <vector>

#include "crowns/tree_matrix.h"
#include "data/cube.h"

namespace lumera {

// One band statistic over a set of pixels, per band.
struct BandStatistics {
    int64_t Pixels = 0;
    std::vector<double> Mean;
    std::vector<double> Sd;  // over n, not n - 1: a crown's pixels are all there is of it
};

// A crown's spectrum over all its pixels and over its sunlit ones. Shadow
// drags a crown's mean toward the dark, and species or health work wants the
// light the leaves reflect, so Sunlit keeps the pixels brightest in the near
// infrared (see CrownSpectra for which).
struct CrownSpectrum {
    int32_t Tree = 0;
    BandStatistics All;
    BandStatistics Sunlit;
};

// The first band count crown spectra need (the near-infrared brightness).
constexpr int kCrownSpectraBands = 43;

// Why crown spectra of this cut-out and tree matrix cannot be taken: too few
// bands, or a matrix of another size (the message names both sizes).
std::optional<std::string> CrownSpectraRefusal(const TData& cube, const TTreeMatrix& trees);

// Every crown's spectrum, by rising tree number. Sunlit is the upper half of
// a crown's pixels by the mean of bands 41-43 (the middle pixel of an odd
// count included, equal ones in row order). A fixed order of summation gives
// the same digits on every build. Callers ask CrownSpectraRefusal first.
std::vector<CrownSpectrum> CrownSpectra(const TData& cube, const TTreeMatrix& trees);

// The mean spectrum of one crown, summed as CrownSpectra sums it; empty for
// a tree without pixels. Callers ask CrownSpectraRefusal first.
std::vector<double> CrownMeanSpectrum(const TData& cube, const TTreeMatrix& trees, int32_t tree);

// Saves the spectra as CSV. Values keep every digit a double needs, so that
// statistics software reads back exactly what Lumera computed; a failed write
// leaves the old file.
void WriteCrownSpectra(const std::string& path, const std::vector<CrownSpectrum>& spectra, int bandCount);

}  // namespace lumera
