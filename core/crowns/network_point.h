#pragma once
#include <cstdint>
#include <vector>

namespace lumera {

// A point of the Voronoi network: a one-pixel boundary point of a cell, with
// the unit normal of its chain and the indices of the points touching it.
struct TMBod {
    int32_t X = 0;                    // column
    int32_t Y = 0;                    // row
    double NormalX = 0.0;             // column component of the unit normal, 0 until computed
    double NormalY = 0.0;             // row component of the unit normal, 0 until computed
    int32_t NeighbourCount = 0;       // entries in Neighbours
    std::vector<int32_t> Neighbours;  // indices into the same list, ascending

    bool operator==(const TMBod&) const = default;
};

// A network: the order is significant, since Neighbours refer to indices.
using TNetwork = std::vector<TMBod>;

}  // namespace lumera
