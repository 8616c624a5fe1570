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

// What both searches come to once their settings are read: the maxima search
// is the 3 x 3 case in which neighbours count when lower than the centre, the
// minima search the case in which they count when higher.
struct SearchRule {
    ExtremumTest Test = ExtremumTest::Directions;
    int Size = 3;      // 3 or 5: the block side
    int Required = 1;  // directions or neighbours that must count
    bool EqualityAllowed = false;
    bool Rising = false;  // neighbours count when higher (minima)
};

inline SearchRule MaximaRule(const MaximaSettings& s)
{
    return {s.Test, 3, s.Test == ExtremumTest::Directions ? s.Directions : s.Neighbours, s.EqualityAllowed, false};
}

inline SearchRule MinimaRule(const MinimaSettings& s)
{
    return {s.Test, s.Size == 5 ? 5 : 3, s.Test == ExtremumTest::Directions ? s.Directions : s.Neighbours,
            s.EqualityAllowed, true};
}

// The positions of a brightness matrix that pass the rule's test, or those of
// the cube where it passes in at least `bands` bands (the band vote). Points
// come ordered by X, then Y; Size / 2 rows and columns at every edge are never
// tested.
TExtremaList FindExtrema(const TMatice& brightness, const SearchRule& rule);
TExtremaList FindExtrema(const TData& cube, int bands, const SearchRule& rule);

// The same searches computed literally, position by position and band by
// band: the definitions the searches above are checked and measured against.
TExtremaList FindExtremaPerPixel(const TMatice& brightness, const SearchRule& rule);
TExtremaList FindExtremaPerPixel(const TData& cube, int bands, const SearchRule& rule);

// The local maxima (3 x 3 tests) and the minima grid (the mirror tests, 3 x 3
// or 5 x 5, the 5 x 5 four-direction test rising step by step).
inline TExtremaList FindMaxima(const TMatice& brightness, const MaximaSettings& s)
{
    return FindExtrema(brightness, MaximaRule(s));
}
inline TExtremaList FindMaxima(const TData& cube, const MaximaSettings& s)
{
    return FindExtrema(cube, s.Bands, MaximaRule(s));
}
inline TExtremaList FindMinima(const TMatice& brightness, const MinimaSettings& s)
{
    return FindExtrema(brightness, MinimaRule(s));
}
inline TExtremaList FindMinima(const TData& cube, const MinimaSettings& s)
{
    return FindExtrema(cube, s.Bands, MinimaRule(s));
}

}  // namespace lumera
