#include <gtest/gtest.h>

#include <cmath>

#include "recording_reporter.h"
#include "spectral/numerics.h"

using namespace lumera;
using lumera::testing::RecordingReporter;

namespace {

std::vector<std::string> Texts(const RecordingReporter& r)
{
    std::vector<std::string> texts;
    for (const auto& m : r.messages) texts.push_back(m.text);
    return texts;
}

const std::string kSingular = "Matice je singulární!";
const std::string kFailed = "Gausova eliminace selhala, vráceno nulové řešení.";

}  // namespace

TEST(SolveLinear, OneUnknownSkipsTheForwardLoop)
{
    RecordingReporter r;
    EXPECT_EQ(SolveLinear({{2.0}}, {4.0}, r), Vector({2.0}));
    EXPECT_TRUE(r.messages.empty());
}

TEST(SolveLinear, ZeroLeadingPivotSwapsRows)
{
    RecordingReporter r;
    const Matrix a = {{0, 1}, {1, 0}};
    EXPECT_EQ(SolveLinear(a, {3, 5}, r), Vector({5, 3}));
    EXPECT_EQ(a, Matrix({{0, 1}, {1, 0}}));  // inputs untouched
}

// Equal rows give a zero pivot; so does a system whose last pivot only
// becomes 0 after the forward elimination, which is reported rather than
// divided by.
TEST(SolveLinear, SingularSystemsShowTwoMessagesAndGiveZeros)
{
    for (const auto& [a, b] : std::vector<std::pair<Matrix, Vector>>{
             {{{1, 2}, {1, 2}}, {3, 3}}, {{{2, 1}, {4, 2}}, {1, 5}}, {{{0.0}}, {1.0}}}) {
        RecordingReporter r;
        EXPECT_EQ(SolveLinear(a, b, r), Vector(b.size(), 0.0));
        EXPECT_EQ(Texts(r), std::vector<std::string>({kSingular, kFailed}));
    }
}

TEST(SolveLinear, OverflowingSolutionGivesZeros)
{
    RecordingReporter r;
    EXPECT_EQ(SolveLinear({{1e-300, 0}, {0, 1}}, {1e300, 1}, r), Vector({0, 0}));
    EXPECT_EQ(Texts(r), std::vector<std::string>({kFailed}));
}

TEST(SolveLinear, DimensionMismatchGivesZeros)
{
    RecordingReporter r;
    EXPECT_EQ(SolveLinear({{1, 2, 3}, {4, 5, 6}}, {1, 2}, r), Vector({0, 0}));
    EXPECT_EQ(Texts(r), std::vector<std::string>({"Nesrovnalost v rozměrech vstupů, vráceno nulové řešení."}));
}

TEST(GaussianElimination, PivotIsTheFirstRowOfLargestMagnitude)
{
    EXPECT_EQ(PivotRow({{2, 0}, {-2, 0}, {1, 0}}, 0), 0);
    EXPECT_EQ(PivotRow({{1, 0}, {-2, 0}, {2, 0}}, 0), 1);
    EXPECT_EQ(PivotRow({{9, 1}, {0, 1}, {0, -3}}, 1), 2);
}

TEST(EvaluateSpline, ThreePointArchHasKnownCurvature)
{
    RecordingReporter r;
    std::vector<SplinePoint> q = {{0.5, 0}, {1.0, 0}, {1.5, 0}};
    ASSERT_TRUE(EvaluateSpline({{0, 0}, {1, 1}, {2, 0}}, q, r));
    EXPECT_EQ(q[0].Y, 0.6875);  // with M = (0, -3, 0)
    EXPECT_EQ(q[1].Y, 1.0);
    EXPECT_EQ(q[2].Y, 0.6875);
    EXPECT_TRUE(r.messages.empty());
}

TEST(EvaluateSpline, StraightLineIsReproducedExactly)
{
    RecordingReporter r;
    std::vector<SplinePoint> samples;
    for (int i = 0; i < 20; ++i) samples.push_back({double(i), 3.0 * i - 7});
    std::vector<SplinePoint> q;
    for (double x = 0.25; x < 19; x += 1.5) q.push_back({x, 0});
    ASSERT_TRUE(EvaluateSpline(samples, q, r));
    for (const auto& p : q) EXPECT_DOUBLE_EQ(p.Y, 3.0 * p.X - 7) << p.X;
}

TEST(EvaluateSpline, QueriesOutsideTheSamples)
{
    RecordingReporter r;
    std::vector<SplinePoint> q = {{-1, 9}, {5, 9}};
    ASSERT_TRUE(EvaluateSpline({{0, 0}, {1, 1}, {2, 0}}, q, r));
    // Below the first sample the first interval's cubic goes on: a negative t
    // gives a negative cube.
    EXPECT_EQ(q[0].Y, -1.0);
    EXPECT_EQ(q[1].Y, 9);  // above the last sample: not evaluated
}

TEST(EvaluateSpline, SamplesNotAscendingAreRefused)
{
    for (const std::vector<SplinePoint>& samples :
         {std::vector<SplinePoint>{{0, 0}, {0, 1}, {1, 0}}, std::vector<SplinePoint>{{1, 0}, {0, 1}},
          std::vector<SplinePoint>{{0, 0}, {NAN, 1}}}) {
        RecordingReporter r;
        std::vector<SplinePoint> q = {{0.5, 7}};
        EXPECT_FALSE(EvaluateSpline(samples, q, r));
        EXPECT_EQ(q[0].Y, 7);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_NE(r.messages[0].text.find("vzestupně"), std::string::npos);
    }
}
