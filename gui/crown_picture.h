#pragma once
#include <QImage>

#include "crowns/tree_matrix.h"
#include "imaging/bitmap.h"

namespace lumera::gui {

// Paints the crowns into `image` (made the matrix's size): every crown in a
// colour of its own laid half over the background (a picture of the matrix's
// size, or none: black), its outline in yellow, the `highlighted` crown
// lightened and outlined in red, barriers dark grey.
void PaintCrowns(QImage& image, const Bitmap& background, const TTreeMatrix& trees, int32_t highlighted);

}  // namespace lumera::gui
