#include <gtest/gtest.h>

#include "crowns/moves.h"
#include "crowns/neighbours.h"

using namespace lumera;

namespace {

// An 11 x 11 filtered image whose value depends on the column only.
TMatice Columns(const std::vector<double>& values)
{
    TMatice f(11, 11);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) f.At(x, y) = values[std::size_t(x)];
    return f;
}

// A vertical chain of three points in column x; the middle one, (x, 5), has
// the normal (1, 0), pointing right.
TNetwork VerticalChain(int x)
{
    TNetwork chain;
    for (int y = 4; y <= 6; ++y) chain.push_back(TMBod{x, y, 0.0, 0.0, 0, {}});
    FindNeighbours(chain);
    ComputeNormals(chain);
    return chain;
}

// Where the middle point of the chain in column x ends.
int MovedColumn(const std::vector<double>& values, std::optional<int> limit, int x = 5)
{
    const TNetwork moved = MovePoints(VerticalChain(x), Columns(values), limit);
    EXPECT_EQ(moved[1].Y, 5);
    EXPECT_EQ(moved[0].X, x);  // chain ends stay
    return moved[1].X;
}

TMBod Point(int x, int y, std::vector<int32_t> neighbours)
{
    const auto count = static_cast<int32_t>(neighbours.size());
    return TMBod{x, y, 0.0, 0.0, count, std::move(neighbours)};
}

}  // namespace

TEST(Moves, ChainPointsWalkDownhillAlongTheNormal)
{
    ASSERT_EQ(VerticalChain(5)[1].NormalX, 1.0);
    const std::vector<double> valley = {5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5};
    const std::vector<double> equalSides = {9, 9, 9, 1, 3, 5, 3, 0, 9, 9, 9};
    const std::vector<double> rampRight = {100, 99, 98, 97, 96, 95, 94, 93, 92, 91, 90};
    std::vector<double> rampWithRise = rampRight;
    rampWithRise[8] = 99;
    const std::vector<double> plateau(11, 7.0);
    EXPECT_EQ(MovedColumn(valley, std::nullopt), 5);
    EXPECT_EQ(MovedColumn(equalSides, std::nullopt), 3);  // p = m: against the normal
    EXPECT_EQ(MovedColumn(rampRight, std::nullopt), 9);   // stops inside the frame
    EXPECT_EQ(MovedColumn(rampWithRise, std::nullopt), 7);
    EXPECT_EQ(MovedColumn(plateau, std::nullopt), 1);
    EXPECT_EQ(MovedColumn(plateau, 3), 2);
    EXPECT_EQ(MovedColumn(rampRight, 3), 8);
    EXPECT_EQ(MovedColumn(rampRight, 9), 9);
    EXPECT_EQ(MovedColumn({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, std::nullopt, 1), 1);  // left is outside the frame
    EXPECT_EQ(MovedColumn(rampRight, std::nullopt, 0), 0);  // on the edge
}

TEST(Moves, PointsWithoutNormalOrOutsideTheImageStay)
{
    TNetwork chain = VerticalChain(5);
    chain[1].NormalX = 0.0;  // rebuilt network, directions not yet computed
    const TMatice plateau = Columns(std::vector<double>(11, 7.0));
    EXPECT_EQ(MovePoints(chain, plateau, std::nullopt)[1].X, 5);
    EXPECT_EQ(MovePoints(VerticalChain(40), plateau, std::nullopt)[1].X, 40);
    EXPECT_EQ(MovePoints(VerticalChain(5), TMatice(), std::nullopt)[1].X, 5);
    TNetwork longNormal = VerticalChain(9);
    longNormal[1].NormalX = 2.0;  // its first step would leave the image
    EXPECT_EQ(MovePoints(longNormal, plateau, std::nullopt)[1].X, 9);

    const TNetwork moved = MovePoints(VerticalChain(5), plateau, 2);
    EXPECT_EQ(moved[1], (TMBod{3, 5, 0.0, 0.0, 2, {0, 2}}));
}

TEST(Moves, JunctionsTakeTheRoundedMeanOfTheirNeighbours)
{
    const TMatice flat = Columns(std::vector<double>(11, 0.0));
    TNetwork star = {Point(10, 10, {3}), Point(12, 10, {3}), Point(11, 13, {3}), Point(0, 0, {0, 1, 2})};
    EXPECT_EQ(MovePoints(star, flat, std::nullopt)[3].X, 11);
    EXPECT_EQ(MovePoints(star, flat, std::nullopt)[3].Y, 11);

    // Halves round to the even neighbour: 10.5 to 10, 11.5 to 12.
    TNetwork halves = {Point(10, 11, {}), Point(11, 12, {}), Point(0, 0, {0, 1, 0, 1})};
    EXPECT_EQ(MovePoints(halves, flat, std::nullopt)[2].X, 10);
    EXPECT_EQ(MovePoints(halves, flat, std::nullopt)[2].Y, 12);

    // Three passes in index order, each reading the positions already moved.
    TNetwork pair = {Point(9, 1, {}), Point(5, 0, {}), Point(0, 0, {}), Point(10, 8, {0, 1, 4}), Point(0, 6, {2, 3, 1})};
    const TNetwork moved = MovePoints(pair, flat, std::nullopt);
    EXPECT_EQ(std::make_pair(moved[3].X, moved[3].Y), std::make_pair(6, 0));
    EXPECT_EQ(std::make_pair(moved[4].X, moved[4].Y), std::make_pair(4, 0));
}
