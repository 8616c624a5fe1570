#pragma once
#include <optional>

#include "crowns/crown_state.h"
#include "crowns/moves.h"
#include "crowns/single_trees.h"
#include "extrema/filter_matrix.h"
#include "imaging/bitmap.h"

namespace lumera {

// How the crown delineation is run from maxima to single trees.
struct TCrownChainSettings {
    TFilterCells Filter;                               // for "Filtrovaný obraz"
    std::optional<int> MoveSteps;                      // nothing: "Přesuny"; else "Iterativní přesuny"
    int Cycles = 0;                                    // cycles under "Iterativně"
    int CycleMoveSteps = kDefaultMoveSteps;            // "Iterativní přesuny" in a cycle
    int Threshold = kDefaultTreeThreshold;             // "práh"
};

// The state at the end and the intermediate results worth keeping.
struct TCrownChainResult {
    TCrownState State;
    TNetwork FirstNetwork;   // the Voronoi network after "Směry"
    TNetwork FirstMoves;     // the network after the first move
    Bitmap FirstConnection;  // the right picture after the first "Propojit"
    Bitmap Network;          // the right picture after the last "Propojit"
    Bitmap Overlay;          // the right picture after the trees' "Zobrazit"
};

// The buttons of the processing window in the order they are meant to be
// pressed: the background in the left picture, "Napočítat", "Hranice",
// "Sousedi", "Směry", "Filtrovaný obraz", a move, "Propojit", the cycles of
// "Hranice z obrazu", "Sousedi", "Směry", "Iterativní přesuny", "Propojit",
// then the equalized picture in the left picture and "Počítat". Throws
// FilterCellError or std::invalid_argument for a filter that cannot be used,
// before anything is computed.
TCrownChainResult RunCrownChain(const TExtremaList& maxima, const Bitmap& background, const Bitmap& equalized,
                                const TCrownChainSettings& settings);

}  // namespace lumera
