#include "spectral/needle.h"

#include <algorithm>
#include <cstddef>

#include "spectral/spectral_vector.h"

namespace lumera {

namespace {

// The weight and the divisor function of one run (the divisor is empty when
// the measure is not normalised), or the message of the check that stopped it.
struct NeedleWeights {
    std::string Stopped;
    SpectralVector Weight;
    SpectralVector Divisor;

    bool Ran() const { return Stopped.empty(); }
};

std::string CheckInputs(const TData& cube, const SpectralState& state, const NeedleSettings& s)
{
    if (s.Weight == kCustomEntry && !state.CustomFunctionSet)
        return "Použití vlastní váhové funkce bez jejího nastavení je nesmysl!";
    if (s.Weight < 0 || s.Weight > kCustomEntry || s.CounterWeight < 0 || s.CounterWeight > kCustomEntry)
        return "Zvolené spektrum není v tabulce referenčních spekter.";
    if (cube.NBands != kNeedleBands)
        return "Analýza jehlicemi potřebuje výřez se všemi " + std::to_string(kNeedleBands) +
               " bandy, načtený výřez jich má " + std::to_string(cube.NBands) + ".";
    if (state.Axis.size() != std::size_t(kSpectralBands)) return "Spektrální osa není sestavena.";
    if (NeedleUsesTable(s) && state.ReferenceTable.size() != std::size_t(kReferenceSpectra))
        return std::string("Tabulka referenčních spekter (") + kReferenceTableFile +
               ") není načtena, analýzu jehlicemi nelze provést.";
    return {};
}

// A peak-normalised copy, or a message when it has no peak or the wrong length.
std::string Normalised(SpectralVector f, const char* what, SpectralVector& out)
{
    if (f.size() != std::size_t(kSpectralBands))
        return std::string(what) + " nemá " + std::to_string(kSpectralBands) + " hodnot.";
    if (!TryNormalisePeak(f)) return std::string(what) + " má všechny hodnoty nulové, nelze ji normalizovat.";
    out = std::move(f);
    return {};
}

SpectralVector OneMinus(SpectralVector f)
{
    for (double& v : f) v = 1.0 - v;
    return f;
}

NeedleWeights BuildWeights(const SpectralState& state, const NeedleSettings& s)
{
    NeedleWeights w;
    const SpectralVector& weight = s.Weight == kCustomEntry ? state.CustomWeight : state.ReferenceTable[s.Weight];
    w.Stopped = Normalised(weight, "Váhová funkce", w.Weight);
    if (!w.Ran() || !s.Normalise) return w;
    if (s.Divisor == NeedleDivisor::Integral) {
        w.Divisor.assign(kSpectralBands, 1.0);
    } else if (s.CounterWeight == kCustomEntry) {
        w.Stopped = Normalised(state.CustomCounterWeight, "Protiváhová funkce", w.Divisor);
    } else {
        SpectralVector reference;
        w.Stopped = Normalised(state.ReferenceTable[s.CounterWeight], "Referenční spektrum protiváhy", reference);
        if (w.Ran()) w.Stopped = Normalised(OneMinus(reference), "Protiváhová funkce", w.Divisor);
    }
    return w;
}

// Adds one row's band integrals of the spectrum times f (and times g, when
// given) to the sums, interval by interval in index order. Working a row at a
// time keeps the sums in cache while the cube is read in memory order.
void AddRowIntegrals(const TData& cube, const SpectralVector& axis, int row, const SpectralVector& f,
                     const SpectralVector* g, double* sumF, double* sumG)
{
    const int width = cube.NColumns;
    for (int i = 1; i < kSpectralBands; ++i) {
        const int16_t* a = cube.Row(i, row);  // element i - 1 is band i + 1
        const int16_t* b = cube.Row(i + 1, row);
        const double d = axis[i] - axis[i - 1];
        const double fa = f[i - 1], fb = f[i];
        for (int x = 0; x < width; ++x) sumF[x] += (a[x] * fa + b[x] * fb) * d * 0.5;
        if (!g) continue;
        const double ga = (*g)[i - 1], gb = (*g)[i];
        for (int x = 0; x < width; ++x) sumG[x] += (a[x] * ga + b[x] * gb) * d * 0.5;
    }
}

}  // namespace

bool NeedleUsesTable(const NeedleSettings& s)
{
    const bool counterFromTable =
        s.Normalise && s.Divisor == NeedleDivisor::CounterWeight && s.CounterWeight != kCustomEntry;
    return s.Weight != kCustomEntry || counterFromTable;
}

std::vector<double> NeedleMeasure(const TData& cube, const SpectralVector& axis, const SpectralVector& weight,
                                  const SpectralVector* divisor)
{
    const int width = cube.NColumns;
    std::vector<double> measure(cube.PlaneSize(), 0.0);
    std::vector<double> below(divisor ? width : 0);
    for (int y = 0; y < cube.NRows; ++y) {
        double* row = measure.data() + std::size_t(y) * width;
        std::fill(below.begin(), below.end(), 0.0);
        AddRowIntegrals(cube, axis, y, weight, divisor, row, below.data());
        if (!divisor) continue;
        for (int x = 0; x < width; ++x) row[x] = below[x] > 0 ? row[x] / below[x] : 0.0;
    }
    return measure;
}

AnalysisResult RunNeedle(const TData& cube, const SpectralState& state, const NeedleSettings& settings)
{
    AnalysisResult stopped;
    stopped.Stopped = CheckInputs(cube, state, settings);
    if (!stopped.Ran()) return stopped;
    const NeedleWeights weights = BuildWeights(state, settings);
    stopped.Stopped = weights.Stopped;
    if (!stopped.Ran()) return stopped;

    std::vector<double> grid =
        NeedleMeasure(cube, state.Axis, weights.Weight, settings.Normalise ? &weights.Divisor : nullptr);
    double minimum = 1000000, maximum = 0;
    for (const double v : grid) {
        if (v < minimum) minimum = v;
        if (v > maximum) maximum = v;
    }
    return FinishedAnalysis(std::move(grid), cube.NColumns, cube.NRows, minimum, maximum,
                            {settings.P1, settings.P2, settings.Absolute, 10});
}

}  // namespace lumera
