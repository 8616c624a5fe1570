#pragma once
#include "data/cube.h"
#include "data/matice.h"
#include "extrema/extremum.h"

namespace lumera {

// "Výpočet podle": the four-direction test or the neighbourhood count test.
enum class ExtremumTest { Directions, Neighbourhood };

// The maxima search's settings, starting as the search window's controls do.
struct MaximaSettings {
    ExtremumTest Test = ExtremumTest::Directions;  // VypocetPodle2
    bool EqualityAllowed = false;                  // VypocetPodle3: "připouští"
    int Directions = 4;                            // KolikSmeru
    int Neighbours = 7;                            // KolikMensich
    int Bands = 60;                                // KolikBandu, cube only
};

// The minima grid search's settings, starting as the search window's controls do.
struct MinimaSettings {
    ExtremumTest Test = ExtremumTest::Directions;  // VypocetPodle2
    bool EqualityAllowed = false;                  // VypocetPodle3: "připouští"
    int Size = 5;                                  // VypocetPodle4: 5 for 5 x 5, else 3 x 3
    int Directions = 1;                            // KolikSmeru2
    int Neighbours = 4;                            // KolikMensich2
    int Bands = 60;                                // KolikBandu2, cube only
};

// The local maxima of a brightness matrix (3 x 3 tests), or of the cube where
// a position is listed when its test passes in at least Bands bands. Points
// come ordered by X, then Y; the outermost rows and columns are never listed.
TExtremaList FindMaxima(const TMatice& brightness, const MaximaSettings& settings);
TExtremaList FindMaxima(const TData& cube, const MaximaSettings& settings);

// The minima grid: the mirror tests (neighbours higher than the centre), 3 x 3
// or 5 x 5, with the 5 x 5 four-direction test rising step by step; listed as
// the maxima are, Size / 2 rows and columns at every edge never tested.
TExtremaList FindMinima(const TMatice& brightness, const MinimaSettings& settings);
TExtremaList FindMinima(const TData& cube, const MinimaSettings& settings);

// The same searches computed literally, position by position and band by
// band: the definitions the searches above are checked and measured against.
TExtremaList FindMaximaPerPixel(const TMatice& brightness, const MaximaSettings& settings);
TExtremaList FindMaximaPerPixel(const TData& cube, const MaximaSettings& settings);
TExtremaList FindMinimaPerPixel(const TMatice& brightness, const MinimaSettings& settings);
TExtremaList FindMinimaPerPixel(const TData& cube, const MinimaSettings& settings);

}  // namespace lumera
