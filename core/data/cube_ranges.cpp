#include "data/cube_ranges.h"

namespace lumera {

namespace {

// "Band 70 leží mimo datový výřez: výřez má bandy 1 až 65."
std::string OutsideMessage(const char* what, int value, const char* plural, int count)
{
    return std::string(what) + " " + std::to_string(value) + " leží mimo datový výřez: výřez má " + plural +
           " 1 až " + std::to_string(count) + ".";
}

}  // namespace

std::string BandRangeError(const TData& cube, int band)
{
    if (band < 1 || band > cube.NBands) return OutsideMessage("Band", band, "bandy", cube.NBands);
    return {};
}

std::string PixelRangeError(const TData& cube, int column, int row)
{
    if (column < 1 || column > cube.NColumns) return OutsideMessage("Sloupec", column, "sloupce", cube.NColumns);
    if (row < 1 || row > cube.NRows) return OutsideMessage("Řádek", row, "řádky", cube.NRows);
    return {};
}

}  // namespace lumera
