#include "crowns/tree_figures.h"

#include <algorithm>
#include <map>

namespace lumera {

namespace {

struct Sums {
    TTreeFigures figures;
    int64_t sumX = 0, sumY = 0;
};

}  // namespace

std::vector<TTreeFigures> MeasureTrees(const TTreeMatrix& trees, const TExtremaList& maxima)
{
    std::map<int32_t, Sums> byTree;
    for (int y = 0; y < trees.Height; ++y)
        for (int x = 0; x < trees.Width; ++x) {
            const int32_t tree = trees.At(x, y);
            if (tree < 1) continue;
            auto [it, added] = byTree.try_emplace(tree);
            TTreeFigures& f = it->second.figures;
            if (added) f = TTreeFigures{tree, -1, -1, 0, 0.0, 0.0, x, y, x, y};
            ++f.Pixels;
            f.MinX = std::min(f.MinX, x);
            f.MaxX = std::max(f.MaxX, x);
            f.MinY = std::min(f.MinY, y);
            f.MaxY = std::max(f.MaxY, y);
            it->second.sumX += x;
            it->second.sumY += y;
        }
    std::vector<TTreeFigures> result;
    result.reserve(byTree.size());
    for (auto& [tree, sums] : byTree) {
        TTreeFigures f = sums.figures;
        f.CentroidX = double(sums.sumX) / double(f.Pixels);
        f.CentroidY = double(sums.sumY) / double(f.Pixels);
        if (std::size_t(tree) <= maxima.size()) {
            f.SeedX = maxima[std::size_t(tree) - 1].X;
            f.SeedY = maxima[std::size_t(tree) - 1].Y;
        }
        result.push_back(f);
    }
    return result;
}

}  // namespace lumera
