#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <tuple>

#include "crown_samples.h"
#include "crowns/boundary.h"
#include "crowns/connection.h"
#include "crowns/crown_chain.h"
#include "crowns/moves.h"
#include "crowns/neighbours.h"
#include "crowns/network_pictures.h"
#include "crowns/voronoi.h"

using namespace lumera;
using lumera::testing::TwoCrowns;

namespace {

TNetwork Network(const std::vector<std::pair<int, int>>& positions)
{
    TNetwork network;
    for (const auto& [x, y] : positions) network.push_back(TMBod{x, y, 0.0, 0.0, 0, {}});
    return network;
}

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

TCrownChainSettings Box3()
{
    TCrownChainSettings settings;
    settings.Filter = NormalizeFilter(OnesFilter(3), '.');
    return settings;
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
    TNetwork extremes = Network({{INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN + 1},
                                 {INT32_MIN, INT32_MAX}, {INT32_MAX - 1, INT32_MAX}, {INT32_MAX, INT32_MAX}});
    TNetwork plain = extremes;
    FindNeighbours(extremes);
    FindNeighboursAllPairs(plain);
    EXPECT_EQ(extremes, plain);
    EXPECT_EQ(extremes[0].Neighbours, std::vector<int32_t>{2});
}

// Ends, junctions and two neighbours on one pixel (no chord) keep (0, 0).
TEST(Neighbours, ChainPointsGetTheNormalOfTheirChord)
{
    const double h = 1 / std::sqrt(2.0);
    const struct {
        std::vector<std::pair<int, int>> points;
        int point;
        double x, y;
    } cases[] = {{{{5, 5}, {6, 5}, {7, 5}}, 1, 0.0, -1.0}, {{{5, 5}, {6, 5}, {7, 5}}, 0, 0.0, 0.0},
                 {{{5, 5}, {6, 6}, {7, 7}}, 1, h, -h},      {{{5, 5}, {6, 6}, {7, 5}, {6, 7}}, 1, 0.0, 0.0},
                 {{{5, 5}, {6, 5}, {5, 5}}, 1, 0.0, 0.0}};
    for (const auto& c : cases) {
        TNetwork network = Network(c.points);
        FindNeighbours(network);
        ComputeNormals(network);
        EXPECT_DOUBLE_EQ(network[c.point].NormalX, c.x) << c.points.size() << " " << c.point;
        EXPECT_DOUBLE_EQ(network[c.point].NormalY, c.y) << c.points.size() << " " << c.point;
    }
}

// Inside, a pixel beside a larger label in any of four directions; on the
// picture's edges, only the next pixel along the edge counts.
TEST(Boundary, PixelsBesideALargerLabelInsideThenAlongEachEdge)
{
    TTreeMatrix labels(3, 3);
    labels.Values = {2, 2, 1,
                     2, 2, 1,
                     3, 3, 4};
    std::vector<std::pair<int, int>> points;
    for (const TMBod& p : ExtractBoundary(labels)) points.emplace_back(p.X, p.Y);
    EXPECT_EQ(points, (std::vector<std::pair<int, int>>{{1, 1}, {0, 1}, {2, 1}, {1, 2}}));

    TTreeMatrix column(1, 3);  // its left and right edges are the same pixels, taken once
    column.Values = {1, 2, 2};
    EXPECT_EQ(ExtractBoundary(column).size(), 1u);

    Bitmap network(3, 2);  // a drawn network: its non-black pixels, row by row
    network.ScanLine(1)[0] = 1;
    const TNetwork drawn = BoundaryFromPicture(network);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(std::make_pair(drawn[0].X, drawn[0].Y), std::make_pair(0, 1));
}

TEST(Voronoi, BlockSearchEqualsTheExhaustiveDefinition)
{
    std::mt19937 rng(11);
    for (int run = 0; run < 400; ++run) {
        const int w = std::uniform_int_distribution<int>(1, 70)(rng), h = std::uniform_int_distribution<int>(1, 70)(rng);
        // A coarse lattice and a small spread make equal distances and
        // coincident maxima common; some maxima lie outside the picture.
        const int lattice = std::uniform_int_distribution<int>(1, 6)(rng);
        std::uniform_int_distribution<int> column(-10 / lattice, (w + 10) / lattice), row(-10 / lattice, (h + 10) / lattice);
        TExtremaList maxima(std::uniform_int_distribution<std::size_t>(0, 60)(rng));
        for (TExtremum& m : maxima) m = {column(rng) * lattice, row(rng) * lattice};
        ASSERT_EQ(VoronoiLabels(maxima, w, h).Values, VoronoiLabelsExhaustive(maxima, w, h).Values) << "run " << run;
    }
    const TExtremaList far = {{INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MAX}, {5, 1'000'000'000}};
    EXPECT_EQ(VoronoiLabels(far, 30, 20).Values, VoronoiLabelsExhaustive(far, 30, 20).Values);

    // Areas in the false colours of the ramp (blue, green, red in the picture); labels past it pale.
    Bitmap areas;
    PaintVoronoiAreas(areas, lumera::testing::Trees("0123"), 3, [](int) {});
    const std::vector<uint8_t>& b = areas.Bytes();
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 12),
              (std::vector<uint8_t>{229, 166, 254, 36, 185, 1, 44, 163, 141, 249, 242, 237}));
}

TEST(Moves, ChainPointsWalkDownhillAlongTheNormal)
{
    ASSERT_EQ(VerticalChain(5)[1].NormalX, 1.0);
    const std::vector<double> ramp = {100, 99, 98, 97, 96, 95, 94, 93, 92, 91, 90}, plateau(11, 7.0);
    const struct {
        std::vector<double> values;
        std::optional<int> limit;
        int from, to;
    } cases[] = {
        {{5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5}, std::nullopt, 5, 5},
        {{9, 9, 9, 1, 3, 5, 3, 0, 9, 9, 9}, std::nullopt, 5, 3},  // p = m: against the normal
        {ramp, std::nullopt, 5, 9},                               // stops inside the frame
        {{100, 99, 98, 97, 96, 95, 94, 93, 99, 91, 90}, std::nullopt, 5, 7},
        {{9, 9, 9, 9, 4, 5, 6, 0, 9, 9, 9}, std::nullopt, 5, 4},  // the side decided by the next pixels only
        {plateau, std::nullopt, 5, 1}, {plateau, 3, 5, 2}, {ramp, 3, 5, 8}, {ramp, 9, 5, 9},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, std::nullopt, 1, 1},  // left is outside the frame
        {ramp, std::nullopt, 0, 0},                               // on the edge
    };
    for (const auto& c : cases) EXPECT_EQ(MovedColumn(c.values, c.limit, c.from), c.to) << c.from << " to " << c.to;

    TNetwork middleLast;  // the point that walks is the network's last
    for (int y : {4, 6, 5}) middleLast.push_back(TMBod{5, y, 0.0, 0.0, 0, {}});
    FindNeighbours(middleLast);
    ComputeNormals(middleLast);
    EXPECT_EQ(MovePoints(middleLast, Columns(ramp), std::nullopt)[2].X, 9);
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
    EXPECT_EQ(MovePoints(star, flat, std::nullopt)[3], Point(11, 11, {0, 1, 2}));

    // Halves round to the even neighbour: 10.5 to 10, 11.5 to 12.
    TNetwork halves = {Point(10, 11, {}), Point(11, 12, {}), Point(0, 0, {0, 1, 0, 1})};
    EXPECT_EQ(MovePoints(halves, flat, std::nullopt)[2], Point(10, 12, {0, 1, 0, 1}));

    // Three passes in index order, each reading the positions already moved.
    TNetwork pair = {Point(9, 1, {}), Point(5, 0, {}), Point(0, 0, {}), Point(10, 8, {0, 1, 4}), Point(0, 6, {2, 3, 1})};
    const TNetwork moved = MovePoints(pair, flat, std::nullopt);
    EXPECT_EQ(std::make_pair(moved[3].X, moved[3].Y), std::make_pair(6, 0));
    EXPECT_EQ(std::make_pair(moved[4].X, moved[4].Y), std::make_pair(4, 0));
}

TEST(Connection, LinksAreTheRoundedPointsOfTheSegmentAndMovedPointsShowChainsBlue)
{
    // k = 0 ... 4: rows R(0), R(0.5), R(1), R(1.5), R(2) = 0, 0, 1, 2, 2.
    EXPECT_EQ(Link(0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}}));
    // Backwards the halves round from the other end: 2 + R(-0.5) = 2, 2 + R(-1.5) = 0.
    EXPECT_EQ(Link(4, 2, 0, 0), (Pixels{{4, 2}, {3, 2}, {2, 1}, {1, 0}, {0, 0}}));
    EXPECT_EQ(Link(1, 1, 3, 8), (Pixels{{1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {3, 7}, {3, 8}}));
    EXPECT_EQ(Link(5, 5, 5, 5), (Pixels{{5, 5}}));
    EXPECT_EQ(Link(-2, 1, 2, 1, 2, 3), (Pixels{{0, 1}, {1, 1}}));  // clipped

    // Moved points: chains blue, the rest green.
    Bitmap picture(4, 1);
    picture.Fill(9, 9, 9);
    PaintMovedPoints(picture, {{0, 0, 0.0, 0.0, 2, {1, 2}}, {1, 0, 0.0, 0.0, 3, {0, 2, 3}}, {7, 0, 0.0, 0.0, 1, {0}}});
    EXPECT_EQ(std::vector<uint8_t>(picture.Bytes().begin(), picture.Bytes().end()),
              (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 9, 9, 9, 9, 9, 9}));
    PaintNetworkPoints(picture, {{3, 0, 0.0, 0.0, 0, {}}, {-1, 0, 0.0, 0.0, 0, {}}}, kNetworkBlue);
    EXPECT_EQ(picture.ScanLine(0)[9], 255);
}

TEST(CrownChain, TheNetworkMovesOntoTheGapAndSplitsTheTrees)
{
    const Bitmap picture = TwoCrowns();
    for (int cycles : {0, 2}) {
        TCrownChainSettings settings = Box3();
        settings.Cycles = cycles;
        const TCrownChainResult r = RunCrownChain({{8, 10}, {30, 10}}, picture, picture, settings);
        EXPECT_EQ(r.State.VoroMatrix.At(19, 10), 0);
        ASSERT_EQ(r.FirstNetwork.size(), 20u);
        EXPECT_EQ(std::make_tuple(r.FirstNetwork[5].X, std::abs(r.FirstNetwork[5].NormalX), r.FirstMoves[5].X),
                  std::make_tuple(19, 1.0, 23));
        const TTreeMatrix& trees = *r.State.TreeMatrix;
        EXPECT_EQ(std::make_tuple(trees.At(22, 10), trees.At(23, 10), trees.At(24, 10)), std::make_tuple(1, -1, 2));
        EXPECT_EQ(r.Network.ScanLine(10)[3 * 23], 255);
        EXPECT_EQ(r.Overlay.ScanLine(10)[3 * 22 + 1], picture.ScanLine(10)[3 * 22 + 1]);
        EXPECT_EQ(r.Overlay.ScanLine(10)[3 * 22], 0);
        EXPECT_TRUE(cycles != 0 || r.Network == r.FirstConnection);
        settings.Filter.Texts[4].assign(1, 'x');  // an unusable filter stops before anything is computed
        EXPECT_THROW(RunCrownChain({{8, 10}}, picture, picture, settings), FilterCellError);
    }
}
