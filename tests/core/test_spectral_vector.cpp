#include <gtest/gtest.h>

#include "recording_reporter.h"
#include "spectral/spectral_state.h"
#include "spectral/spectral_vector.h"

using namespace lumera;
using lumera::testing::RecordingReporter;

TEST(SpectralAxis, SixtyFourBandsFromBandTwoAndCustomFunctionsOfOnes)
{
    SpectralState s;
    BuildSpectralAxis(s);
    ASSERT_EQ(s.Axis.size(), 64u);
    EXPECT_EQ(s.Axis.front(), 0.4003);
    EXPECT_EQ(s.Axis.back(), 0.9816);
    InitCustomFunctions(s);
    EXPECT_EQ(s.CustomWeight, SpectralVector(64, 1.0));
    EXPECT_EQ(s.CustomCounterWeight, SpectralVector(64, 1.0));
    EXPECT_FALSE(s.CustomFunctionSet);
}

TEST(NormalisePeak, LargestMagnitudeBecomesOneAndZerosAreReportedAndLeftAlone)
{
    RecordingReporter r;
    SpectralVector a = {-2, 1, 0.5}, b = {3, 3, 3}, c = {0}, d = {-7}, empty;
    for (SpectralVector* f : {&a, &b, &c, &d, &empty}) EXPECT_TRUE(NormalisePeak(*f, r));
    EXPECT_EQ(a, SpectralVector({-1, 0.5, 0.25}));
    EXPECT_EQ(b, SpectralVector({1, 1, 1}));
    EXPECT_EQ(c, SpectralVector({1}));
    EXPECT_EQ(d, SpectralVector({1}));
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(r.messages.empty());
    SpectralVector zeros(64, 0.0);
    EXPECT_FALSE(NormalisePeak(zeros, r));
    EXPECT_EQ(zeros, SpectralVector(64, 0.0));
    EXPECT_EQ(r.messages.size(), 1u);
}

TEST(BandIntegral, TrapezoidsOverTheAxis)
{
    RecordingReporter r;
    EXPECT_EQ(BandIntegral({1, 2, 3}, {0, 1, 3}, r), 6.5);  // 1.5 x 1 + 2.5 x 2
    SpectralState s;
    BuildSpectralAxis(s);
    EXPECT_DOUBLE_EQ(BandIntegral(SpectralVector(64, 1.0), s.Axis, r), 0.9816 - 0.4003);
    EXPECT_TRUE(r.messages.empty());
}

TEST(SpectralVectorOps, ElementWiseAndMismatches)
{
    RecordingReporter r;
    EXPECT_EQ(Multiply({1, 2, 3}, {2, 0.5, -1}, r), SpectralVector({2, 1, -3}));
    EXPECT_EQ(Add({1, 2, 3}, {2, 0.5, -1}, r), SpectralVector({3, 2.5, 2}));
    EXPECT_TRUE(r.messages.empty());

    const SpectralVector product = Multiply(SpectralVector(64, 1.0), {}, r);
    EXPECT_TRUE(product.empty());
    EXPECT_EQ(BandIntegral(product, SpectralVector(64, 1.0), r), 0.0);
    EXPECT_TRUE(Add({1}, {1, 2}, r).empty());
    ASSERT_EQ(r.messages.size(), 3u);
    EXPECT_EQ(r.messages[0].text, "Neodpovídají rozměry polí pro násobení.");
    EXPECT_EQ(r.messages[1].text, "Neodpovídá počet pásem pro integraci.");
    EXPECT_EQ(r.messages[2].text, "Neodpovídají rozměry polí pro sčítání.");
}
