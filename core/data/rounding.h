#pragma once
#include <cmath>
#include <cstdint>

namespace lumera {

// Rounds to the nearest integer, ties to the even neighbour (the default
// floating-point rounding mode), as every conversion to integer in Lumera does.
inline int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// Rounds and limits to a byte, for painting grey or colour levels.
inline uint8_t RoundToByte(double v)
{
    const double r = std::nearbyint(v);
    if (!(r > 0.0)) return 0;  // also NaN
    if (r > 255.0) return 255;
    return static_cast<uint8_t>(r);
}

}  // namespace lumera
