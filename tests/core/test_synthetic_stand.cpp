#include <gtest/gtest.h>

#include <set>

#include "spectral/ndvi.h"
#include "stand/stand_materials.h"
#include "stand/synthetic_stand.h"

using namespace lumera;

namespace {

// Plain materials: vegetation dark in red and bright in the near infrared,
// soil flat. Enough to check the stand's geometry and determinism.
StandMaterials SimpleMaterials()
{
    auto spectrum = [](double red, double nir) {
        BandSpectrum s{};
        for (int b = 0; b < kSensorBands; ++b) s[b] = b < 38 ? red : nir;
        return s;
    };
    return {{spectrum(0.04, 0.35), spectrum(0.05, 0.30)}, {spectrum(0.05, 0.45)}, {spectrum(0.08, 0.25)},
            {spectrum(0.20, 0.28)}};
}

StandOptions Small(uint64_t seed)
{
    StandOptions o;
    o.Seed = seed;
    o.Width = 120;
    o.Height = 90;
    o.Trees = 25;
    return o;
}

}  // namespace

TEST(SyntheticStand, SameSeedSameBytesOtherSeedOtherStand)
{
    const StandMaterials m = SimpleMaterials();
    const SyntheticStand a = MakeSyntheticStand(Small(7), m);
    const SyntheticStand b = MakeSyntheticStand(Small(7), m);
    const SyntheticStand c = MakeSyntheticStand(Small(8), m);
    EXPECT_EQ(a.Cube.Values, b.Cube.Values);
    EXPECT_EQ(a.Truth.Values, b.Truth.Values);
    EXPECT_NE(a.Cube.Values, c.Cube.Values);
    EXPECT_NE(a.Truth.Values, c.Truth.Values);
}

TEST(SyntheticStand, TruthMatchesCubeAndEveryTreeHasPixels)
{
    const SyntheticStand s = MakeSyntheticStand(Small(3), SimpleMaterials());
    EXPECT_EQ(s.Cube.NBands, 65);
    EXPECT_EQ(s.Cube.NColumns, 120);
    EXPECT_EQ(s.Cube.NRows, 90);
    EXPECT_EQ(s.Truth.Width, 120);
    EXPECT_EQ(s.Truth.Height, 90);
    const std::set<int32_t> numbers(s.Truth.Values.begin(), s.Truth.Values.end());
    ASSERT_GE(numbers.size(), 10u);
    // Numbers run 0, 1, ..., K without holes: each numbered tree has pixels.
    int expected = 0;
    for (int32_t n : numbers) EXPECT_EQ(n, expected++);
}

TEST(SyntheticStand, DefaultSizeHoldsAFullStand)
{
    StandOptions o;
    o.Seed = 1;
    const SyntheticStand s = MakeSyntheticStand(o, SimpleMaterials());
    const std::set<int32_t> numbers(s.Truth.Values.begin(), s.Truth.Values.end());
    EXPECT_GE(numbers.size() - 1, 150u);
    EXPECT_LE(numbers.size() - 1, 250u);
}

TEST(SyntheticStand, MissingMaterialsRefused)
{
    StandMaterials m = SimpleMaterials();
    m.Soils.clear();
    EXPECT_THROW(MakeSyntheticStand(Small(1), m), std::invalid_argument);
}

TEST(SyntheticStand, NdviIsHighOnCrownsAndLowOnSoil)
{
    // Library spectra, a stand of crowns over bare soil only.
    StandMaterials m = MaterialsFromLibrary(BuiltinSpectralLibrary(), InitBandTable());
    ASSERT_FALSE(m.Conifers.empty());
    ASSERT_FALSE(m.Broadleaves.empty());
    m.Grasses = m.Soils;
    const SyntheticStand s = MakeSyntheticStand(Small(5), m);
    const AnalysisResult ndvi = RunNdvi(s.Cube, NdviSettings{});
    ASSERT_TRUE(ndvi.Ran()) << ndvi.Stopped;
    double crowns = 0, ground = 0;
    int crownPixels = 0, groundPixels = 0;
    for (std::size_t p = 0; p < ndvi.Grid.size(); ++p)
        if (s.Truth.Values[p] > 0) crowns += ndvi.Grid[p], ++crownPixels;
        else ground += ndvi.Grid[p], ++groundPixels;
    EXPECT_GT(crowns / crownPixels, 0.6);
    EXPECT_LT(ground / groundPixels, 0.35);
}
