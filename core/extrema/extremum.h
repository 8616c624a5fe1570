#pragma once
#include <cstdint>
#include <vector>

namespace lumera {

// A pixel position found by an extrema search or read from an extrema file:
// X is the column, Y the row, both 0-based from the top-left pixel.
struct TExtremum {
    int32_t X = 0;
    int32_t Y = 0;

    bool operator==(const TExtremum&) const = default;
};

// A list of extrema; its order is significant (a maximum's index is its
// Voronoi label, and plus one its tree number).
using TExtremaList = std::vector<TExtremum>;

}  // namespace lumera
