#include "mapping/band_resampling.h"

#include <algorithm>
#include <cmath>

#include "data/number_format.h"

namespace lumera {

namespace {

// TBandInfo::Width over this is the sigma of the band's bell curve.
const double kFwhmPerSigma = 2.0 * std::sqrt(2.0 * std::log(2.0));
// Farther than this a weight is below 1e-10 of the peak: it changes no count.
constexpr double kSupportInWidths = 3.0;

BandWeights WeightsFor(const TBandInfo& band, const std::vector<double>& centres)
{
    const double sigma = band.Width / kFwhmPerSigma;
    BandWeights result;
    double sum = 0.0;
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const double offset = centres[i] - band.Center;
        if (std::abs(offset) > kSupportInWidths * band.Width) continue;
        const double w = std::exp(-0.5 * (offset / sigma) * (offset / sigma));
        result.Inputs.push_back(static_cast<int>(i));
        result.Weights.push_back(w);
        sum += w;
    }
    for (double& w : result.Weights) w /= sum;
    return result;
}

bool Covered(const TBandInfo& band, const std::vector<double>& centres)
{
    return std::any_of(centres.begin(), centres.end(),
                       [&](double c) { return std::abs(c - band.Center) <= band.Width; });
}

}  // namespace

ResamplingPlan PlanResampling(const std::vector<double>& sceneCentresUm, const TBandTable& table)
{
    ResamplingPlan plan;
    std::vector<bool> used(sceneCentresUm.size(), false);
    for (std::size_t b = 0; b < table.size(); ++b) {
        if (!Covered(table[b], sceneCentresUm)) {
            plan.Uncovered.push_back(static_cast<int>(b) + 1);
            plan.Bands.emplace_back();
            continue;
        }
        plan.Bands.push_back(WeightsFor(table[b], sceneCentresUm));
        for (int i : plan.Bands.back().Inputs) used[std::size_t(i)] = true;
    }
    for (std::size_t i = 0; i < used.size(); ++i)
        if (used[i]) plan.InputsUsed.push_back(static_cast<int>(i));
    return plan;
}

std::string NameBands(const std::vector<int>& bands, const TBandTable& table)
{
    std::string text;
    for (int band : bands) {
        if (!text.empty()) text += ", ";
        text += std::to_string(band) + " (" + FormatNumber(table[std::size_t(band) - 1].Center) + " µm)";
    }
    return text;
}

}  // namespace lumera
