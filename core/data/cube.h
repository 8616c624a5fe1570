#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/band_table.h"
#include "data/cube_storage.h"

namespace lumera {

// The data cube of one cut-out: raw signed 16-bit sensor values, held in one
// contiguous block addressed [band][row][column], all 0-based.
struct TData {
    int32_t NBands = 0;
    int32_t NRows = 0;
    int32_t NColumns = 0;
    CubeValues Values;

    bool Empty() const { return Values.empty(); }
    std::size_t PlaneSize() const { return std::size_t(NRows) * std::size_t(NColumns); }
    const int16_t* Plane(int band) const { return Values.data() + std::size_t(band) * PlaneSize(); }
    const int16_t* Row(int band, int row) const { return Plane(band) + std::size_t(row) * std::size_t(NColumns); }
    int16_t At(int band, int row, int column) const { return Row(band, row)[column]; }
};

// One point of a plotted spectrum; Y grows upwards from 0.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
};
using TSpectrumSequence = std::vector<TPoint>;

// The loaded cut-out and what belongs with it: the program's shared data.
struct DataUnit {
    TData Cube;
    bool DataLoaded = false;
    double PixelSize = 0.0;  // metres per pixel of the loaded cut-out, 0 when unknown
    std::string ProgramDir;
    TBandTable BandTable;

    // The sensor's band count before any load, then the loaded cut-out's.
    int32_t NBands() const { return DataLoaded ? Cube.NBands : kSensorBands; }
    int32_t NRows() const { return Cube.NRows; }
    int32_t NColumns() const { return Cube.NColumns; }
};

// Value of the cell at column, row and band, all 1-based.
double CubeValue(const TData& cube, int column, int row, int band);

// The spectrum of the pixel (column, row, 1-based) as plot points for a plot of
// the given size: X by band centre over the table's wavelength range, Y so
// that the value 4000 reaches the full height. Needs table rows for every band.
TSpectrumSequence SampleSpectrum(const TData& cube, const TBandTable& table, int column, int row,
                                 int plotWidth, int plotHeight);

struct BandMaximumResult {
    const int16_t* Plane = nullptr;  // the band's own plane in the cube, not a copy
    int16_t Maximum = 0;             // largest value, never below 0
};

// The plane of a band (1-based) and its largest value, at least 0.
BandMaximumResult BandMaximum(const TData& cube, int band);

}  // namespace lumera
