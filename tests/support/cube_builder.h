#pragma once
#include <cstdint>
#include <vector>

#include "data/cube.h"

namespace lumera::testing {

// A cube of the given size with every value `fill`.
inline TData MakeCube(int bands, int rows, int columns, int16_t fill = 0)
{
    TData cube;
    cube.NBands = bands;
    cube.NRows = rows;
    cube.NColumns = columns;
    cube.Values.assign(std::size_t(bands) * rows * columns, fill);
    return cube;
}

// Sets bands first to last (1-based) of pixel (x, y) to v.
inline void SetBands(TData& cube, int x, int y, int first, int last, int16_t v)
{
    for (int b = first; b <= last; ++b)
        cube.Values[(std::size_t(b - 1) * cube.NRows + y) * cube.NColumns + x] = v;
}

}  // namespace lumera::testing
