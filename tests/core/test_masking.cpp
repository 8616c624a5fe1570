#include <gtest/gtest.h>

#include "sample_data.h"
#include "spectral/masking.h"
#include "spectral_fixture.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

uint8_t Grey(const Bitmap& b, int x, int y = 0)
{
    const uint8_t* p = b.ScanLine(y) + 3 * x;
    EXPECT_EQ(p[0], p[1]);
    EXPECT_EQ(p[1], p[2]);
    return p[1];
}

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
    MaskSettings s;
    s.Ndvi.Absolute = true;
    s.Ndvi.P1 = 0;
    s.Ndvi.P2 = 10;
    s.Needle.Normalise = false;
    s.Needle.Absolute = true;
    s.Needle.P1 = 50;
    s.Needle.P2 = 200;
    s.Brightness = MaskBrightness::Band19;
    return s;
}

SpectralState FlatWeight()
{
    SpectralState state = MakeSpectralState();
    state.ReferenceTable[0].assign(kSpectralBands, 1.0);
    return state;
}

}  // namespace

TEST(GreenWeight, FiftyOneStepsAboveZero)
{
    EXPECT_EQ(GreenWeight(0), 0.0);
    for (int g : {1, 4}) EXPECT_EQ(GreenWeight(g), 0.02);
    for (int g : {5, 9}) EXPECT_EQ(GreenWeight(g), 0.04);
    for (int g : {240, 244}) EXPECT_EQ(GreenWeight(g), 0.98);
    for (int g : {245, 246, 255}) EXPECT_EQ(GreenWeight(g), 1.0);
}

TEST(Masking, HalfAndHalfMixTimesBrightness)
{
    Bitmap picture;
    const MaskResult r = RunMask(TwoPixels(), FlatWeight(), TwoPixelSettings(), picture);
    ASSERT_TRUE(r.Stopped.empty() && r.Ndvi.Ran() && r.Needle.Ran());
    EXPECT_EQ(r.Grid[0], 1.0 * 1000);  // green in both
    EXPECT_EQ(r.Grid[1], 0.5 * -100);  // green in the NDVI only; negative brightness
    EXPECT_EQ(r.Min, -50.0);
    EXPECT_EQ(r.Max, 1000.0);
    EXPECT_EQ(Grey(picture, 0), 255);
    EXPECT_EQ(Grey(picture, 1), 0);
}

TEST(Masking, SharesAndBrightnessChoices)
{
    MaskSettings s = TwoPixelSettings();
    s.IndexShare = 30;
    s.SpectraShare = 70;
    s.Brightness = MaskBrightness::Bands1To65;
    Bitmap picture;
    const MaskResult r = RunMask(TwoPixels(), FlatWeight(), s, picture);
    EXPECT_EQ(r.Grid[0], (0.3 + 0.7) * ((62 * 1000.0 + 3 * 3000.0) / 65));
    EXPECT_EQ(r.Grid[1], 0.3 * ((62 * -100.0 + 3 * 300.0) / 65));
    s.Brightness = MaskBrightness::Bands1To35;
    EXPECT_EQ(RunMask(TwoPixels(), FlatWeight(), s, picture).Grid[0], 1000.0);
}

TEST(Masking, UniformMaskIsPaintedBlack)
{
    Bitmap picture;
    const MaskResult r = RunMask(MakeCube(65, 2, 3), MakeSpectralState(), MaskSettings{}, picture);
    EXPECT_EQ(r.Min, 0.0);
    EXPECT_EQ(r.Max, 0.0);
    EXPECT_EQ(picture, Bitmap(3, 2));
}

TEST(Masking, StoppedAnalysisLeavesItsGreensToThePicture)
{
    MaskSettings s = TwoPixelSettings();
    s.Ndvi.P1 = 20;  // reversed percentages stop the NDVI
    Bitmap picture(2, 1);
    picture.Fill(0, 255, 0);
    const MaskResult r = RunMask(TwoPixels(), FlatWeight(), s, picture);
    EXPECT_EQ(r.Ndvi.Stopped, "Nesmyslný rozsah u procent.");
    EXPECT_TRUE(r.Needle.Ran());
    EXPECT_EQ(r.Grid[0], 1000.0);       // the old full green counts for the NDVI
    EXPECT_EQ(r.Grid[1], 0.5 * -100);  // and the needle's own 0 for pixel 1
}

TEST(Masking, PictureOfAnotherSizeIsRemadeAndMissingBandsStopIt)
{
    Bitmap picture(7, 7);
    picture.Fill(0, 255, 0);
    RunMask(TwoPixels(), FlatWeight(), TwoPixelSettings(), picture);
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Height(), 1);

    Bitmap untouched(2, 1);
    MaskSettings all = TwoPixelSettings();
    all.Brightness = MaskBrightness::Bands1To65;
    const MaskResult r = RunMask(MakeCube(40, 1, 2), FlatWeight(), all, untouched);
    EXPECT_NE(r.Stopped.find("40"), std::string::npos) << r.Stopped;
    EXPECT_EQ(untouched, Bitmap(2, 1));
}
