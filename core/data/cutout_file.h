#pragma once
#include <string>

#include "data/cube.h"

namespace lumera {

// Largest count a cut-out header can hold (a signed 16-bit field).
constexpr int kMaxCutoutDimension = 32767;

// Reads a cut-out file: three little-endian signed 16-bit counts (bands, rows,
// columns), then the values band by band, row by row, column by column.
// The header and the file length are checked before anything is allocated;
// a file that fails a check throws FileError and nothing is returned.
TData ReadCutout(const std::string& path);

// Writes a cube as a cut-out file, atomically.
void WriteCutout(const std::string& path, const TData& cube);

}  // namespace lumera
