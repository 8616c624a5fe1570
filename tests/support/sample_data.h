#pragma once
#include <algorithm>
#include <cstdint>
#include <random>

#include "data/cube.h"
#include "imaging/bitmap.h"
#include "imaging/drawing.h"

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

// A cube whose values vary from cell to cell between 0 and 2999.
inline TData PatternCube(int bands, int rows, int columns)
{
    TData cube = MakeCube(bands, rows, columns);
    for (std::size_t i = 0; i < cube.Values.size(); ++i) cube.Values[i] = static_cast<int16_t>((i * 37) % 3001);
    return cube;
}

// A colour picture whose bytes vary with position; `seed` tells pictures apart.
inline Bitmap PatternPicture(int width, int height, int seed = 1)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            px[0] = static_cast<uint8_t>(x * x + seed);
            px[1] = static_cast<uint8_t>(3 * y * seed + x);
            px[2] = static_cast<uint8_t>(x ^ y);
        }
    return picture;
}

// A grey picture whose level at (x, y) is level(x, y).
template <typename F>
Bitmap GreyPicture(int width, int height, F level)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) std::fill_n(picture.ScanLine(y) + 3 * x, 3, static_cast<uint8_t>(level(x, y)));
    return picture;
}

inline bool IsColour(const Bitmap& b, int x, int y, BgrColour c)
{
    const uint8_t* px = b.ScanLine(y) + 3 * x;
    return px[0] == c.Blue && px[1] == c.Green && px[2] == c.Red;
}

inline bool IsBlack(const Bitmap& b, int x, int y) { return IsColour(b, x, y, kBlack); }

inline int CountBlack(const Bitmap& b)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += IsBlack(b, x, y);
    return n;
}

}  // namespace lumera::testing
