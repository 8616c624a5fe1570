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

// Mean and spread per band of one crown, from all its pixels (All) and from
// its lit ones (Sunlit): a shaded pixel mixes the leaves' reflectance with
// the shadow's.
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

// Every crown's spectrum, by rising tree number. Its lit pixels are the
// (n + 1) / 2 brightest in the near infrared (the last three of the
// kCrownSpectraBands bands), ties in row order. Sums run over the pixels in
// row order, so every build gives the same digits. Callers ask
// CrownSpectraRefusal first.
std::vector<CrownSpectrum> CrownSpectra(const TData& cube, const TTreeMatrix& trees);

// The mean spectrum of one crown, summed as CrownSpectra sums it; empty for
// a tree without pixels. Callers ask CrownSpectraRefusal first.
std::vector<double> CrownMeanSpectrum(const TData& cube, const TTreeMatrix& trees, int32_t tree);

// Saves the spectra as CSV. Values keep every digit a double needs, so that
// statistics software reads back exactly what Lumera computed; a failed write
// leaves the old file.
void WriteCrownSpectra(const std::string& path, const std::vector<CrownSpectrum>& spectra, int bandCount);

}  // namespace lumera
