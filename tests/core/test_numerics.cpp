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

}  // namespace

TEST(SolveLinear, OneUnknownAndZeroLeadingPivotThatSwapsRows)
{
    RecordingReporter r;
    EXPECT_EQ(SolveLinear({{2.0}}, {4.0}, r), Vector({2.0}));
    const Matrix a = {{0, 1}, {1, 0}};
    EXPECT_EQ(SolveLinear(a, {3, 5}, r), Vector({5, 3}));
    EXPECT_EQ(a, Matrix({{0, 1}, {1, 0}}));  // inputs untouched
    EXPECT_TRUE(r.messages.empty());
    // The pivot is the first row of largest magnitude.
    EXPECT_EQ(PivotRow({{2, 0}, {-2, 0}, {1, 0}}, 0), 0);
    EXPECT_EQ(PivotRow({{1, 0}, {-2, 0}, {2, 0}}, 0), 1);
    EXPECT_EQ(PivotRow({{9, 1}, {0, 1}, {0, -3}}, 1), 2);
}

// Equal rows give a zero pivot; so does a system whose last pivot only becomes
// 0 after the forward elimination, which is reported rather than divided by.
// A solution that overflows and inputs of unequal sizes give zeros as well.
TEST(SolveLinear, SingularOverflowingOrMismatchedSystemsGiveZerosAndSaySo)
{
    const std::string singular = "Matice je singulární!", failed = "Gausova eliminace selhala, vráceno nulové řešení.";
    const struct {
        Matrix a;
        Vector b;
        std::vector<std::string> messages;
    } cases[] = {
        {{{1, 2}, {1, 2}}, {3, 3}, {singular, failed}},
        {{{2, 1}, {4, 2}}, {1, 5}, {singular, failed}},
        {{{0.0}}, {1.0}, {singular, failed}},
        {{{1e-300, 0}, {0, 1}}, {1e300, 1}, {failed}},
        {{{1, 2, 3}, {4, 5, 6}}, {1, 2}, {"Nesrovnalost v rozměrech vstupů, vráceno nulové řešení."}},
    };
    for (const auto& c : cases) {
        RecordingReporter r;
        EXPECT_EQ(SolveLinear(c.a, c.b, r), Vector(c.b.size(), 0.0));
        EXPECT_EQ(Texts(r), c.messages);
    }
}

TEST(EvaluateSpline, ThreePointArchStraightLineAndQueriesOutsideTheSamples)
{
    RecordingReporter r;
    std::vector<SplinePoint> q = {{-1, 9}, {0.5, 0}, {1.0, 0}, {1.5, 0}, {2.0, 9}, {5, 9}};
    ASSERT_TRUE(EvaluateSpline({{0, 0}, {1, 1}, {2, 0}}, q, r));
    EXPECT_EQ(q[1].Y, 0.6875);  // with M = (0, -3, 0)
    EXPECT_EQ(q[2].Y, 1.0);
    EXPECT_EQ(q[3].Y, 0.6875);
    EXPECT_EQ(q[0].Y, -1.0);  // below the first sample the first cubic goes on, a negative t cubed
    EXPECT_EQ(q[4].Y, 0.0);   // the last sample itself is evaluated
    EXPECT_EQ(q[5].Y, 9);     // above it: not evaluated

    std::vector<SplinePoint> line, queries;
    for (int i = 0; i < 20; ++i) line.push_back({double(i), 3.0 * i - 7});
    for (double x = 0.25; x < 19; x += 1.5) queries.push_back({x, 0});
    ASSERT_TRUE(EvaluateSpline(line, queries, r));
    for (const auto& p : queries) EXPECT_DOUBLE_EQ(p.Y, 3.0 * p.X - 7) << p.X;
    EXPECT_TRUE(r.messages.empty());
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
