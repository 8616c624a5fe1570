#pragma once
#include <cstddef>
#include <cstdint>

#include "extrema/extrema_search.h"

namespace lumera {

// What both searches share once their settings are read: the maxima search is
// the 3 x 3 case in which neighbours count when lower than the centre, the
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

// The planes a search votes over: the bands of the cube, or the one brightness
// matrix that needs a single vote.
template <class T>
struct SearchSource {
    const T* First = nullptr;
    int Count = 0;  // planes, each Width x Height row by row, one after another
    int Width = 0;
    int Height = 0;
    int Needed = 1;  // votes a position needs

    const T* Plane(int b) const { return First + std::size_t(b) * std::size_t(Width) * std::size_t(Height); }
};

inline SearchSource<double> PictureSource(const TMatice& m) { return {m.Values.data(), 1, m.Width, m.Height, 1}; }

inline SearchSource<int16_t> CubeSource(const TData& cube, int bands)
{
    return {cube.Values.data(), cube.Empty() ? 0 : cube.NBands, cube.NColumns, cube.NRows, bands};
}

}  // namespace lumera
