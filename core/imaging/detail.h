#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "imaging/bitmap.h"

namespace lumera {

constexpr int kDetailRadius = 30;                    // source pixels on each side of the centre
constexpr int kDetailSource = 2 * kDetailRadius + 1;  // 61
constexpr int kDetailSide = 4 * 2 * kDetailRadius + 1;  // 241

// Magnifies the 61 x 61 neighbourhood of (x, y), moved inwards to lie inside
// the source, four times with bilinear interpolation into a 241 x 241 detail.
// A source smaller than 61 x 61 is not magnified: returns false and leaves the
// detail as it was.
bool ShowDetail(const Bitmap& source, Bitmap& detail, int x, int y);

// The detail label of a click raised to at least 30 in each direction:
// "(x-30)-(x+30)x(y-30)-(y+30)".
std::string DetailRangeText(int x, int y);

// False colour number i of n for label pictures: red, green, blue.
std::array<uint8_t, 3> RampColour(int32_t i, int32_t n);

}  // namespace lumera
