#include "stand/stand_layout.h"

#include <algorithm>
#include <cmath>

namespace lumera {

namespace {

struct Gap {
    double X, Y, Radius;
};

bool InGap(const std::vector<Gap>& gaps, double x, double y)
{
    return std::any_of(gaps.begin(), gaps.end(),
                       [&](const Gap& g) { return std::hypot(x - g.X, y - g.Y) < g.Radius; });
}

// Crowns may overlap by up to a third of the smaller radius, so neighbours
// touch and interlock as in a closed stand without one hiding the other.
bool FitsBeside(const std::vector<StandTree>& trees, double x, double y, double r)
{
    for (const StandTree& t : trees)
        if (std::hypot(x - t.X, y - t.Y) < t.Radius + r - std::min(t.Radius, r) / 3.0) return false;
    return true;
}

StandTree MakeTree(StandRandom& random, double x, double y, int coniferKinds, int broadleafKinds)
{
    StandTree tree;
    tree.X = x;
    tree.Y = y;
    tree.Kind = random.Uniform() < 0.6 ? CrownKind::Conifer : CrownKind::Broadleaf;
    // Small crowns between large ones; the mean radius is about 11 pixels.
    tree.Radius = 5.0 + 10.0 * std::pow(random.Uniform(), 0.7);
    const bool conifer = tree.Kind == CrownKind::Conifer;
    tree.Height = tree.Radius * (conifer ? random.Uniform(2.2, 3.0) : random.Uniform(1.0, 1.5));
    tree.Material = random.Below(conifer ? coniferKinds : broadleafKinds);
    tree.Vigour = random.Uniform(0.85, 1.15);
    return tree;
}

}  // namespace

std::vector<StandTree> PlaceTrees(StandRandom& random, int width, int height, int count, int coniferKinds,
                                  int broadleafKinds)
{
    const double scale = std::sqrt(double(width) * height / 160000.0);
    std::vector<Gap> gaps;
    for (int i = 0, n = 2 + random.Below(3); i < n; ++i)
        gaps.push_back({random.Uniform(0, width), random.Uniform(0, height), random.Uniform(15, 35) * scale});

    const int clumps = std::max(1, count / 25);
    std::vector<std::pair<double, double>> centres;
    for (int i = 0; i < clumps; ++i) centres.emplace_back(random.Uniform(0, width), random.Uniform(0, height));

    std::vector<StandTree> trees;
    for (int attempt = 0; attempt < 200 * count && int(trees.size()) < count; ++attempt) {
        double x, y;
        if (random.Uniform() < 0.65) {  // in a clump
            const auto& [cx, cy] = centres[random.Below(clumps)];
            x = cx + random.Normal() * 25.0 * scale;
            y = cy + random.Normal() * 25.0 * scale;
        } else {
            x = random.Uniform(0, width);
            y = random.Uniform(0, height);
        }
        if (x < 0 || y < 0 || x >= width || y >= height || InGap(gaps, x, y)) continue;
        StandTree tree = MakeTree(random, x, y, coniferKinds, broadleafKinds);
        if (FitsBeside(trees, x, y, tree.Radius)) trees.push_back(tree);
    }
    return trees;
}

}  // namespace lumera
