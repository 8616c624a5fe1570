#pragma once
#include <functional>

#include "crowns/tree_matrix.h"
#include "extrema/extremum.h"
#include "imaging/bitmap.h"

namespace lumera {

// "Napočítat": width x height labels, each the index of the nearest maximum
// by squared Euclidean distance; among equally near maxima the lowest index
// wins. Maxima outside the picture take part; with no maxima every label is
// 0. Pixels are compared only with maxima that can be nearest to their block
// of pixels, which gives the same labels as VoronoiLabelsExhaustive.
TTreeMatrix VoronoiLabels(const TExtremaList& maxima, int width, int height);

// The definition: every pixel against every maximum in list order.
TTreeMatrix VoronoiLabelsExhaustive(const TExtremaList& maxima, int width, int height);

// "Zobrazit plochy": the picture becomes the size of the labels, each pixel
// the ramp colour of its label among maximaCount. rowDone, when given, is
// called after every painted row so that a window can show the mosaic grow.
void PaintVoronoiAreas(Bitmap& picture, const TTreeMatrix& labels, int32_t maximaCount,
                       const std::function<void(int row)>& rowDone = {});

}  // namespace lumera
