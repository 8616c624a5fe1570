#include "resampling_kernels.h"

#include <algorithm>

#include "mapping/value_scaling.h"

namespace lumera {

namespace {

[[gnu::always_inline]] inline void Sum(const double* const* terms, const double* weights, std::size_t termCount,
                                       std::size_t count, double* sums)
{
    std::fill(sums, sums + count, 0.0);
    // Four terms a pass, added one after the other: the sums go through
    // memory once per four terms.
    std::size_t k = 0;
    for (; k + 4 <= termCount; k += 4) {
        const double *a = terms[k], *b = terms[k + 1], *c = terms[k + 2], *d = terms[k + 3];
        const double wa = weights[k], wb = weights[k + 1], wc = weights[k + 2], wd = weights[k + 3];
        for (std::size_t p = 0; p < count; ++p)
            sums[p] = (((sums[p] + wa * a[p]) + wb * b[p]) + wc * c[p]) + wd * d[p];
    }
    for (; k < termCount; ++k) {
        const double* a = terms[k];
        const double wa = weights[k];
        for (std::size_t p = 0; p < count; ++p) sums[p] += wa * a[p];
    }
}

[[gnu::always_inline]] inline int64_t Counts(const double* sums, const uint8_t* noData, double scale,
                                             std::size_t count, int16_t* out)
{
    int64_t clipped = 0;
    for (std::size_t p = 0; p < count; ++p) {
        bool wasClipped = false;
        const int16_t value = ToCount(sums[p] * scale, wasClipped);
        out[p] = noData[p] ? out[p] : value;
        clipped += wasClipped && !noData[p];
    }
    return clipped;
}

void SumBaseline(const double* const* t, const double* w, std::size_t n, std::size_t count, double* sums)
{
    Sum(t, w, n, count, sums);
}

int64_t CountsBaseline(const double* sums, const uint8_t* noData, double scale, std::size_t count, int16_t* out)
{
    return Counts(sums, noData, scale, count, out);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define LUMERA_AVX2 gnu::target("avx2")
#define LUMERA_AVX512 gnu::target("avx2,avx512f,avx512vl,avx512bw,avx512dq")

[[LUMERA_AVX2]] void SumAvx2(const double* const* t, const double* w, std::size_t n, std::size_t count, double* sums)
{
    Sum(t, w, n, count, sums);
}

[[LUMERA_AVX2]] int64_t CountsAvx2(const double* sums, const uint8_t* noData, double scale, std::size_t count,
                                   int16_t* out)
{
    return Counts(sums, noData, scale, count, out);
}

[[LUMERA_AVX512]] void SumAvx512(const double* const* t, const double* w, std::size_t n, std::size_t count,
                                 double* sums)
{
    Sum(t, w, n, count, sums);
}

[[LUMERA_AVX512]] int64_t CountsAvx512(const double* sums, const uint8_t* noData, double scale, std::size_t count,
                                       int16_t* out)
{
    return Counts(sums, noData, scale, count, out);
}
#endif

const ResamplingKernels& Widest()
{
    static const ResamplingKernels widest = ResamplingKernelsFor(WidestInstructionSet());
    return widest;
}

}  // namespace

ResamplingKernels ResamplingKernelsFor(InstructionSet set)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (set == InstructionSet::Avx512 && Runs(set)) return {SumAvx512, CountsAvx512};
    if (set == InstructionSet::Avx2 && Runs(set)) return {SumAvx2, CountsAvx2};
#endif
    (void)set;
    return {SumBaseline, CountsBaseline};
}

void WeightedSum(const double* const* terms, const double* weights, std::size_t termCount, std::size_t count,
                 double* sums)
{
    Widest().WeightedSum(terms, weights, termCount, count, sums);
}

int64_t ToCounts(const double* sums, const uint8_t* noData, double scale, std::size_t count, int16_t* out)
{
    return Widest().ToCounts(sums, noData, scale, count, out);
}

}  // namespace lumera
