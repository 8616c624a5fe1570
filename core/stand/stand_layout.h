#pragma once
#include <vector>

#include "stand/stand_random.h"

namespace lumera {

enum class CrownKind { Conifer, Broadleaf };

// One tree of a synthetic stand, in pixel units.
struct StandTree {
    double X = 0, Y = 0;  // crown centre (column, row)
    double Radius = 0;    // crown radius
    double Height = 0;    // apex height above ground
    CrownKind Kind = CrownKind::Conifer;
    int Material = 0;     // index of the tree's leaf spectrum within its kind
    double Vigour = 1;    // brightness factor of the foliage
};

// Places about `count` trees on a width x height stand: clumps and scattered
// trees, crowns of 3 to 15 pixels radius that may touch and overlap a little,
// and a few open gaps. Trees are returned in placement order.
std::vector<StandTree> PlaceTrees(StandRandom& random, int width, int height, int count, int coniferKinds,
                                  int broadleafKinds);

}  // namespace lumera
