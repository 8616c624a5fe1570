#pragma once
#include <cmath>
#include <cstdint>

namespace lumera {

// Rounds to the nearest integer, ties to the even neighbour (the default
// floating-point rounding mode), as every conversion to integer in Lumera does.
inline int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// Rounds and limits to a byte, for painting grey or colour levels: the value
// rounded as by Round, then 0 below 0 (and for NaN), 255 above 255. Limited to
// -1 .. 256 first, the value is small enough for adding and taking away
// 1.5 x 2^52 to round it exactly as nearbyint does, in plain arithmetic that
// loops over pixels can vectorise.
inline uint8_t RoundToByte(double v)
{
    constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 x 2^52
    const double limited = v > -1.0 ? (v < 256.0 ? v : 256.0) : -1.0;
    const int rounded = static_cast<int>((limited + kRoundingShift) - kRoundingShift);  // -1 .. 256
    return static_cast<uint8_t>(rounded < 0 ? 0 : rounded > 255 ? 255 : rounded);
}

}  // namespace lumera
