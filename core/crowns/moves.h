#pragma once
#include <optional>

#include "crowns/network_point.h"
#include "data/matice.h"

namespace lumera {

// The step limit of "Iterativní přesuny".
constexpr int kMinMoveSteps = 1;
constexpr int kMaxMoveSteps = 9;
constexpr int kDefaultMoveSteps = 3;

// "Přesuny" (no step limit) and "Iterativní přesuny" (at most stepLimit steps):
// the moved copy of the network. A point inside a chain (two neighbours) off
// the picture's edge walks along its normal, towards the darker side, while
// the filtered value does not rise and the walk stays inside the frame one
// pixel in from the edge; then three passes put every junction (three or
// more neighbours) on the rounded mean of its neighbours' current positions.
// Points outside the filtered image and points with a zero normal stay
// where they are. The copy keeps neighbours, with normals 0.
TNetwork MovePoints(const TNetwork& boundary, const TMatice& filtered, std::optional<int> stepLimit);

}  // namespace lumera
