#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "crowns/boundary.h"
#include "crowns/neighbours.h"
#include "crowns/voronoi.h"

using namespace lumera;

namespace {

TNetwork Network(const std::vector<std::pair<int, int>>& positions)
{
    TNetwork network;
    for (const auto& [x, y] : positions) network.push_back(TMBod{x, y, 0.0, 0.0, 0, {}});
    return network;
}

}  // namespace

TEST(Neighbours, PositionIndexGivesTheAllPairsLists)
{
    std::mt19937 rng(5);
    for (int run = 0; run < 200; ++run) {
        // Dense small areas give many touching and some coincident points.
        const int side = std::uniform_int_distribution<int>(1, 12)(rng);
        std::uniform_int_distribution<int> coordinate(-side, side);
        TNetwork network(std::uniform_int_distribution<std::size_t>(0, 80)(rng));
        for (TMBod& p : network) p = TMBod{coordinate(rng), coordinate(rng), 0.0, 0.0, 0, {}};
        TNetwork indexed = network;
        FindNeighbours(indexed);
        FindNeighboursAllPairs(network);
        ASSERT_EQ(indexed, network) << "run " << run;
    }
    // A Voronoi network in shuffled order.
    TExtremaList tops(60);
    for (TExtremum& top : tops) top = {std::uniform_int_distribution<int>(0, 99)(rng), std::uniform_int_distribution<int>(0, 99)(rng)};
    TNetwork network = ExtractBoundary(VoronoiLabels(tops, 100, 100));
    std::shuffle(network.begin(), network.end(), rng);
    TNetwork indexed = network;
    FindNeighbours(indexed);
    FindNeighboursAllPairs(network);
    EXPECT_EQ(indexed, network);
    TNetwork extremes = Network({{INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN + 1},
                                 {INT32_MIN, INT32_MAX}, {INT32_MAX - 1, INT32_MAX}, {INT32_MAX, INT32_MAX}});
    TNetwork plain = extremes;
    FindNeighbours(extremes);
    FindNeighboursAllPairs(plain);
    EXPECT_EQ(extremes, plain);
    EXPECT_EQ(extremes[0].Neighbours, std::vector<int32_t>{2});
}

TEST(Neighbours, ChainPointsGetTheNormalOfTheirChord)
{
    TNetwork row = Network({{5, 5}, {6, 5}, {7, 5}});
    FindNeighbours(row);
    EXPECT_EQ(row[1].Neighbours, (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(row[1].NeighbourCount, 2);
    ComputeNormals(row);
    EXPECT_EQ(row[1].NormalX, 0.0);
    EXPECT_EQ(row[1].NormalY, -1.0);
    EXPECT_EQ(row[0].NormalX, 0.0);  // an end keeps (0, 0)
    EXPECT_EQ(row[0].NormalY, 0.0);

    TNetwork diagonal = Network({{5, 5}, {6, 6}, {7, 7}});
    FindNeighbours(diagonal);
    ComputeNormals(diagonal);
    EXPECT_DOUBLE_EQ(diagonal[1].NormalX, 1 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(diagonal[1].NormalY, -1 / std::sqrt(2.0));

    TNetwork junction = Network({{5, 5}, {6, 6}, {7, 5}, {6, 7}});
    FindNeighbours(junction);
    EXPECT_EQ(junction[1].NeighbourCount, 3);
    ComputeNormals(junction);
    EXPECT_EQ(junction[1].NormalX, 0.0);
    EXPECT_EQ(junction[1].NormalY, 0.0);

    // Two neighbours on one pixel have no chord: the normal stays 0.
    TNetwork doubled = Network({{5, 5}, {6, 5}, {5, 5}});
    FindNeighbours(doubled);
    ComputeNormals(doubled);
    EXPECT_EQ(doubled[1].NormalX, 0.0);
    EXPECT_EQ(doubled[1].NormalY, 0.0);
}
