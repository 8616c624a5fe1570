#include <gtest/gtest.h>

#include <cmath>

#include "recording_reporter.h"
#include "analysis/numerics.h"
#include "analysis/band_vector.h"

using namespace lumera;
using lumera::testing::RecordingReporter;

namespace {

std::vector<std::string> Texts(const RecordingReporter& r)
{
    std::vector<std::string> texts;
    for (const auto& m : r.messages) texts.push_back(m.text);
    return texts;
}

}  // namespace

TEST(SolveLinear, PivotingAndSingularOverflowingOrMismatchedSystemsThatGiveZerosAndSaySo)
{
    RecordingReporter r;
    EXPECT_EQ(SolveLinear({{2.0}}, {4.0}, r), Vector({2.0}));
    const Matrix a = {{0, 1}, {1, 0}};
    EXPECT_EQ(SolveLinear(a, {3, 5}, r), Vector({5, 3}));
    EXPECT_EQ(a, Matrix({{0, 1}, {1, 0}}));  // inputs untouched
    const Vector coupled = SolveLinear({{2, 1, 1}, {1, 3, 2}, {1, 0, 0}}, {4, 5, 6}, r);
    ASSERT_EQ(coupled.size(), 3u);
    for (const auto& [i, x] : {std::pair{0, 6.0}, {1, 15.0}, {2, -23.0}}) EXPECT_NEAR(coupled[i], x, 1e-12) << i;
    EXPECT_TRUE(r.messages.empty());

    const std::string singular = "Matice je singulární!", failed = "Gausova eliminace selhala, vráceno nulové řešení.";
    const struct {
        Matrix a;
        Vector b;
        std::vector<std::string> messages;
    } cases[] = {
        {{{1, 2}, {1, 2}}, {3, 3}, {singular, failed}},
        {{{2, 1}, {4, 2}}, {1, 5}, {singular, failed}},  // the last pivot becomes 0 only after elimination
        {{{1e-300, 0}, {0, 1}}, {1e300, 1}, {failed}},
        {{{1, 2, 3}, {4, 5, 6}}, {1, 2}, {"Nesrovnalost v rozměrech vstupů, vráceno nulové řešení."}},
    };
    for (const auto& c : cases) {
        RecordingReporter r;
        EXPECT_EQ(SolveLinear(c.a, c.b, r), Vector(c.b.size(), 0.0));
        EXPECT_EQ(Texts(r), c.messages);
    }
}

TEST(EvaluateSpline, ArchAndWaveAgainstHandComputedValuesQueriesOutsideTheSamplesAndSamplesNotAscending)
{
    RecordingReporter r;
    std::vector<SplinePoint> q = {{-1, 9}, {0.5, 0}, {1.0, 0}, {1.5, 0}, {2.0, 9}, {5, 9}};
    ASSERT_TRUE(EvaluateSpline({{0, 0}, {1, 1}, {2, 0}}, q, r));
    // With M = (0, -3, 0); below the first sample the first cubic goes on (a negative t cubed), the last
    // sample itself is evaluated, and above it nothing is.
    for (const auto& [i, y] : {std::pair{1, 0.6875}, {2, 1.0}, {3, 0.6875}, {0, -1.0}, {4, 0.0}, {5, 9.0}})
        EXPECT_EQ(q[i].Y, y) << q[i].X;

    // Four curved points couple the second derivatives: M = (0, -4, 4, 0).
    std::vector<SplinePoint> wave = {{0.5, 0}, {1.5, 0}, {2.5, 0}};
    ASSERT_TRUE(EvaluateSpline({{0, 0}, {1, 1}, {2, 0}, {3, 1}}, wave, r));
    for (const auto& [i, y] : {std::pair{0, 0.75}, {1, 0.5}, {2, 0.25}}) EXPECT_NEAR(wave[i].Y, y, 1e-12) << i;

    EXPECT_TRUE(r.messages.empty());

    for (const std::vector<SplinePoint>& samples : {std::vector<SplinePoint>{{0, 0}, {0, 1}, {1, 0}}, {{0, 0}, {NAN, 1}}}) {
        RecordingReporter r;
        std::vector<SplinePoint> q = {{0.5, 7}};
        EXPECT_FALSE(EvaluateSpline(samples, q, r));
        EXPECT_EQ(q[0].Y, 7);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_NE(r.messages[0].text.find("vzestupně"), std::string::npos);
    }
}

TEST(SpectralVectorOps, NormalisePeakAxisTrapezoidIntegralElementWiseOperationsAndMismatches)
{
    RecordingReporter r;
    SpectralVector a = {-2, 1, 0.5}, b = {3, 3, 3}, c = {0}, d = {-7}, empty;
    for (SpectralVector* f : {&a, &b, &c, &d, &empty}) EXPECT_TRUE(NormalisePeak(*f, r));
    EXPECT_EQ(a, SpectralVector({-1, 0.5, 0.25}));
    EXPECT_EQ(b, SpectralVector({1, 1, 1}));
    EXPECT_TRUE(c == SpectralVector({1}) && d == SpectralVector({1}));
    EXPECT_TRUE(empty.empty() && r.messages.empty());
    SpectralVector zeros(64, 0.0);
    EXPECT_FALSE(NormalisePeak(zeros, r));
    EXPECT_EQ(zeros, SpectralVector(64, 0.0));
    EXPECT_EQ(r.messages.size(), 1u);
    r.messages.clear();
    SpectralVector subnormal = {-1e-320, 0.0, 5e-321};  // 1 / 1e-320 overflows
    EXPECT_TRUE(NormalisePeak(subnormal, r));
    EXPECT_EQ(subnormal, SpectralVector({-1, 0, 0.5}));

    EXPECT_EQ(BandIntegral({1, 2, 3}, {0, 1, 3}, r), 6.5);  // 1.5 x 1 + 2.5 x 2
    EXPECT_EQ(Multiply({1, 2, 3}, {2, 0.5, -1}, r), SpectralVector({2, 1, -3}));
    EXPECT_EQ(Add({1, 2, 3}, {2, 0.5, -1}, r), SpectralVector({3, 2.5, 2}));
    EXPECT_TRUE(r.messages.empty());

    const SpectralVector product = Multiply(SpectralVector(64, 1.0), {}, r);
    EXPECT_TRUE(product.empty());
    EXPECT_EQ(BandIntegral(product, SpectralVector(64, 1.0), r), 0.0);
    EXPECT_EQ(BandIntegral({1, 2}, {0, 1, 3}, r), 0.0);
    EXPECT_TRUE(Add({1}, {1, 2}, r).empty());
    EXPECT_EQ(Texts(r), (std::vector<std::string>{"Neodpovídají rozměry polí pro násobení.", "Neodpovídá počet pásem pro integraci.",
                                               "Neodpovídá počet pásem pro integraci.", "Neodpovídají rozměry polí pro sčítání."}));
}
