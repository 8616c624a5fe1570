#pragma once
#include <optional>
#include <string>

#include "data/cube.h"
#include "imaging/bitmap.h"

namespace lumera {

// The highest band (1-based) the composite reads: red is bands 34, 35 and 36.
constexpr int kTrueColourBands = 36;

// Why a cube cannot be shown in true colour, or nothing when it can.
std::optional<std::string> TrueColourRefusal(const TData& cube);

// Bands 6-8, 18-20 and 34-36 averaged into blue, green and red, each channel
// scaled so that its largest average becomes 255; negative averages show as 0.
// Throws std::invalid_argument for a refused cube.
Bitmap ChannelComposite(const TData& cube);

// The true-colour picture: the channel composite brightened by EnhanceColours.
Bitmap TrueColourComposite(const TData& cube);

}  // namespace lumera
