#pragma once
#include <string>

#include "crowns/crown_chain.h"

namespace lumera::cli {

// The intermediate results of a crown chain for `crowns --dump DIR`:
// labels.dat (the Voronoi labels in the tree matrix layout), boundary.txt
// (the network after "Směry", one point a line: X Y NeighbourCount NormalX
// NormalY and the neighbour indices, normals with 17 significant digits),
// moved.txt (the first moves as an extrema file) and network.bmp (the right
// picture after the first "Propojit"), into an existing folder.
void WriteCrownDump(const std::string& folder, const TCrownChainResult& result);

}  // namespace lumera::cli
