#include <gtest/gtest.h>

#include "imaging/detail.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

const uint8_t* Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y) + 3 * x; }

// A 61 x 61 grey source whose level at (x, y) is level(x, y), magnified about its centre.
template <typename F>
Bitmap DetailOfGreys(F level)
{
    Bitmap source(61, 61), detail;
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 61; ++x) std::fill_n(source.ScanLine(y) + 3 * x, 3, static_cast<uint8_t>(level(x, y)));
    EXPECT_TRUE(ShowDetail(source, detail, 30, 30));
    return detail;
}

}  // namespace

TEST(ShowDetail, CentreMovesInsideTheSource)
{
    const Bitmap source = PatternPicture(400, 400);
    Bitmap a, b, far;
    ASSERT_TRUE(ShowDetail(source, a, 0, 0));
    ASSERT_TRUE(ShowDetail(source, b, 30, 30));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Width(), 241);
    EXPECT_EQ(a.Height(), 241);
    ASSERT_TRUE(ShowDetail(source, far, 399, 399));
    // Detail pixel (4a, 4b) is source pixel (cx - 30 + a, cy - 30 + b), centre (369, 369).
    for (int a = 0; a <= 60; a += 10)
        for (int b = 0; b <= 60; b += 15)
            for (int k = 0; k < 3; ++k) EXPECT_EQ(Pixel(far, 4 * a, 4 * b)[k], Pixel(source, 339 + a, 339 + b)[k]);
}

TEST(ShowDetail, BlendsRoundTiesToEvenAlsoAlongTheRightAndBottomEdges)
{
    // Column 0 holds 10, the rest 13: 10, 10.75, 11.5, 12.25, 13 across each row.
    const Bitmap step = DetailOfGreys([](int x, int) { return x == 0 ? 10 : 13; });
    for (int row : {0, 100, 240})
        for (int u = 0; u < 5; ++u) EXPECT_EQ(Pixel(step, u, row)[1], (std::array{10, 11, 12, 12, 13}[u])) << row;
    const Bitmap ramp = DetailOfGreys([](int x, int y) { return 4 * x + y; });
    // Right column: source column 60, rows 0 and 1 hold 240 and 241.
    EXPECT_EQ(Pixel(ramp, 240, 0)[0], 240);
    EXPECT_EQ(Pixel(ramp, 240, 2)[0], 240);  // 240.5, tie to even
    EXPECT_EQ(Pixel(ramp, 240, 3)[0], 241);  // 240.75
    // Bottom row: source row 60, columns 0 and 1 hold 60 and 64; its last pixel is the corner, copied.
    EXPECT_EQ(Pixel(ramp, 1, 240)[0], 61);
    EXPECT_EQ(Pixel(ramp, 2, 240)[0], 62);
    EXPECT_EQ(Pixel(ramp, 240, 240)[0], static_cast<uint8_t>(4 * 60 + 60));
}

TEST(ShowDetail, SmallSourceIsNotMagnified)
{
    Bitmap detail(241, 241);
    detail.Fill(1, 2, 3);
    const Bitmap before = detail;
    EXPECT_FALSE(ShowDetail(Bitmap(60, 400), detail, 10, 10));
    EXPECT_FALSE(ShowDetail(Bitmap(400, 60), detail, 10, 10));
    EXPECT_FALSE(ShowDetail(Bitmap(), detail, 10, 10));
    EXPECT_EQ(detail, before);
}

TEST(DetailRangeText, LabelOfARaisedClick)
{
    EXPECT_EQ(DetailRangeText(100, 30), "70-130x0-60");
    EXPECT_EQ(DetailRangeText(30, 30), "0-60x0-60");
}

TEST(RampColour, KnownColours)
{
    using C = std::array<uint8_t, 3>;
    EXPECT_EQ(RampColour(0, 1), (C{254, 166, 229}));
    EXPECT_EQ(RampColour(0, 250), (C{254, 166, 229}));
    EXPECT_EQ(RampColour(1, 10), (C{1, 149, 252}));
    EXPECT_EQ(RampColour(5, 10), (C{247, 3, 43}));
    EXPECT_EQ(RampColour(10, 10), (C{237, 242, 249}));
    EXPECT_EQ(RampColour(11, 10), (C{237, 242, 249}));
}
