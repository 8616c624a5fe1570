#pragma once
#include <array>
#include <cstdint>

#include "enhance/equalization.h"
#include "imaging/bitmap.h"

namespace lumera {

// Brightness levels below which and above which the given percentages of the
// counted pixels lie. lo is -1 when no pixel is to be clipped at the dark end,
// hi is 256 when none is to be clipped at the bright end.
struct TClipLevels {
    int32_t Lo = -1;
    int32_t Hi = 256;
};

// The clip levels of a brightness histogram for the low and high percentages.
TClipLevels ClipLevels(const THistogram& histogram, double lowPercent, double highPercent);

// Level stretched linearly so that lo maps to 0 and hi to 255, limited to
// 0..255. With lo equal to hi there is nothing to stretch and the level stays.
uint8_t StretchLevel(int level, int lo, int hi);

// The colour rescaled to the mean brightness target, keeping its hue as long
// as no channel passes 255, else moved towards white: red, green, blue.
std::array<uint8_t, 3> SetBrightness(uint8_t red, uint8_t green, uint8_t blue, double target);

// Brightens a colour picture: clips the darkest 0.01 % and the brightest
// 0.1 % of the pixels and stretches the rest over the full range, each pixel
// keeping its hue. A picture of one brightness level is returned as it was.
Bitmap EnhanceColours(Bitmap picture);

}  // namespace lumera
