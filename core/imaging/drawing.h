#pragma once
#include <cstdint>
#include <vector>

#include "data/cube.h"
#include "imaging/bitmap.h"

namespace lumera {

// A colour of a 24-bit picture, in the byte order of its pixels.
struct BgrColour {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
};

constexpr BgrColour kBlack{0, 0, 0};
constexpr BgrColour kWhite{255, 255, 255};

// Paints one pixel; a position outside the picture paints nothing.
void SetPixel(Bitmap& picture, int x, int y, BgrColour colour);

// Draws a straight line one pixel wide from (x0, y0) to (x1, y1), both ends
// included, with Bresenham's integer algorithm. The line is rasterized as if
// the picture were unbounded and only the pixels inside the picture are
// painted, so a clipped line has exactly the pixels of the unclipped one.
void DrawLine(Bitmap& picture, int x0, int y0, int x1, int y1, BgrColour colour);

// Lines through the points in order (move to the first, line to each next).
void DrawPolyline(Bitmap& picture, const std::vector<TPoint>& points, BgrColour colour);

// Fills the columns left .. right - 1 of the rows top .. bottom - 1 (the
// right and bottom edges excluded, as a rectangle fill does), clipped to the
// picture.
void FillRect(Bitmap& picture, int left, int top, int right, int bottom, BgrColour colour);

}  // namespace lumera
