#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "crowns/crown_spectra.h"
#include "sample_data.h"
#include "spectral/band_mean.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// The statistics of one crown by their definition, pixel by pixel.
BandStatistics PlainStatistics(const TData& cube, const std::vector<std::size_t>& pixels)
{
    BandStatistics s;
    s.Pixels = int64_t(pixels.size());
    for (int b = 0; b < cube.NBands; ++b) {
        std::vector<double> values;
        for (std::size_t p : pixels) values.push_back(cube.Plane(b)[p]);
        double sum = 0.0;
        for (double v : values) sum += v;
        const double mean = sum / double(values.size());
        double squares = 0.0;
        for (double v : values) squares += (v - mean) * (v - mean);
        s.Mean.push_back(mean);
        s.Sd.push_back(std::sqrt(squares / double(values.size())));
    }
    return s;
}

}  // namespace

// Random cubes and matrices with gaps in the numbering, barriers and equal
// near-infrared brightness: every statistic equals its plain definition.
TEST(CrownSpectra, EqualThePlainDefinitionOnRandomCubes)
{
    std::mt19937 rng(3);
    for (int trial = 0; trial < 20; ++trial) {
        const int w = 1 + int(rng() % 9), h = 1 + int(rng() % 7);
        const TData cube = RandomCube(kCrownSpectraBands + int(rng() % 3), h, w, unsigned(trial), 0, trial % 2 ? 4 : 4000);
        TTreeMatrix trees(w, h);
        for (int32_t& v : trees.Values) v = int32_t(rng() % 6) - 1;  // -1 a barrier, 0 no tree
        const std::vector<double> nir = BandMean(cube, 41, 43);
        const std::vector<CrownSpectrum> spectra = CrownSpectra(cube, trees);
        std::size_t k = 0;
        for (int32_t tree = 1; tree <= 4; ++tree) {
            std::vector<std::size_t> pixels;
            for (std::size_t p = 0; p < trees.Values.size(); ++p)
                if (trees.Values[p] == tree) pixels.push_back(p);
            if (pixels.empty()) continue;
            ASSERT_LT(k, spectra.size());
            const CrownSpectrum& c = spectra[k++];
            EXPECT_EQ(c.Tree, tree);
            const BandStatistics all = PlainStatistics(cube, pixels);
            EXPECT_EQ(c.All.Mean, all.Mean);
            EXPECT_EQ(c.All.Sd, all.Sd);
            // Sunlit: the brighter half, ties to the earlier pixel.
            std::vector<std::size_t> ranked = pixels;
            std::sort(ranked.begin(), ranked.end(),
                      [&](std::size_t a, std::size_t b) { return nir[a] != nir[b] ? nir[a] > nir[b] : a < b; });
            ranked.resize((pixels.size() + 1) / 2);
            std::sort(ranked.begin(), ranked.end());
            const BandStatistics sunlit = PlainStatistics(cube, ranked);
            EXPECT_EQ(c.Sunlit.Pixels, sunlit.Pixels);
            EXPECT_EQ(c.Sunlit.Mean, sunlit.Mean);
            EXPECT_EQ(c.Sunlit.Sd, sunlit.Sd);
        }
        EXPECT_EQ(k, spectra.size());
    }
}

TEST(CrownSpectra, RefusalsNameTheSizesAndTheFileReadsBackExactly)
{
    const TData cube = RandomCube(65, 3, 4, 9);
    EXPECT_EQ(CrownSpectraRefusal(cube, TTreeMatrix(3, 4)), "Matice stromů má rozměry 3 x 4, výřez 4 x 3.");
    EXPECT_TRUE(CrownSpectraRefusal(RandomCube(42, 3, 4, 9), TTreeMatrix(4, 3)).has_value());

    TTreeMatrix trees(4, 3);
    trees.Values = {0, 7, 7, 0, 2, 2, 7, 0, 0, 0, 0, 0};
    const std::vector<CrownSpectrum> spectra = CrownSpectra(cube, trees);
    TempDir dir;
    WriteCrownSpectra(dir.File("s.csv"), spectra, cube.NBands);
    std::ifstream in(dir.File("s.csv"));
    std::string header, line;
    std::getline(in, header);
    std::stringstream names(header);
    std::string name;
    for (const char* first : {"tree", "statistic", "pixels"}) {
        std::getline(names, name, ',');
        EXPECT_EQ(name, first);
    }
    for (const TBandInfo& band : InitBandTable()) {
        ASSERT_TRUE(std::getline(names, name, ','));
        EXPECT_EQ(name.size(), 5u);  // micrometres with three decimals
        EXPECT_NEAR(std::stod(name), band.Center, 0.0005 + 1e-12);
    }
    EXPECT_FALSE(std::getline(names, name, ','));
    std::vector<std::string> rows;
    while (std::getline(in, line)) rows.push_back(line);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0].substr(0, 9), "2,mean,2,");
    EXPECT_EQ(rows[6].substr(0, 16), "7,sunlit_mean,2,");
    std::stringstream sd(rows[5]);
    std::string field;
    for (int skip = 0; skip < 3; ++skip) std::getline(sd, field, ',');
    for (double expected : spectra[1].All.Sd) {
        std::getline(sd, field, ',');
        EXPECT_EQ(std::stod(field), expected);
    }
}
