#include <gtest/gtest.h>

#include <set>

#include "crowns/connection.h"
#include "crowns/network_pictures.h"

using namespace lumera;

namespace {

using Pixels = std::set<std::pair<int, int>>;

// The pixels whose blue byte is 255; checks that nothing else is painted.
Pixels BluePixels(const Bitmap& picture)
{
    Pixels blue;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const uint8_t* px = picture.ScanLine(y) + 3 * x;
            EXPECT_EQ(px[1], 0);
            EXPECT_EQ(px[2], 0);
            EXPECT_TRUE(px[0] == 0 || px[0] == 255);
            if (px[0] == 255) blue.emplace(x, y);
        }
    return blue;
}

Pixels Link(int x0, int y0, int x1, int y1, int width = 12, int height = 12)
{
    Bitmap picture(width, height);
    DrawLink(picture, x0, y0, x1, y1, kNetworkBlue);
    return BluePixels(picture);
}

}  // namespace

TEST(Connection, LinksAreTheRoundedPointsOfTheSegment)
{
    // k = 0 ... 4: rows R(0), R(0.5), R(1), R(1.5), R(2) = 0, 0, 1, 2, 2.
    EXPECT_EQ(Link(0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}}));
    // Backwards the halves round from the other end: 2 + R(-0.5) = 2, 2 + R(-1.5) = 0.
    EXPECT_EQ(Link(4, 2, 0, 0), (Pixels{{4, 2}, {3, 2}, {2, 1}, {1, 0}, {0, 0}}));
    EXPECT_EQ(Link(1, 1, 3, 8), (Pixels{{1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {3, 7}, {3, 8}}));
    EXPECT_EQ(Link(5, 5, 5, 5), (Pixels{{5, 5}}));
    EXPECT_EQ(Link(-2, 1, 2, 1, 2, 3), (Pixels{{0, 1}, {1, 1}}));  // clipped
}

TEST(Connection, DrawsEachLinkOnceOnABlackPictureOfTheFilteredSize)
{
    TNetwork moved = {{1, 1, 0.0, 0.0, 1, {2}}, {8, 1, 0.0, 0.0, 0, {}}, {1, 4, 0.0, 0.0, 2, {0, 3}},
                      {5, 6, 0.0, 0.0, 1, {2}}, {30, 30, 0.0, 0.0, 0, {}}};
    Bitmap picture = Bitmap(3, 3);
    picture.Fill(255, 255, 255);
    ConnectNetwork(picture, moved, 10, 8);
    ASSERT_EQ(picture.Width(), 10);
    ASSERT_EQ(picture.Height(), 8);
    Pixels expected{{8, 1}};
    for (const auto& p : Link(1, 4, 1, 1)) expected.insert(p);
    for (const auto& p : Link(5, 6, 1, 4)) expected.insert(p);
    EXPECT_EQ(BluePixels(picture), expected);
}

TEST(Connection, MovedPointsShowChainsBlueAndTheRestGreen)
{
    Bitmap picture(4, 1);
    picture.Fill(9, 9, 9);
    PaintMovedPoints(picture, {{0, 0, 0.0, 0.0, 2, {1, 2}}, {1, 0, 0.0, 0.0, 3, {0, 2, 3}}, {7, 0, 0.0, 0.0, 1, {0}}});
    EXPECT_EQ(std::vector<uint8_t>(picture.Bytes().begin(), picture.Bytes().end()),
              (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 9, 9, 9, 9, 9, 9}));
    PaintNetworkPoints(picture, {{3, 0, 0.0, 0.0, 0, {}}, {-1, 0, 0.0, 0.0, 0, {}}}, kNetworkBlue);
    EXPECT_EQ(picture.ScanLine(0)[9], 255);
}
