#include "crowns/neighbours.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumera {

namespace {

bool Touch(const TMBod& a, const TMBod& b)
{
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    return std::llabs(dx) <= 1 && std::llabs(dy) <= 1 && (dx != 0 || dy != 0);
}

void SetNeighbours(TMBod& point, std::vector<int32_t> neighbours)
{
    point.NeighbourCount = static_cast<int32_t>(neighbours.size());
    point.Neighbours = std::move(neighbours);
}

// Position key ordered by row, then column, for any pair of int32.
uint64_t Key(int64_t x, int64_t y) { return uint64_t(y - INT32_MIN) << 32 | uint64_t(x - INT32_MIN); }

}  // namespace

void FindNeighboursAllPairs(TNetwork& network)
{
    for (TMBod& point : network) {
        std::vector<int32_t> found;
        for (std::size_t j = 0; j < network.size(); ++j)
            if (Touch(point, network[j])) found.push_back(static_cast<int32_t>(j));
        SetNeighbours(point, std::move(found));
    }
}

void FindNeighbours(TNetwork& network)
{
    // The points sorted by position (index order within a position). Taken in
    // that order, the run of the three pixels left of, at and right of a point
    // in the row above, its own row and the row below only moves forward, so
    // one cursor per row finds every run without searching.
    std::vector<std::pair<uint64_t, int32_t>> index(network.size());
    for (std::size_t i = 0; i < network.size(); ++i)
        index[i] = {Key(network[i].X, network[i].Y), static_cast<int32_t>(i)};
    std::sort(index.begin(), index.end());
    std::size_t cursor[3] = {0, 0, 0};
    std::vector<int32_t> found;
    for (const auto& [key, i] : index) {
        TMBod& point = network[std::size_t(i)];
        const int64_t left = std::max<int64_t>(int64_t(point.X) - 1, INT32_MIN);
        const int64_t right = std::min<int64_t>(int64_t(point.X) + 1, INT32_MAX);
        found.clear();
        for (int r = 0; r < 3; ++r) {
            const int64_t row = int64_t(point.Y) + r - 1;
            if (row < INT32_MIN || row > INT32_MAX) continue;
            const uint64_t first = Key(left, row), last = Key(right, row);
            std::size_t& k = cursor[r];
            while (k < index.size() && index[k].first < first) ++k;
            for (std::size_t j = k; j < index.size() && index[j].first <= last; ++j)
                if (Touch(point, network[std::size_t(index[j].second)])) found.push_back(index[j].second);
        }
        std::sort(found.begin(), found.end());
        SetNeighbours(point, found);
    }
}

void ComputeNormals(TNetwork& network)
{
    for (TMBod& point : network) {
        if (point.NeighbourCount != 2 || point.Neighbours.size() != 2) continue;
        const TMBod& a = network[std::size_t(point.Neighbours[0])];
        const TMBod& b = network[std::size_t(point.Neighbours[1])];
        const double dx = double(int64_t(a.X) - b.X), dy = double(int64_t(a.Y) - b.Y);
        const double length = std::sqrt(dx * dx + dy * dy);
        if (length == 0.0) continue;
        point.NormalX = -dy / length;
        point.NormalY = dx / length;
    }
}

}  // namespace lumera
