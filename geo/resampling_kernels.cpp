#include "resampling_kernels.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "mapping/value_scaling.h"

namespace lumera {

namespace {

// Four doubles, added and multiplied lane by lane as four scalars would be.
typedef double Doubles4 __attribute__((vector_size(32)));

// `Groups` x 4 pixels' sums stay in registers through all the terms. Each
// addition waits for the one before it in its pixel, so several groups are
// summed side by side to keep the adder busy.
template <std::size_t Groups>
[[gnu::always_inline]] inline std::size_t SumGroups(const double* const* terms, const double* weights,
                                                    std::size_t termCount, std::size_t p, std::size_t count,
                                                    double* sums)
{
    constexpr std::size_t kStep = 4 * Groups;
    for (; p + kStep <= count; p += kStep) {
        Doubles4 sum[Groups];
#pragma GCC unroll 8
        for (std::size_t g = 0; g < Groups; ++g) sum[g] = Doubles4{0.0, 0.0, 0.0, 0.0};
        for (std::size_t k = 0; k < termCount; ++k) {
#pragma GCC unroll 8
            for (std::size_t g = 0; g < Groups; ++g) {
                Doubles4 v;
                std::memcpy(&v, terms[k] + p + 4 * g, sizeof v);
                sum[g] = sum[g] + weights[k] * v;
            }
        }
#pragma GCC unroll 8
        for (std::size_t g = 0; g < Groups; ++g) std::memcpy(sums + p + 4 * g, &sum[g], sizeof sum[g]);
    }
    return p;
}

template <std::size_t Groups>
[[gnu::always_inline]] inline void Sum(const double* const* terms, const double* weights, std::size_t termCount,
                                       std::size_t count, double* sums)
{
    std::size_t p = SumGroups<Groups>(terms, weights, termCount, 0, count, sums);
    p = SumGroups<1>(terms, weights, termCount, p, count, sums);
    for (; p < count; ++p) {
        double sum = 0.0;
        for (std::size_t k = 0; k < termCount; ++k) sum = sum + weights[k] * terms[k][p];
        sums[p] = sum;
    }
}

[[gnu::always_inline]] inline void Counts(const double* sums, const uint8_t* noData, double scale, std::size_t count,
                                          int16_t* out, uint8_t* clipped)
{
    for (std::size_t p = 0; p < count; ++p) {
        bool wasClipped = false;
        const int16_t value = ToCount(sums[p] * scale, wasClipped);
        out[p] = noData[p] ? int16_t(0) : value;
        clipped[p] += uint8_t(wasClipped && !noData[p]);
    }
}

void SumBaseline(const double* const* t, const double* w, std::size_t n, std::size_t count, double* sums)
{
    Sum<4>(t, w, n, count, sums);  // its sixteen registers hold two doubles each
}

void CountsBaseline(const double* sums, const uint8_t* noData, double scale, std::size_t count, int16_t* out,
                    uint8_t* clipped)
{
    Counts(sums, noData, scale, count, out, clipped);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define LUMERA_AVX2 gnu::target("avx2")
#define LUMERA_AVX512 gnu::target("avx2,avx512f,avx512vl,avx512bw,avx512dq")

[[LUMERA_AVX2]] void SumAvx2(const double* const* t, const double* w, std::size_t n, std::size_t count, double* sums)
{
    Sum<8>(t, w, n, count, sums);
}

// The compiler does not take the rounding and clipping of ToCount several
// values at a time, so it is written out: round to nearest with ties to even
// (what nearbyint does), then the same comparisons, four values a step.
[[LUMERA_AVX2]] void CountsAvx2(const double* sums, const uint8_t* noData, double scale, std::size_t count,
                                int16_t* out, uint8_t* clipped)
{
    // Four bytes of 0 or 1, one per pixel of a step, indexed by the step's clipped pixels.
    static constexpr uint32_t kOnes[16] = {0x0, 0x1, 0x100, 0x101, 0x10000, 0x10001, 0x10100, 0x10101,
                                           0x1000000, 0x1000001, 0x1000100, 0x1000101, 0x1010000, 0x1010001,
                                           0x1010100, 0x1010101};
    const __m256d factor = _mm256_set1_pd(scale), zero = _mm256_setzero_pd(), most = _mm256_set1_pd(kMaxCount);
    std::size_t p = 0;
    for (; p + 4 <= count; p += 4) {
        const __m256d r = _mm256_round_pd(_mm256_mul_pd(_mm256_loadu_pd(sums + p), factor),
                                          _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        const __m256d nonNegative = _mm256_cmp_pd(r, zero, _CMP_GE_OQ);  // false for NaN
        const __m256d outside = _mm256_or_pd(_mm256_cmp_pd(r, zero, _CMP_NGE_UQ), _mm256_cmp_pd(r, most, _CMP_GT_OQ));
        const __m128i value = _mm256_cvttpd_epi32(_mm256_and_pd(_mm256_min_pd(r, most), nonNegative));
        uint32_t noDataBytes, clippedBytes;
        std::memcpy(&noDataBytes, noData + p, sizeof noDataBytes);
        const __m128i missing =
            _mm_cmpgt_epi32(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(int(noDataBytes))), _mm_setzero_si128());
        const __m128i kept = _mm_andnot_si128(missing, value);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + p), _mm_packs_epi32(kept, kept));
        const int counted = _mm256_movemask_pd(outside) & ~_mm_movemask_ps(_mm_castsi128_ps(missing));
        std::memcpy(&clippedBytes, clipped + p, sizeof clippedBytes);
        clippedBytes += kOnes[counted];  // at most one per output band: no byte carries
        std::memcpy(clipped + p, &clippedBytes, sizeof clippedBytes);
    }
    Counts(sums + p, noData + p, scale, count - p, out + p, clipped + p);
}

[[LUMERA_AVX512]] void SumAvx512(const double* const* t, const double* w, std::size_t n, std::size_t count,
                                 double* sums)
{
    Sum<8>(t, w, n, count, sums);
}

[[LUMERA_AVX512]] void CountsAvx512(const double* sums, const uint8_t* noData, double scale, std::size_t count,
                                    int16_t* out, uint8_t* clipped)
{
    CountsAvx2(sums, noData, scale, count, out, clipped);
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

void ToCounts(const double* sums, const uint8_t* noData, double scale, std::size_t count, int16_t* out,
              uint8_t* clipped)
{
    Widest().ToCounts(sums, noData, scale, count, out, clipped);
}

}  // namespace lumera
