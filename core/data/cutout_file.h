#pragma once
#include <string>

#include "data/cube.h"

namespace lumera {

// Largest number of rows or columns of a cut-out Lumera reads or makes. Cut-outs
// are meant to be at most 400 x 400; this leaves room for larger synthetic
// stands while a whole cut-out (65 bands) stays within 130 MB.
constexpr int kMaxCutoutDimension = 1000;

// The dimensions a cut-out file declares.
struct TCutoutHeader {
    int32_t NBands = 0;
    int32_t NRows = 0;
    int32_t NColumns = 0;
};

// Reads and checks a cut-out's header (every count within its limits) and the
// file's length against it, without reading the values. Throws FileError.
TCutoutHeader ReadCutoutHeader(const std::string& path);

// Reads a cut-out file: three little-endian signed 16-bit counts (bands, rows,
// columns), then the values band by band, row by row, column by column.
// The header and the file length are checked before anything is allocated;
// a file that fails a check throws FileError and nothing is returned.
TData ReadCutout(const std::string& path);

// The same cube as ReadCutout, checked the same way, but its values left in
// the file's pages where the system can map them: no copy and no fresh memory
// to fill. For short-lived processes only, since a file shortened while the
// cube lives takes its pages with it; the windows read.
TData MapCutout(const std::string& path);

// Writes a cube as a cut-out file, atomically.
void WriteCutout(const std::string& path, const TData& cube);

}  // namespace lumera
