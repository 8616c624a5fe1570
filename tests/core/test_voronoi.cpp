#include <gtest/gtest.h>

#include <random>

#include "crowns/boundary.h"
#include "crowns/voronoi.h"
#include "imaging/detail.h"

using namespace lumera;

namespace {

std::vector<std::pair<int, int>> Positions(const TNetwork& network)
{
    std::vector<std::pair<int, int>> positions;
    for (const TMBod& p : network) positions.emplace_back(p.X, p.Y);
    return positions;
}

// A matrix from rows of label digits.
TTreeMatrix Labels(const std::vector<std::string>& rows)
{
    TTreeMatrix m(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
    for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x) m.At(x, y) = rows[y][x] - '0';
    return m;
}

}  // namespace

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
    std::uniform_int_distribution<int> anywhere(0, 199);
    TExtremaList dense(400);
    for (TExtremum& m : dense) m = {anywhere(rng), anywhere(rng)};
    EXPECT_EQ(VoronoiLabels(dense, 200, 200).Values, VoronoiLabelsExhaustive(dense, 200, 200).Values);
    const TExtremaList far = {{INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MAX}, {5, 1'000'000'000}};
    EXPECT_EQ(VoronoiLabels(far, 30, 20).Values, VoronoiLabelsExhaustive(far, 30, 20).Values);
}

TEST(Voronoi, TiesGoToTheFirstListedMaximumAndTheBorderColumnIsNetwork)
{
    const TTreeMatrix labels = VoronoiLabels({{10, 5}, {20, 5}}, 30, 12);
    EXPECT_EQ(labels.At(15, 5), 0);
    EXPECT_EQ(labels.At(16, 0), 1);
    EXPECT_EQ(VoronoiLabels({{20, 5}, {10, 5}}, 30, 12).At(15, 5), 0);
    EXPECT_EQ(VoronoiLabels({{3, 3}, {3, 3}}, 8, 8).Values, TTreeMatrix(8, 8).Values);  // coincident

    std::vector<std::pair<int, int>> expected;
    for (int y = 1; y <= 10; ++y) expected.emplace_back(15, y);
    expected.emplace_back(15, 0);
    expected.emplace_back(15, 11);
    EXPECT_EQ(Positions(ExtractBoundary(labels)), expected);
    for (const TMBod& p : ExtractBoundary(labels)) EXPECT_EQ(p, (TMBod{p.X, p.Y, 0.0, 0.0, 0, {}}));
}

TEST(Voronoi, NoMaximaOrOneGiveZerosAndNoNetwork)
{
    for (const TExtremaList& maxima : {TExtremaList{}, TExtremaList{{150, 2}}}) {
        const TTreeMatrix labels = VoronoiLabels(maxima, 9, 7);
        EXPECT_EQ(labels.Values, TTreeMatrix(9, 7).Values);
        EXPECT_TRUE(ExtractBoundary(labels).empty());
    }
    EXPECT_TRUE(VoronoiLabels({{1, 1}}, 0, 0).Values.empty());
}

TEST(Boundary, EdgesCompareAlongTheEdgeAndListEachPixelOnce)
{
    // Interior pass first, then left, right, top and bottom edges; the corner
    // (0, 0) comes from the left edge only, (3, 3) is never listed.
    EXPECT_EQ(Positions(ExtractBoundary(Labels({"0112", "1112", "1112", "2223"}))),
              (std::vector<std::pair<int, int>>{{2, 1}, {1, 2}, {2, 2}, {0, 0}, {0, 2}, {3, 2}, {2, 0}, {2, 3}}));
    // One row or column: its two edges are the same pixels, listed once.
    EXPECT_EQ(Positions(ExtractBoundary(Labels({"0012"}))), (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}}));
    EXPECT_EQ(Positions(ExtractBoundary(Labels({"0", "1", "1"}))), (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST(Boundary, FromPictureTakesOnlyTheBlueByte)
{
    Bitmap picture(4, 3);
    EXPECT_TRUE(BoundaryFromPicture(picture).empty());
    picture.Fill(0, 200, 255);
    EXPECT_TRUE(BoundaryFromPicture(picture).empty());
    picture.ScanLine(2)[0] = 1;
    picture.ScanLine(0)[9] = 255;
    EXPECT_EQ(Positions(BoundaryFromPicture(picture)), (std::vector<std::pair<int, int>>{{3, 0}, {0, 2}}));
}

TEST(Voronoi, AreasAreRampColoursOfTheLabelsPaintedRowByRow)
{
    Bitmap picture(2, 2);
    int rows = 0;
    PaintVoronoiAreas(picture, VoronoiLabels({{0, 0}, {5, 3}}, 6, 4), 2, [&](int row) { EXPECT_EQ(row, rows++); });
    EXPECT_EQ(rows, 4);
    ASSERT_EQ(picture.Width(), 6);
    const uint8_t* corner = picture.ScanLine(3) + 15;  // label 1, red green blue reversed into the bytes
    EXPECT_EQ((std::array<uint8_t, 3>{corner[2], corner[1], corner[0]}), RampColour(1, 2));
    EXPECT_EQ(picture.ScanLine(0)[2], RampColour(0, 2)[0]);
}
