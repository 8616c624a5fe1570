#pragma once
#include "crowns/tree_matrix.h"
#include "extrema/extremum.h"
#include "imaging/bitmap.h"

namespace lumera {

constexpr int kMinTreeThreshold = 0;
constexpr int kMaxTreeThreshold = 255;
constexpr int kDefaultTreeThreshold = 70;

// "Počítat": a matrix of the left picture's size; -1 where the right picture's
// blue byte is 255 (where the right picture reaches), then for each maximum
// in list order whose pixel is free and at least threshold bright (blue byte
// of the left picture), its number (index + 1) filled over the 4-connected
// free pixels at least that bright. Maxima outside the left picture grow
// nothing. The fill keeps its own stack, so any region size is safe.
TTreeMatrix GrowTrees(const Bitmap& left, const Bitmap& right, const TExtremaList& maxima, int threshold);

// "Zobrazit" of the trees: over the area the three have in common, the right
// picture's pixel becomes the left one's, with blue and red 0 inside a tree.
void PaintTreesOverlay(Bitmap& right, const Bitmap& left, const TTreeMatrix& trees);

}  // namespace lumera
