#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "imaging/bitmap.h"

namespace lumera {

// Window sides the equalization offers.
constexpr int kMinEqualizationWindow = 5;
constexpr int kMaxEqualizationWindow = 99;
constexpr int kDefaultEqualizationWindow = 45;

using THistogram = std::array<int32_t, 256>;

// Clears the histogram, then counts the green bytes of rows top .. top + rows - 1
// and columns left .. left + columns - 1. The window must lie inside the picture.
void WindowHistogram(const Bitmap& picture, int left, int top, int columns, int rows, THistogram& histogram);

// Running sum of the histogram: cumulative[k] = bin[0] + ... + bin[k].
void CumulateHistogram(const THistogram& histogram, THistogram& cumulative);

// The equalized level: cumulative[level] x 255 / cumulative[255], rounded.
uint8_t EqualizeValue(int level, const THistogram& cumulative);

// First row (or column) of the e-pixel window for the pixel at position in a
// picture side of the given size. Near the far edge the window stops one short
// of the last row (column), which is therefore never counted.
int WindowStart(int position, int size, int e);

// Why a picture cannot be equalized with window side e, or nothing when it can:
// the window must fit with one row and one column to spare.
std::optional<std::string> EqualizationRefusal(const Bitmap& picture, int e);

// Adaptive histogram equalization of the green bytes with an e x e window,
// into a grey picture. Throws std::invalid_argument for a refused picture.
Bitmap Equalize(const Bitmap& picture, int e);

// The same picture computed literally, one fresh window histogram per pixel:
// the definition Equalize is checked and measured against.
Bitmap EqualizePerPixel(const Bitmap& picture, int e);

}  // namespace lumera
