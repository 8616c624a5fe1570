#pragma once
#include <cstdint>

#include "crowns/tree_matrix.h"

namespace lumera {

// How well delineated crowns agree with the true ones.
struct CrownAccuracy {
    int32_t Found = 0;     // distinct tree numbers in the delineation
    int32_t True = 0;      // distinct tree numbers in the truth
    int32_t Matched = 0;   // pairs with intersection over union >= 0.5
    double Precision = 0;  // Matched / Found, 0 when nothing was found
    double Recall = 0;     // Matched / True, 0 when there is no true tree
    double F1 = 0;         // harmonic mean of the two, 0 when both are 0
    double MeanIoU = 0;    // over the matched pairs, 0 when none
};

// Matches found trees to true trees (numbers >= 1; barriers and 0 are no
// tree): candidate pairs with IoU >= 0.5, best pairs first, each tree at most
// once. The matrices must have the same size (std::invalid_argument otherwise).
CrownAccuracy EvaluateCrowns(const TTreeMatrix& found, const TTreeMatrix& truth);

}  // namespace lumera
