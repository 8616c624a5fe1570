#pragma once
#include <cstdint>
#include <random>
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

// A cube of random values from low to high, the same for the same seed.
inline TData RandomCube(int bands, int rows, int columns, unsigned seed, int low = 0, int high = 4000)
{
    TData cube = MakeCube(bands, rows, columns);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> value(low, high);
    for (int16_t& v : cube.Values) v = static_cast<int16_t>(value(rng));
    return cube;
}

}  // namespace lumera::testing
