#include "crowns/crown_tops.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumera {

namespace {

// Not darker than any neighbour and brighter than one: the edge of a flat
// top still counts, the inside of a flat ground does not.
bool IsLocalMaximum(const TMatice& m, int x, int y)
{
    const double v = m.At(x, y);
    bool above = false;
    for (int ny = std::max(0, y - 1); ny <= std::min(m.Height - 1, y + 1); ++ny)
        for (int nx = std::max(0, x - 1); nx <= std::min(m.Width - 1, x + 1); ++nx) {
            if (m.At(nx, ny) > v) return false;
            if (m.At(nx, ny) < v) above = true;
        }
    return above;
}

// Kept tops filed in square cells of the minimum distance, so a candidate
// looks only at the 3 x 3 cells around it.
class TopGrid {
public:
    TopGrid(int width, int height, double minDistance)
        : cell_(std::max(1.0, minDistance)), columns_(int(width / cell_) + 1), rows_(int(height / cell_) + 1),
          cells_(std::size_t(columns_) * std::size_t(rows_)), minSquared_(minDistance * minDistance)
    {
    }

    bool HasNear(const TExtremum& p) const
    {
        const int cx = int(p.X / cell_), cy = int(p.Y / cell_);
        for (int y = std::max(0, cy - 1); y <= std::min(rows_ - 1, cy + 1); ++y)
            for (int x = std::max(0, cx - 1); x <= std::min(columns_ - 1, cx + 1); ++x)
                for (const TExtremum& q : cells_[std::size_t(y) * std::size_t(columns_) + std::size_t(x)]) {
                    const double dx = p.X - q.X, dy = p.Y - q.Y;
                    if (dx * dx + dy * dy < minSquared_) return true;
                }
        return false;
    }

    void Add(const TExtremum& p)
    {
        cells_[std::size_t(int(p.Y / cell_)) * std::size_t(columns_) + std::size_t(int(p.X / cell_))].push_back(p);
    }

private:
    double cell_;
    int columns_, rows_;
    std::vector<TExtremaList> cells_;
    double minSquared_;
};

}  // namespace

TExtremaList FindCrownTops(const TMatice& smoothed, const VegetationMask& mask, double minDistance)
{
    TExtremaList candidates;
    for (int y = 0; y < smoothed.Height; ++y)
        for (int x = 0; x < smoothed.Width; ++x)
            if (mask[std::size_t(y) * std::size_t(smoothed.Width) + std::size_t(x)] && IsLocalMaximum(smoothed, x, y))
                candidates.push_back({x, y});
    std::stable_sort(candidates.begin(), candidates.end(), [&](const TExtremum& a, const TExtremum& b) {
        return smoothed.At(a.X, a.Y) > smoothed.At(b.X, b.Y);
    });
    TopGrid kept(smoothed.Width, smoothed.Height, minDistance);
    TExtremaList tops;
    for (const TExtremum& c : candidates)
        if (!kept.HasNear(c)) {
            kept.Add(c);
            tops.push_back(c);
        }
    return tops;
}

}  // namespace lumera
