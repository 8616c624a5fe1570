#pragma once
#include "crowns/tree_matrix.h"
#include "imaging/bitmap.h"

namespace lumera {

// Paints the outline of every crown onto a picture of the matrix's size: each
// crown pixel with a 4-neighbour outside its crown (or outside the picture)
// turns yellow, and every other pixel beside such a pixel black, so that the
// outline stays visible over bright crowns as over dark ground.
void DrawCrownOutlines(Bitmap& picture, const TTreeMatrix& trees);

}  // namespace lumera
