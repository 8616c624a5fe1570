#pragma once
#include "crowns/network_point.h"
#include "crowns/tree_matrix.h"
#include "imaging/bitmap.h"

namespace lumera {

// "Hranice": the pixels whose right, left, upper or lower neighbour has a
// larger label (interior rows and columns), then the edge pixels whose next
// pixel along the left, right, top and bottom edge has a larger label; each
// pixel once, in that order, with no neighbours and zero normals.
TNetwork ExtractBoundary(const TTreeMatrix& labels);

// "Hranice z obrazu": every pixel whose blue byte is not 0, row by row.
TNetwork BoundaryFromPicture(const Bitmap& picture);

}  // namespace lumera
