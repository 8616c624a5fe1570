#pragma once
#include <cstdint>
#include <vector>

#include "crowns/tree_matrix.h"
#include "extrema/extremum.h"

namespace lumera {

// The figures of one tree of a tree matrix.
struct TTreeFigures {
    int32_t Tree = 0;                // tree number, >= 1
    int32_t SeedX = -1, SeedY = -1;  // its maximum, or -1 when the list has none for it
    int64_t Pixels = 0;
    double CentroidX = 0.0, CentroidY = 0.0;  // mean column and row of its pixels
    int32_t MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;  // bounding box, inclusive
};

// One entry per tree number present in the matrix, ascending.
std::vector<TTreeFigures> MeasureTrees(const TTreeMatrix& trees, const TExtremaList& maxima);

}  // namespace lumera
