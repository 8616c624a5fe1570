#include "mapping/crown_summary.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace lumera {

namespace {

struct Accumulator {
    int64_t Pixels = 0;
    double SumColumn = 0.0, SumRow = 0.0;
    int MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
};

}  // namespace

std::vector<CrownSummary> SummarizeCrowns(const TTreeMatrix& matrix, const TExtremaList* maxima)
{
    std::map<int32_t, Accumulator> trees;
    for (int y = 0; y < matrix.Height; ++y)
        for (int x = 0; x < matrix.Width; ++x) {
            const int32_t tree = matrix.At(x, y);
            if (tree < 1) continue;
            Accumulator& a = trees[tree];
            if (a.Pixels == 0) a.MinX = a.MaxX = x, a.MinY = a.MaxY = y;
            ++a.Pixels;
            a.SumColumn += x + 0.5;
            a.SumRow += y + 0.5;
            a.MinX = std::min(a.MinX, x), a.MaxX = std::max(a.MaxX, x);
            a.MinY = std::min(a.MinY, y), a.MaxY = std::max(a.MaxY, y);
        }
    std::vector<CrownSummary> crowns;
    crowns.reserve(trees.size());
    for (const auto& [tree, a] : trees) {
        CrownSummary& c = crowns.emplace_back(CrownSummary{tree, a.Pixels, a.SumColumn / double(a.Pixels),
                                                           a.SumRow / double(a.Pixels),
                                                           {a.MinX, a.MinY, a.MaxX - a.MinX + 1, a.MaxY - a.MinY + 1}});
        if (!maxima || std::size_t(tree) > maxima->size()) continue;
        const TExtremum& top = (*maxima)[std::size_t(tree) - 1];
        if (top.X >= 0 && top.X < matrix.Width && top.Y >= 0 && top.Y < matrix.Height)
            c.TopColumn = top.X, c.TopRow = top.Y;
    }
    return crowns;
}

bool TouchesInnerEdge(const Tile& tile, const CrownSummary& crown, int sceneWidth, int sceneHeight)
{
    const PixelRect& w = tile.Window;
    const PixelRect& b = crown.Bounds;
    return (b.X == 0 && w.X > 0) || (b.Y == 0 && w.Y > 0) ||
           (b.X + b.Width == w.Width && w.X + w.Width < sceneWidth) ||
           (b.Y + b.Height == w.Height && w.Y + w.Height < sceneHeight);
}

namespace {

// The top's (or the centroid's) column and row in the scene.
std::pair<int, int> TopInScene(const Tile& tile, const CrownSummary& crown)
{
    const PixelRect& w = tile.Window;
    if (crown.HasTop()) return {w.X + crown.TopColumn, w.Y + crown.TopRow};
    return {w.X + static_cast<int>(std::floor(crown.CentroidColumn)),
            w.Y + static_cast<int>(std::floor(crown.CentroidRow))};
}

}  // namespace

bool TopInCore(const Tile& tile, const CrownSummary& crown)
{
    const auto [column, row] = TopInScene(tile, crown);
    return tile.Core.Contains(column, row);
}

int64_t TopScenePixel(const Tile& tile, const CrownSummary& crown, int sceneWidth)
{
    const auto [column, row] = TopInScene(tile, crown);
    return int64_t(row) * sceneWidth + column;
}

}  // namespace lumera
