#pragma once
#include <cstdint>

#include "crowns/tree_matrix.h"

namespace lumera {

// How well delineated crowns agree with the true ones.
struct CrownAccuracy {
    int32_t Found = 0;     // distinct tree numbers in the delineation
    int32_t True = 0;      // distinct tree numbers in the truth
    int32_t Matched = 0;   // pairs whose intersection over union passes the rule
    double Precision = 0;  // Matched / Found, 0 when nothing was found
    double Recall = 0;     // Matched / True, 0 when there is no true tree
    double F1 = 0;         // harmonic mean of the two, 0 when both are 0
    double MeanIoU = 0;    // over the matched pairs, 0 when none
};

// When a found and a true tree may match: IoU >= Threshold, or IoU >
// Threshold when Strict (rectangular truth is often scored with IoU > 0.4).
struct IoURule {
    double Threshold = 0.5;
    bool Strict = false;

    bool Passes(double iou) const { return Strict ? iou > Threshold : iou >= Threshold; }
};

// Matches found trees to true trees (numbers >= 1; barriers and 0 are no
// tree): candidate pairs passing the rule, best pairs first, each tree at most
// once. The matrices must have the same size (std::invalid_argument otherwise).
CrownAccuracy EvaluateCrowns(const TTreeMatrix& found, const TTreeMatrix& truth, const IoURule& rule = {});

}  // namespace lumera
