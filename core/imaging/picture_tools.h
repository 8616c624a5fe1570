#pragma once
#include "extrema/extremum.h"
#include "imaging/bitmap.h"
#include "imaging/drawing.h"

namespace lumera {

// Adds the source onto the target byte by byte, limited to 255, over the
// rows and columns both pictures have; the rest of the target stays as it
// was, so pictures of different sizes overlay from the top-left corner.
void AddPicture(const Bitmap& source, Bitmap& target);

// Gives the picture a new size. What it held stays where the old and the new
// size overlap (from the top-left corner); the area added is painted in fill.
void ResizeKeeping(Bitmap& picture, int width, int height, BgrColour fill);

// Paints the pixel of every point in list order; points outside the picture
// (a list found on another picture) are skipped.
void PaintPoints(Bitmap& picture, const TExtremaList& points, BgrColour colour);

}  // namespace lumera
