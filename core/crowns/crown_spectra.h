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
    std::vector<double> Mean;  // the plain mean of the band's values
    std::vector<double> Sd;    // the population standard deviation (divided by the pixel count)
};

// The spectrum of one crown: over all its pixels, and over its sunlit side,
// the brighter half in the near infrared (the mean of bands 41-43), where the
// crown's spectrum carries less shadow: the ceil(n / 2) brightest of its n
// pixels, equally bright ones in row order.
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

// Every crown's spectrum (tree numbers >= 1 that have pixels), by rising tree
// number. Sums run over the crown's pixels in row order. The pair must not be
// refused.
std::vector<CrownSpectrum> CrownSpectra(const TData& cube, const TTreeMatrix& trees);

// The mean spectrum of one crown, summed as CrownSpectra sums it; empty for
// a tree without pixels. The pair must not be refused.
std::vector<double> CrownMeanSpectrum(const TData& cube, const TTreeMatrix& trees, int32_t tree);

// The spectra of a cut-out of bandCount bands as CSV: "tree,statistic,pixels,"
// and one column per band named by its centre in micrometres with three
// decimals, then per crown the rows mean, sd, sunlit_mean and sunlit_sd
// (pixels: those the row is over) with 17 significant digits. Written
// completely or not at all.
void WriteCrownSpectra(const std::string& path, const std::vector<CrownSpectrum>& spectra, int bandCount);

}  // namespace lumera
