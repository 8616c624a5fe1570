#pragma once
#include <cstddef>
#include <cstdint>

#include "extrema/extrema_search.h"

namespace lumera {

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
