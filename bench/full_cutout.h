#pragma once
#include "data/cube.h"

// A cut-out of the largest size the sensor delivers, 65 bands of 400 x 400,
// with values varying from cell to cell.
inline lumera::TData FullSizeCutout()
{
    lumera::TData cube;
    cube.NBands = 65;
    cube.NRows = 400;
    cube.NColumns = 400;
    cube.Values.resize(std::size_t(65) * 400 * 400);
    for (std::size_t i = 0; i < cube.Values.size(); ++i) cube.Values[i] = static_cast<int16_t>(i % 4096);
    return cube;
}
