#include "analysis/needle.h"

#include <algorithm>
#include <cstddef>

#include "analysis/band_vector.h"

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

// Pixels measured together: their running sums stay in the first-level cache
// while the bands stream past.
constexpr std::size_t kChunk = 512;

// The weight, the divisor function (when dividing) and the axis steps.
struct NeedleFactors {
    const double* Weight;
    const double* Divisor;
    double Step[kSpectralBands];
};

// The running sums of a chunk of pixels and the last interval's products s f
// and s g, which the next interval uses again.
struct ChunkSums {
    double F[kChunk], G[kChunk], LastF[kChunk], LastG[kChunk];
};

// Adds intervals first to first + kIntervals - 1 to every pixel's sums: per
// interval ((s[i-1] f[i-1] + s[i] f[i]) (x[i] - x[i-1])) 0.5, in interval
// order, each product s[i] f[i] made once and kept for the next interval; the
// divisor's sum alongside. The loop over pixels is the outer one, so the
// compiler works on several pixels at a time, each in exactly this order, and
// the sums stay in registers across the intervals of one call.
template <bool kDivided, int kIntervals>
[[gnu::always_inline]] inline void AddIntervals(const int16_t* spectra, std::size_t plane, std::size_t count,
                                                int first, const NeedleFactors& k, ChunkSums& sums)
{
    const int16_t* band[kIntervals];
    double f[kIntervals], g[kIntervals], d[kIntervals];
    for (int u = 0; u < kIntervals; ++u) {
        band[u] = spectra + std::size_t(first + u) * plane;
        f[u] = k.Weight[first + u];
        g[u] = kDivided ? k.Divisor[first + u] : 0.0;
        d[u] = k.Step[first + u];
    }
    for (std::size_t x = 0; x < count; ++x) {
        double sumF = sums.F[x], lastF = sums.LastF[x], sumG = sums.G[x], lastG = sums.LastG[x];
        for (int u = 0; u < kIntervals; ++u) {
            const double s = band[u][x];
            const double productF = s * f[u];
            sumF += (lastF + productF) * d[u] * 0.5;
            lastF = productF;
            if constexpr (kDivided) {
                const double productG = s * g[u];
                sumG += (lastG + productG) * d[u] * 0.5;
                lastG = productG;
            }
        }
        sums.F[x] = sumF;
        sums.LastF[x] = lastF;
        if constexpr (kDivided) {
            sums.G[x] = sumG;
            sums.LastG[x] = lastG;
        }
    }
}

// The measure of `count` pixels lying side by side from `spectra` (their band
// 2 values; each further band one plane further on), into `measure`.
template <bool kDivided>
[[gnu::always_inline]] inline void MeasureChunk(const int16_t* spectra, std::size_t plane, std::size_t count,
                                                const NeedleFactors& k, double* measure)
{
    ChunkSums sums;
    for (std::size_t x = 0; x < count; ++x) {
        const double s = spectra[x];
        sums.F[x] = sums.G[x] = 0.0;
        sums.LastF[x] = s * k.Weight[0];
        sums.LastG[x] = kDivided ? s * k.Divisor[0] : 0.0;
    }
    // Four intervals a call: the sums go through memory once per four bands.
    constexpr int kIntervals = kSpectralBands - 1, kLeft = kIntervals % 4;
    for (int i = 1; i + 3 <= kIntervals; i += 4) AddIntervals<kDivided, 4>(spectra, plane, count, i, k, sums);
    AddIntervals<kDivided, kLeft>(spectra, plane, count, kIntervals - kLeft + 1, k, sums);
    for (std::size_t x = 0; x < count; ++x) {
        if constexpr (kDivided) {
            const double quotient = sums.F[x] / sums.G[x];  // made for every pixel, kept only where G > 0
            measure[x] = sums.G[x] > 0 ? quotient : 0.0;
        } else {
            measure[x] = sums.F[x];
        }
    }
}

template <bool kDivided>
void MeasureChunkBaseline(const int16_t* spectra, std::size_t plane, std::size_t count, const NeedleFactors& k,
                          double* measure)
{
    MeasureChunk<kDivided>(spectra, plane, count, k, measure);
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same loops built for wider registers; neither set includes fused multiply-add.
template <bool kDivided>
[[gnu::target("avx2")]] void MeasureChunkAvx2(const int16_t* spectra, std::size_t plane, std::size_t count,
                                              const NeedleFactors& k, double* measure)
{
    MeasureChunk<kDivided>(spectra, plane, count, k, measure);
}

template <bool kDivided>
[[gnu::target("avx2,avx512f,avx512vl,avx512bw,avx512dq")]] void MeasureChunkAvx512(
    const int16_t* spectra, std::size_t plane, std::size_t count, const NeedleFactors& k, double* measure)
{
    MeasureChunk<kDivided>(spectra, plane, count, k, measure);
}
#endif

using ChunkMeasure = void (*)(const int16_t*, std::size_t, std::size_t, const NeedleFactors&, double*);

template <bool kDivided>
ChunkMeasure ChunkMeasureFor(InstructionSet set)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (set == InstructionSet::Avx512 && Runs(set)) return MeasureChunkAvx512<kDivided>;
    if (set == InstructionSet::Avx2 && Runs(set)) return MeasureChunkAvx2<kDivided>;
#endif
    return MeasureChunkBaseline<kDivided>;
}

}  // namespace

bool NeedleUsesTable(const NeedleSettings& s)
{
    const bool counterFromTable =
        s.Normalise && s.Divisor == NeedleDivisor::CounterWeight && s.CounterWeight != kCustomEntry;
    return s.Weight != kCustomEntry || counterFromTable;
}

std::vector<double> NeedleMeasure(const TData& cube, const SpectralVector& axis, const SpectralVector& weight,
                                  const SpectralVector* divisor, InstructionSet set)
{
    NeedleFactors k{weight.data(), divisor ? divisor->data() : nullptr, {}};
    for (int i = 1; i < kSpectralBands; ++i) k.Step[i] = axis[i] - axis[i - 1];
    const ChunkMeasure measureChunk = divisor ? ChunkMeasureFor<true>(set) : ChunkMeasureFor<false>(set);

    const std::size_t plane = cube.PlaneSize();
    std::vector<double> measure(plane);
    const int16_t* spectra = cube.Plane(1);  // element 0 is band 2
    for (std::size_t begin = 0; begin < plane; begin += kChunk)
        measureChunk(spectra + begin, plane, std::min(kChunk, plane - begin), k, measure.data() + begin);
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
    WidenRange(grid.data(), grid.size(), nullptr, minimum, maximum);
    return FinishedAnalysis(std::move(grid), cube.NColumns, cube.NRows, minimum, maximum,
                            {settings.P1, settings.P2, settings.Absolute, 10});
}

}  // namespace lumera
