#include <gtest/gtest.h>

#include "sample_data.h"
#include "spectral/masking.h"
#include "spectral_fixture.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// Pixel 0 is green in both analyses, pixel 1 only in the NDVI: NDVI bounds
// 0 to 0.1, needle bounds 5 to 20 on the plain integral of a flat weight.
TData TwoPixels()
{
    TData cube = MakeCube(65, 1, 2);
    SetBands(cube, 0, 0, 1, 65, 1000);
    SetBands(cube, 0, 0, 41, 43, 3000);
    SetBands(cube, 1, 0, 1, 65, -100);
    SetBands(cube, 1, 0, 41, 43, 300);
    return cube;
}

MaskSettings TwoPixelSettings()
{
    return {.Ndvi = {.Absolute = true, .P1 = 0, .P2 = 10},
            .Needle = {.Normalise = false, .Absolute = true, .P1 = 50, .P2 = 200},
            .Brightness = MaskBrightness::Band19};
}

SpectralState FlatWeight()
{
    SpectralState state = MakeSpectralState();
    state.ReferenceTable[0].assign(kSpectralBands, 1.0);
    return state;
}

}  // namespace

TEST(Masking, GreenWeightHalfAndHalfMixTimesBrightnessUniformMaskIsBlackAndSharesAndBrightnessChoices)
{
    for (const auto& [green, weight] : {std::pair{0, 0.0}, {1, 0.02}, {4, 0.02}, {5, 0.04}, {244, 0.98}, {245, 1.0}, {255, 1.0}})
        EXPECT_EQ(GreenWeight(uint8_t(green)), weight) << green;
    Bitmap picture;
    const MaskResult r = RunMask(TwoPixels(), FlatWeight(), TwoPixelSettings(), picture);
    ASSERT_TRUE(r.Stopped.empty() && r.Ndvi.Ran() && r.Needle.Ran());
    EXPECT_EQ(r.Grid, (std::vector<double>{1.0 * 1000, 0.5 * -100}));
    EXPECT_EQ(std::make_pair(r.Min, r.Max), std::make_pair(-50.0, 1000.0));
    EXPECT_EQ(picture.Bytes(), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
    const MaskResult uniform = RunMask(MakeCube(65, 2, 3), MakeSpectralState(), MaskSettings{}, picture);
    EXPECT_EQ(std::make_pair(uniform.Min, uniform.Max), std::make_pair(0.0, 0.0));
    EXPECT_EQ(picture, Bitmap(3, 2));

    TData cube = TwoPixels();
    SetBands(cube, 0, 0, 19, 19, 1350);  // pixel 0 stays green in both analyses
    MaskSettings s = TwoPixelSettings();
    s.IndexShare = 30;
    s.SpectraShare = 70;
    s.Brightness = MaskBrightness::Bands1To65;
    EXPECT_EQ(RunMask(cube, FlatWeight(), s, picture).Grid,
              (std::vector<double>{(0.3 + 0.7) * ((61 * 1000.0 + 1350 + 3 * 3000.0) / 65), 0.3 * ((62 * -100.0 + 3 * 300.0) / 65)}));
    s.Brightness = MaskBrightness::Bands1To35;
    EXPECT_EQ(RunMask(cube, FlatWeight(), s, picture).Grid[0], (34 * 1000.0 + 1350) / 35);
}

TEST(Masking, StoppedAnalysisLeavesItsGreensToThePictureUnlessThePictureIsRemade)
{
    MaskSettings s = TwoPixelSettings();
    s.Ndvi.P1 = 20;  // reversed percentages stop the NDVI
    Bitmap picture(2, 1), tall(2, 7);
    for (Bitmap* b : {&picture, &tall}) b->Fill(0, 255, 0);
    const MaskResult r = RunMask(TwoPixels(), FlatWeight(), s, picture);
    EXPECT_EQ(r.Ndvi.Stopped, "Nesmyslný rozsah u procent.");
    EXPECT_EQ(r.Grid, (std::vector<double>{1000.0, 0.5 * -100}));  // the old full green counts for the NDVI
    s.Needle.Weight = kCustomEntry;  // custom weight never set
    const MaskResult remade = RunMask(TwoPixels(), FlatWeight(), s, tall);
    EXPECT_FALSE(remade.Ndvi.Ran() || remade.Needle.Ran());
    EXPECT_EQ(remade.Grid, std::vector<double>(2, 0.0));  // the remade black picture has no greens
    EXPECT_EQ(tall, Bitmap(2, 1));
    s.Brightness = MaskBrightness::Bands1To65;
    const Bitmap before = picture;
    EXPECT_NE(RunMask(MakeCube(40, 1, 2), FlatWeight(), s, picture).Stopped.find("40"), std::string::npos);
    EXPECT_EQ(picture, before);
}
