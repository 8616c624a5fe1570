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
    // The points sorted by position (index order within a position): the
    // three pixels of a row around a point are one contiguous run.
    std::vector<std::pair<uint64_t, int32_t>> index(network.size());
    for (std::size_t i = 0; i < network.size(); ++i)
        index[i] = {Key(network[i].X, network[i].Y), static_cast<int32_t>(i)};
    std::sort(index.begin(), index.end());
    std::vector<int32_t> found;
    for (TMBod& point : network) {
        found.clear();
        const int64_t left = std::max<int64_t>(int64_t(point.X) - 1, INT32_MIN);
        const int64_t right = std::min<int64_t>(int64_t(point.X) + 1, INT32_MAX);
        for (int64_t row = std::max<int64_t>(int64_t(point.Y) - 1, INT32_MIN);
             row <= std::min<int64_t>(int64_t(point.Y) + 1, INT32_MAX); ++row) {
            auto it = std::lower_bound(index.begin(), index.end(), std::pair<uint64_t, int32_t>{Key(left, row), INT32_MIN});
            const uint64_t last = Key(right, row);
            for (; it != index.end() && it->first <= last; ++it)
                if (Touch(point, network[std::size_t(it->second)])) found.push_back(it->second);
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
