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
    std::vector<double> Mean;  // sum over the pixels, divided by their count
    std::vector<double> Sd;    // divided by the pixel count too: the crown is the whole population
};

// A crown's spectrum over all its pixels and over its sunlit half. Shadowed
// pixels drag a crown's mean toward the dark, so species and health work
// wants the sunlit ones: the ceil(n / 2) of its n pixels brightest in the
// near infrared (mean of bands 41-43), ties taken in row order.
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
// number. Sums run over the crown's pixels in row order. Callers ask
// CrownSpectraRefusal first.
std::vector<CrownSpectrum> CrownSpectra(const TData& cube, const TTreeMatrix& trees);

// The mean spectrum of one crown, summed as CrownSpectra sums it; empty for
// a tree without pixels. Callers ask CrownSpectraRefusal first.
std::vector<double> CrownMeanSpectrum(const TData& cube, const TTreeMatrix& trees, int32_t tree);

// The table the batch tool and the crown editor save: after tree,statistic,
// pixels a column per band headed by its centre in µm, and per crown the rows
// mean, sd, sunlit_mean and sunlit_sd, each with the pixel count it is over.
// Values keep 17 digits so that they read back as the same doubles; the file
// is replaced only once the whole table is written.
void WriteCrownSpectra(const std::string& path, const std::vector<CrownSpectrum>& spectra, int bandCount);

}  // namespace lumera
