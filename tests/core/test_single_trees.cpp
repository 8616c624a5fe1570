#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>

#include "crown_samples.h"
#include "crowns/crown_reflectance.h"
#include "crowns/single_trees.h"
#include "crowns/tree_figures.h"
#include "crowns/tree_table.h"
#include "sample_data.h"
#include "analysis/band_mean.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A picture from rows: a digit is a grey level (digit x 20), '#' blue 255,
// 'r' red and green 255, '.' black.
Bitmap Picture(const std::vector<std::string>& rows)
{
    Bitmap picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            const char c = rows[y][x];
            if (c >= '0' && c <= '9') px[0] = px[1] = px[2] = static_cast<uint8_t>((c - '0') * 20);
            if (c == '#') px[0] = 255;
            if (c == 'r') px[1] = px[2] = 255;
        }
    return picture;
}

// The statistics of one crown by their definition, pixel by pixel.
BandStatistics PlainStatistics(const TData& cube, const std::vector<std::size_t>& pixels)
{
    BandStatistics s;
    s.Pixels = int64_t(pixels.size());
    for (int b = 0; b < cube.NBands; ++b) {
        std::vector<double> values;
        for (std::size_t p : pixels) values.push_back(cube.Plane(b)[p]);
        double sum = 0.0;
        for (double v : values) sum += v;
        const double mean = sum / double(values.size());
        double squares = 0.0;
        for (double v : values) squares += (v - mean) * (v - mean);
        s.Mean.push_back(mean);
        s.Sd.push_back(std::sqrt(squares / double(values.size())));
    }
    return s;
}

// A matrix as its width and values, which determine it.
std::pair<int32_t, std::vector<int32_t>> Shape(const TTreeMatrix& m) { return {m.Width, m.Values}; }

}  // namespace

TEST(SingleTrees, RegionsStopAtBarriersAndDarkPixelsOnTheCommonAreaOfBothPictures)
{
    const Bitmap left = Picture({"99999", "99999", "99199", "99999"});
    const Bitmap staircase = Picture({"..#..", ".#..r", "#....", "....."});
    // Threshold 0: each enclosed area whole; the staircase separates although
    // its pixels touch only at corners; red and green are no barrier.
    EXPECT_EQ(Shape(GrowTrees(left, staircase, {{0, 0}, {4, 3}}, 0)), Shape(Trees("11#22/1#222/#2222/22222")));
    // Threshold 70: the dark pixel (level 20) stays 0; so it does at 180, where the others just belong.
    for (int threshold : {70, 180})
        EXPECT_EQ(Shape(GrowTrees(left, staircase, {{4, 3}}, threshold)), Shape(Trees("00#11/0#111/#1011/11111")));
    // A maximum on a barrier, or in a region already taken, grows nothing.
    EXPECT_EQ(Shape(GrowTrees(left, staircase, {{2, 0}, {4, 0}, {0, 3}, {0, 0}}, 0)), Shape(Trees("44#22/4#222/#2222/22222")));
    // Maxima outside the left picture, and dark maxima, are skipped.
    EXPECT_EQ(Shape(GrowTrees(left, staircase, {{5, 0}, {-1, 2}, {2, 2}, {0, 0}}, 70)), Shape(Trees("44#00/4#000/#0000/00000")));
    // Pictures of different sizes meet on their common area.
    const Bitmap small = Picture({"9999", "9999", "9999"});
    EXPECT_EQ(Shape(GrowTrees(small, Picture({".#", ".#"}), {{3, 2}}, 70)), Shape(Trees("1#11/1#11/1111")));
    EXPECT_EQ(Shape(GrowTrees(small, Picture({"......", "######", "......", "......"}), {{0, 0}}, 70)), Shape(Trees("1111/####/0000")));
    EXPECT_EQ(Shape(GrowTrees(small, Bitmap(), {{0, 0}}, 70)), Shape(Trees("1111/1111/1111")));
}

TEST(SingleTrees, ARegionCanFillTheWholePicture)
{
    Bitmap big(400, 400);
    big.Fill(200, 0, 0);
    const TTreeMatrix all = GrowTrees(big, Bitmap(400, 400), {{399, 399}}, 70);
    EXPECT_EQ(std::count(all.Values.begin(), all.Values.end(), 1), 160000);
}

TEST(TreeTable, MeansAreTakenOverEachTreesPixelsInTreeOrderAndTheCsvHasOneRoundTrippingRowPerTree)
{
    const TTreeMatrix two = Trees("55#/2.5");  // trees 2 and 5, a barrier and background between them
    const std::vector<double> grid = {1.0, 2.0, 100.0, 0.25, 100.0, 6.0};
    EXPECT_EQ(MeanPerTree(two, grid), (std::vector<double>{0.25, 3.0}));
    EXPECT_THROW(MeanPerTree(two, std::vector<double>(5)), std::invalid_argument);

    const TExtremaList tops = {{0, 1}, {1, 0}};
    std::vector<TTreeRow> rows;
    const std::vector<TTreeFigures> figures = MeasureTrees(two, tops);
    for (const TTreeFigures& f : figures) rows.push_back({f, 0.1, -1.0 / 3.0});
    EXPECT_EQ(TreeTableCsv(rows),
              "tree,seed_x,seed_y,pixels,centroid_x,centroid_y,min_x,min_y,max_x,max_y,mean_brightness,mean_ndvi\n"
              "2,1,0,1,0,1,0,1,0,1,0.1,-0.3333333333333333\n"
              "5,-1,-1,3,1,0.3333333333333333,0,0,2,1,0.1,-0.3333333333333333\n");
}

// Random cubes and matrices with gaps in the numbering, barriers and equal
// near-infrared brightness: every statistic equals its plain definition.
TEST(CrownSpectra, EqualThePlainDefinitionOnRandomCubes)
{
    std::mt19937 rng(3);
    for (int trial = 0; trial < 20; ++trial) {
        const int w = 1 + int(rng() % 9), h = 1 + int(rng() % 7);
        const TData cube = RandomCube(kCrownSpectraBands + int(rng() % 3), h, w, unsigned(trial), 0, trial % 2 ? 4 : 4000);
        TTreeMatrix trees(w, h);
        for (int32_t& v : trees.Values) v = int32_t(rng() % 6) - 1;  // -1 a barrier, 0 no tree
        const std::vector<double> nir = BandMean(cube, 41, 43);
        const std::vector<CrownSpectrum> spectra = CrownSpectra(cube, trees);
        std::size_t k = 0;
        for (int32_t tree = 1; tree <= 4; ++tree) {
            std::vector<std::size_t> pixels;
            for (std::size_t p = 0; p < trees.Values.size(); ++p)
                if (trees.Values[p] == tree) pixels.push_back(p);
            if (pixels.empty()) continue;
            ASSERT_LT(k, spectra.size());
            const CrownSpectrum& c = spectra[k++];
            EXPECT_EQ(c.Tree, tree);
            const BandStatistics all = PlainStatistics(cube, pixels);
            EXPECT_EQ(c.All.Mean, all.Mean);
            EXPECT_EQ(CrownMeanSpectrum(cube, trees, tree), all.Mean);
            EXPECT_EQ(c.All.Sd, all.Sd);
            // Sunlit: the brighter half, ties to the earlier pixel.
            std::vector<std::size_t> ranked = pixels;
            std::sort(ranked.begin(), ranked.end(),
                      [&](std::size_t a, std::size_t b) { return nir[a] != nir[b] ? nir[a] > nir[b] : a < b; });
            ranked.resize((pixels.size() + 1) / 2);
            std::sort(ranked.begin(), ranked.end());
            const BandStatistics sunlit = PlainStatistics(cube, ranked);
            EXPECT_EQ(c.Sunlit.Pixels, sunlit.Pixels);
            EXPECT_EQ(c.Sunlit.Mean, sunlit.Mean);
            EXPECT_EQ(c.Sunlit.Sd, sunlit.Sd);
        }
        EXPECT_EQ(k, spectra.size());
    }
}

TEST(CrownSpectra, RefusalsNameTheSizesAndTheFileReadsBackExactly)
{
    const TData cube = RandomCube(65, 3, 4, 9);
    EXPECT_EQ(CrownSpectraRefusal(cube, TTreeMatrix(4, 4)), "Matice stromů má rozměry 4 x 4, výřez 4 x 3.");  // one row more
    EXPECT_TRUE(CrownSpectraRefusal(RandomCube(42, 3, 4, 9), TTreeMatrix(4, 3)).has_value());

    const std::vector<CrownSpectrum> spectra = CrownSpectra(cube, Trees(".77./227./...."));
    TempDir dir;
    WriteCrownSpectra(dir.File("s.csv"), spectra, cube.NBands);
    std::ifstream in(dir.File("s.csv"));
    std::string header, line;
    std::getline(in, header);
    EXPECT_EQ(header.substr(0, 30), "tree,statistic,pixels,0.392,0.");  // micrometres with three decimals
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 2 + 65);
    std::vector<std::string> rows;
    while (std::getline(in, line)) rows.push_back(line);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0].substr(0, 9), "2,mean,2,");
    EXPECT_EQ(rows[6].substr(0, 16), "7,sunlit_mean,2,");
    EXPECT_EQ(rows[5].substr(0, 7), "7,sd,3,");
    EXPECT_EQ(std::stod(rows[5].substr(7, rows[5].find(',', 7) - 7)), spectra[1].All.Sd[0]);  // written exactly
}
