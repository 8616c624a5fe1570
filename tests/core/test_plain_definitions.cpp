#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "imaging/true_colour.h"
#include "analysis/band_mean.h"
#include "plain_definitions.h"
#include "sample_data.h"
#include "analysis/masking.h"
#include "analysis_fixture.h"

// The vectorised analyses against their plain definitions, byte for byte, on
// random cubes: odd sizes, negative values, a single pixel, sizes crossing
// the chunks of pixels worked at a time, and the largest cut-out.
using namespace lumera;
using namespace lumera::testing;

namespace {

struct Size {
    int Rows, Columns;
};
constexpr Size kSizes[] = {{1, 1}, {3, 5}, {17, 13}, {1, 1031}, {41, 53}};

const TData& LargestCutout()
{
    static const TData cube = RandomCube(65, 400, 400, 11, -32768, 32767);
    return cube;
}

// Values from full-range noise down to a narrow band of plausible radiances
// with some negatives, so that undefined, tied and saturated pixels occur.
TData Cube(int bands, Size size, unsigned seed)
{
    const int low[] = {-32768, -300, 0, -3};
    const int high[] = {32767, 4000, 2, 3};
    return RandomCube(bands, size.Rows, size.Columns, seed, low[seed % 4], high[seed % 4]);
}

SpectralVector RandomFunction(std::mt19937& rng, double low, double high)
{
    std::uniform_real_distribution<double> value(low, high);
    SpectralVector f(kSpectralBands);
    for (double& v : f) v = value(rng);
    return f;
}

// The scalar path always, whatever the machine reports, and every wider one it runs.
std::vector<InstructionSet> InstructionSetsHere()
{
    std::vector<InstructionSet> sets = {InstructionSet::Baseline};
    for (const InstructionSet set : {InstructionSet::Avx2, InstructionSet::Avx512})
        if (Runs(set)) sets.push_back(set);
    return sets;
}

std::pair<int, int> Ordered(int a, int b) { return {std::min(a, b), std::max(a, b)}; }

bool SameFigures(const AnalysisFigures& a, const AnalysisFigures& b)
{
    return SameBytes({a.Min, a.Max, a.Lower, a.Upper}, {b.Min, b.Max, b.Lower, b.Upper});
}

}  // namespace

TEST(PlainDefinitions, RoundToByteIsNearbyintLimitedForTiesExtremesAndNoise)
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0, -0.0, -0.5, -0.51, -1.0, -1.5, 255.5, 256.0, 256.5, 254.5, 0.49999999999999994,
                                  1e300, -1e300, inf, -inf, std::nan(""), 4503599627370497.0, 5e-324};
    for (int k = -3; k < 260; ++k) values.insert(values.end(), {k + 0.5, k + 0.5000000001, k + 0.4999999999, double(k)});
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> noise(-20.0, 280.0);
    for (int i = 0; i < 100000; ++i) values.push_back(noise(rng));
    for (const double v : values) ASSERT_EQ(RoundToByte(v), plain::RoundToByte(v)) << v;
}

TEST(PlainDefinitions, NeedleMeasureAndBandMeansOnEveryInstructionSetForEveryDivisorRangeAndChunk)
{
    const SpectralState state = MakeSpectralState();
    std::mt19937 rng(2);
    const SpectralVector ones(kSpectralBands, 1.0);
    for (unsigned seed = 0; seed < std::size(kSizes) * 2; ++seed) {
        const TData cube = Cube(65, kSizes[seed % std::size(kSizes)], seed);
        const SpectralVector weight = RandomFunction(rng, -1.0, 1.0), counter = RandomFunction(rng, -0.2, 1.0);
        for (const SpectralVector* divisor : {static_cast<const SpectralVector*>(nullptr), &ones, &counter}) {
            const std::vector<double> plain = plain::NeedleMeasure(cube, state.Axis, weight, divisor);
            for (const InstructionSet set : InstructionSetsHere())
                ASSERT_TRUE(SameBytes(NeedleMeasure(cube, state.Axis, weight, divisor, set), plain))
                    << "seed " << seed << ", instruction set " << int(set);
        }
        const std::size_t plane = cube.PlaneSize();
        for (const auto& [first, last] : {std::pair{1, 65}, {1, 35}, {19, 19}, {2, 7}, {60, 65}})
            for (const InstructionSet set : InstructionSetsHere()) {
                std::vector<double> mean(plane);
                for (std::size_t begin = 0; begin < plane; begin += 7)  // chunks of odd length
                    BandMeanKernelFor(set)(cube, first, last, begin, std::min<std::size_t>(7, plane - begin),
                                           mean.data() + begin);
                for (std::size_t p = 0; p < plane; ++p)
                    ASSERT_TRUE(SameBytes({mean[p]}, {plain::BandMean(cube, first, last, int(p % cube.NColumns),
                                                                      int(p / cube.NColumns))}))
                        << "seed " << seed << ", bands " << first << "-" << last << ", set " << int(set);
            }
    }
}

TEST(PlainDefinitions, NdviNeedleAndMaskGridsFiguresAndPictures)
{
    const SpectralState state = MakeSpectralState();
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> band(1, 65), percent(0, 99), bound(-100, 100), share(1, 19), choice(0, 2);
    for (unsigned seed = 0; seed <= std::size(kSizes) * 2; ++seed) {
        const bool largest = seed == std::size(kSizes) * 2;
        const TData cube = largest ? LargestCutout() : Cube(65, kSizes[seed % std::size(kSizes)], seed);
        MaskSettings s;
        const auto [r1, r2] = Ordered(band(rng), band(rng));
        const auto [n1, n2] = Ordered(band(rng), band(rng));
        const bool absolute = seed % 3 == 0;
        const auto [p1, p2] = absolute ? Ordered(bound(rng), bound(rng)) : Ordered(percent(rng), percent(rng));
        s.Ndvi = {r1, r2, n1, n2, absolute, p1, p2};
        s.Needle = {.Weight = int(seed % 15), .Normalise = seed % 4 != 1, .Divisor = NeedleDivisor(seed % 2),
                    .CounterWeight = int(seed * 7 % 15), .P1 = percent(rng), .P2 = percent(rng)};
        s.IndexShare = 5 * share(rng);
        s.SpectraShare = 100 - s.IndexShare;
        s.Brightness = MaskBrightness(choice(rng));

        const AnalysisResult ndvi = RunNdvi(cube, s.Ndvi);
        const plain::Analysis plainNdvi = plain::Ndvi(cube, s.Ndvi);
        EXPECT_TRUE(SameBytes(ndvi.Grid, plainNdvi.Grid) && SameFigures(ndvi.Figures, plainNdvi.Figures)) << seed;
        EXPECT_EQ(ndvi.Picture, plainNdvi.Picture) << seed;

        const AnalysisResult needle = RunNeedle(cube, state, s.Needle);
        ASSERT_TRUE(needle.Ran()) << seed;
        std::vector<double> range = {1000000, 0};
        for (const double v : needle.Grid) range = {std::min(range[0], v), std::max(range[1], v)};
        EXPECT_TRUE(SameBytes({needle.Figures.Min, needle.Figures.Max}, range)) << seed;
        EXPECT_EQ(needle.Picture,
                  plain::Paint(needle.Grid, cube.NColumns, cube.NRows, needle.Figures.Lower, needle.Figures.Upper, false))
            << seed;

        Bitmap picture;
        const MaskResult mask = RunMask(cube, state, s, picture);
        const int brightest[] = {35, 65, 19};
        const int last = brightest[int(s.Brightness)];
        const plain::Analysis plainMask =
            plain::Mask(cube, ndvi.Picture, needle.Picture, s, last == 19 ? 19 : 1, last);
        EXPECT_TRUE(SameBytes(mask.Grid, plainMask.Grid) && SameBytes({mask.Min, mask.Max}, {plainMask.Figures.Min, plainMask.Figures.Max}))
            << seed;
        EXPECT_EQ(picture, plainMask.Picture) << seed;
    }
}

TEST(PlainDefinitions, TrueColourChannelsAndStretch)
{
    for (unsigned seed = 0; seed <= std::size(kSizes) * 2; ++seed) {
        const bool largest = seed == std::size(kSizes) * 2;
        const TData cube = largest ? LargestCutout() : Cube(36 + int(seed % 30), kSizes[seed % std::size(kSizes)], seed);
        const Bitmap channels = ChannelComposite(cube);
        ASSERT_EQ(channels, plain::ChannelComposite(cube)) << seed;
        EXPECT_EQ(TrueColourComposite(cube), plain::EnhanceColours(channels)) << seed;
    }
    // Pictures with black, grey, saturated and dark-and-bright pixels, so that
    // every branch of the brightness rescaling is taken.
    std::mt19937 rng(5);
    for (const int spread : {256, 8, 40}) {
        Bitmap picture(97, 89);
        std::uniform_int_distribution<int> value(0, 255), offset(0, spread - 1);
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                uint8_t* px = picture.ScanLine(y) + 3 * x;
                const int base = value(rng) % 4 == 0 ? 0 : value(rng);
                for (int c = 0; c < 3; ++c) px[c] = uint8_t(std::min(255, base + (spread == 256 ? value(rng) : offset(rng))));
            }
        EXPECT_EQ(EnhanceColours(picture), plain::EnhanceColours(picture)) << spread;
    }
    // The brightest pixels all in the last column, which sets the upper clip level.
    Bitmap edge(97, 89);
    for (int y = 0; y < edge.Height(); ++y)
        for (int x = 0; x < edge.Width(); ++x)
            std::fill_n(edge.ScanLine(y) + 3 * x, 3, uint8_t(x + 1 == edge.Width() ? 200 : 100 + (x + y) % 5));
    EXPECT_EQ(EnhanceColours(edge), plain::EnhanceColours(edge));
}
