#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "crown_samples.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "scene_files.h"
#include "scene_tiles.h"
#include "tile_manifest.h"
#include "tile_merge.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

constexpr int kWidth = 30, kHeight = 20;

// Crowns of the whole scene: 3 x 3 squares and a few single pixels, some on
// the seams of 12-pixel tiles overlapping by 4.
TTreeMatrix SceneCrowns()
{
    TTreeMatrix m(kWidth, kHeight);
    int tree = 0;
    for (int cy = 1; cy < kHeight - 1; cy += 4)
        for (int cx = 1; cx < kWidth - 1; cx += 4) {
            ++tree;
            for (int y = cy - 1; y <= cy + 1; ++y)
                for (int x = cx - 1; x <= cx + 1; ++x)
                    if ((x + y + tree) % 5 != 0 || (x == cx && y == cy)) m.At(x, y) = tree;
        }
    return m;
}

TTreeMatrix Cut(const TTreeMatrix& scene, const PixelRect& w, int numberOffset)
{
    TTreeMatrix tile(w.Width, w.Height);
    for (int y = 0; y < w.Height; ++y)
        for (int x = 0; x < w.Width; ++x) {
            const int tree = scene.At(w.X + x, w.Y + y);
            tile.At(x, y) = tree > 0 ? tree + numberOffset : tree;
        }
    return tile;
}

}  // namespace

TEST(SceneTiles, TilesHoldTheirWindowsAndMergeKeepsEveryCrownOnce)
{
    TempDir dir;
    SceneRecipe recipe =
        UtmScene(kWidth, kHeight, [](int band, int x, int y) { return 0.001 * (x + 40 * y) + 0.0001 * band; });
    recipe.Transform = std::array<double, 6>{1000, 0.5, 0, 2000, 0, -0.5};
    WriteScene(dir.File("scene.img"), recipe);

    Scene scene = OpenScene(dir.File("scene.img"));
    const TilingSummary summary = WriteSceneTiles(scene, 12, 4, {}, dir.File("tiles"), 2);
    const std::vector<Tile> grid = TileGrid(kWidth, kHeight, 12, 4);
    ASSERT_EQ(summary.Tiles, int(grid.size()));

    // Each tile's cut-out is the import of its window; its crowns are the
    // scene's, numbered as a tile's own delineation would number them.
    const TTreeMatrix crowns = SceneCrowns();
    for (const Tile& t : grid) {
        char name[16];
        std::snprintf(name, sizeof name, "r%02d_c%02d", t.Row, t.Column);
        const std::string folder = dir.File(std::string("tiles/") + name);
        ImportOptions window;
        window.Window = t.Window;
        EXPECT_EQ(ReadCutout(folder + "/cut.dat").Values, ImportScene(scene, window).Cube.Values) << name;
        WriteTreeMatrix(folder + "/trees.dat", Cut(crowns, t.Window, 100 * (t.Row * 10 + t.Column)));
    }
    const MergeSummary merged = MergeTileCrowns(dir.File("tiles"));
    const std::vector<CrownSummary> truth = SummarizeCrowns(crowns);
    ASSERT_EQ(merged.Layer.Crowns.size(), truth.size());
    EXPECT_GT(merged.Found, int(truth.size()));
    std::map<std::pair<double, double>, int64_t> found;
    for (const CrownFeature& c : merged.Layer.Crowns) found[{c.Centroid.X, c.Centroid.Y}] = c.Summary.Pixels;
    for (const CrownSummary& t : truth)
        EXPECT_EQ((found[{1000 + 0.5 * t.CentroidColumn, 2000 - 0.5 * t.CentroidRow}]), t.Pixels) << t.Tree;
    EXPECT_TRUE(merged.Layer.WithArea);
    EXPECT_NEAR(merged.Layer.Crowns[0].AreaM2, 0.25 * double(merged.Layer.Crowns[0].Summary.Pixels), 1e-12);
    WriteTileManifest(dir.File("widest.csv"), TileGrid(800, 400, 400, 0));  // tiles of the largest side read back
    EXPECT_EQ(ReadTileManifest(dir.File("widest.csv")).SceneWidth, 800);
}

// Two tiles of a 20 x 10 scene overlapping by 4 (cores: columns 0-9 and
// 10-19). Tree 1 has its top in the left core but reaches past the left
// tile's edge, so only the right tile sees it whole; tree 2 is wider than any
// tile and no tile sees it whole; the left tile's top of tree 3 lies in the
// right tile's tree 3, which that tile keeps; each tile puts the top of tree 4
// in the other's core; both put tree 5's in the right core; only the left
// tile sees tree 6, its top in the right core, where it is left.
TEST(SceneTiles, CrownAtASeamIsKeptOnceWholeFromTheNeighbourOrElseAsCut)
{
    TempDir dir;
    std::filesystem::create_directories(dir.File("tiles/r00_c00"));
    std::filesystem::create_directories(dir.File("tiles/r00_c01"));
    std::ofstream(dir.File("tiles/tiles.csv")) << "tile,x,y,width,height,core_x,core_y,core_width,core_height\n"
                                                  "r00_c00,0,0,12,10,0,0,10,10\nr00_c01,8,0,12,10,10,0,10,10\n";
    TTreeMatrix scene(20, 10);
    for (int x = 9; x <= 14; ++x)
        for (int y = 2; y <= 4; ++y) scene.At(x, y) = 1;
    for (int x = 2; x <= 17; ++x)
        for (int y = 6; y <= 8; ++y) scene.At(x, y) = 2;
    for (int x = 9; x <= 15; ++x) scene.At(x, 0) = 3;
    scene.At(9, 9) = scene.At(10, 9) = 4;
    scene.At(9, 5) = scene.At(10, 5) = 5;
    scene.At(9, 1) = scene.At(10, 1) = 6;
    WriteTreeMatrix(dir.File("tiles/r00_c00/trees.dat"), Cut(scene, {0, 0, 12, 10}, 0));
    TTreeMatrix right = Cut(scene, {8, 0, 12, 10}, 0);
    right.At(1, 1) = right.At(2, 1) = 0;
    WriteTreeMatrix(dir.File("tiles/r00_c01/trees.dat"), right);
    WriteExtremaFile(dir.File("tiles/r00_c00/maxima.txt"), {{9, 3}, {5, 7}, {9, 0}, {10, 9}, {10, 5}, {10, 1}});
    WriteExtremaFile(dir.File("tiles/r00_c01/maxima.txt"), {{1, 3}, {0, 7}, {4, 0}, {1, 9}, {2, 5}});

    const MergeSummary merged = MergeTileCrowns(dir.File("tiles"));
    std::multiset<std::pair<std::string, int64_t>> kept;
    for (const CrownFeature& c : merged.Layer.Crowns) kept.insert({c.Tile, c.Summary.Pixels});
    const std::multiset<std::pair<std::string, int64_t>> expected = {
        {"r00_c01", 6 * 3}, {"r00_c00", 10 * 3}, {"r00_c01", 7}, {"r00_c00", 2}, {"r00_c01", 2}};  // trees 1 whole, 2 cut, 3-5 once
    EXPECT_EQ(kept, expected);
}

// Three tiles of a 20 x 1 scene (cores: columns 0-9, 10-14, 15-19) see one
// tree at columns 9-11. It is kept once: where the middle tile keeps it, the
// left puts its top in the middle core and the right in the left core; and
// where the left and the middle tile each put its top in their own core.
TEST(SceneTiles, TreeSeenByThreeTilesIsKeptOnce)
{
    TempDir dir;
    const std::vector<std::pair<std::string, PixelRect>> windows = {
        {"r00_c00", {0, 0, 14, 1}}, {"r00_c01", {6, 0, 14, 1}}, {"r00_c02", {6, 0, 14, 1}}};
    for (const auto& [name, window] : windows) std::filesystem::create_directories(dir.File("tiles/" + name));
    std::ofstream(dir.File("tiles/tiles.csv")) << "tile,x,y,width,height,core_x,core_y,core_width,core_height\n"
                                                  "r00_c00,0,0,14,1,0,0,10,1\nr00_c01,6,0,14,1,10,0,5,1\n"
                                                  "r00_c02,6,0,14,1,15,0,5,1\n";
    TTreeMatrix scene(20, 1);
    for (int x = 9; x <= 11; ++x) scene.At(x, 0) = 1;
    for (const auto& [tops, keeper] : {std::pair{std::array{10, 10, 9}, "r00_c01"}, {{9, 10, 10}, "r00_c00"}}) {
        for (std::size_t t = 0; t < windows.size(); ++t) {
            const auto& [name, window] = windows[t];
            WriteTreeMatrix(dir.File("tiles/" + name + "/trees.dat"), Cut(scene, window, 0));
            WriteExtremaFile(dir.File("tiles/" + name + "/maxima.txt"), {{tops[t] - window.X, 0}});
        }
        const MergeSummary merged = MergeTileCrowns(dir.File("tiles"));
        ASSERT_EQ(merged.Layer.Crowns.size(), 1u) << keeper;
        EXPECT_EQ(merged.Layer.Crowns[0].Tile, keeper);
    }
    // The middle and the right tile see the tree at columns 8-10 with their tops
    // in the left core, where the left tile kept it within its core (columns
    // 7-9, column 10 a crown of its own): it stays the left tile's.
    WriteTreeMatrix(dir.File("tiles/r00_c00/trees.dat"), Trees(".......1112..."));
    WriteExtremaFile(dir.File("tiles/r00_c00/maxima.txt"), {{8, 0}, {10, 0}});
    for (const auto& [name, top] : {std::pair{"r00_c01", 3}, {"r00_c02", 2}}) {
        WriteTreeMatrix(dir.File(std::string("tiles/") + name + "/trees.dat"), Trees("..111........."));
        WriteExtremaFile(dir.File(std::string("tiles/") + name + "/maxima.txt"), {{top, 0}});
    }
    const MergeSummary merged = MergeTileCrowns(dir.File("tiles"));
    ASSERT_EQ(merged.Layer.Crowns.size(), 1u);
    EXPECT_EQ(merged.Layer.Crowns[0].Summary.Pixels, 3);
}
