#include <gtest/gtest.h>

#include <set>

#include "spectral/ndvi.h"
#include "stand/stand_materials.h"
#include "stand/synthetic_stand.h"

using namespace lumera;

namespace {

const StandMaterials& LibraryMaterials()
{
    static const StandMaterials materials = MaterialsFromLibrary(BuiltinSpectralLibrary(), InitBandTable());
    return materials;
}

StandOptions Small(uint64_t seed)
{
    return {seed, 120, 90, 25};
}

}  // namespace

TEST(SyntheticStand, SameSeedSameBytesOtherSeedOtherStand)
{
    const SyntheticStand a = MakeSyntheticStand(Small(7), LibraryMaterials());
    const SyntheticStand b = MakeSyntheticStand(Small(7), LibraryMaterials());
    const SyntheticStand c = MakeSyntheticStand(Small(8), LibraryMaterials());
    EXPECT_EQ(a.Cube.Values, b.Cube.Values);
    EXPECT_EQ(a.Truth.Values, b.Truth.Values);
    EXPECT_NE(a.Cube.Values, c.Cube.Values);
}

TEST(SyntheticStand, TruthFitsTheCubeAndEveryTreeHasPixels)
{
    for (const StandOptions& options : {Small(3), StandOptions{}}) {
        const SyntheticStand s = MakeSyntheticStand(options, LibraryMaterials());
        EXPECT_EQ(s.Cube.NBands, 65);
        EXPECT_EQ(s.Truth.Width, s.Cube.NColumns);
        EXPECT_EQ(s.Truth.Height, s.Cube.NRows);
        // Numbers run 0, 1, ..., K without holes: each numbered tree has pixels.
        const std::set<int32_t> numbers(s.Truth.Values.begin(), s.Truth.Values.end());
        EXPECT_EQ(*numbers.rbegin(), int32_t(numbers.size()) - 1);
        if (options.Width == 400) {
            EXPECT_GE(numbers.size() - 1, 150u);
        }
    }
}

TEST(SyntheticStand, NdviIsHighOnCrownsAndLowOnSoil)
{
    StandMaterials m = LibraryMaterials();
    m.Grasses = m.Soils;  // bare soil between the crowns
    const SyntheticStand s = MakeSyntheticStand(Small(5), m);
    const AnalysisResult ndvi = RunNdvi(s.Cube, NdviSettings{});
    ASSERT_TRUE(ndvi.Ran()) << ndvi.Stopped;
    double sum[2] = {0, 0};
    int count[2] = {0, 0};
    for (std::size_t p = 0; p < ndvi.Grid.size(); ++p) {
        const int crown = s.Truth.Values[p] > 0;
        sum[crown] += ndvi.Grid[p];
        ++count[crown];
    }
    EXPECT_GT(sum[1] / count[1], 0.6);
    EXPECT_LT(sum[0] / count[0], 0.35);
}

TEST(SyntheticStand, MissingMaterialsRefused)
{
    StandMaterials m = LibraryMaterials();
    m.Soils.clear();
    EXPECT_THROW(MakeSyntheticStand(Small(1), m), std::invalid_argument);
}
