#pragma once
#include <string>
#include <vector>

#include "data/band_table.h"
#include "data/cube.h"
#include "imaging/bitmap.h"
#include "imaging/drawing.h"

namespace lumera {

// Size of the main window's spectrum plot (`SpektrumImage`).
constexpr int kSpectrumPlotWidth = 545;
constexpr int kSpectrumPlotHeight = 400;

// The values of the pixel (column, row, 1-based, inside the cube), band 1 first.
std::vector<double> PixelSpectrum(const TData& cube, int column, int row);

// One line of the spectrum list: "B" + band + two spaces + value, the value in
// the shortest general decimal form ("B3  812").
std::string SpectrumLine(int band, double value, char decimalSeparator = '.');

// The spectrum list of the pixel as the main window shows it, one line per band.
std::vector<std::string> SpectrumLines(const TData& cube, int column, int row, char decimalSeparator = '.');

// Draws the pixel's spectrum into the plot with a black pen one pixel wide:
// `SampleSpectrum` for the plot's size, each point at (X, height - Y), joined
// by straight lines in band order. What lies outside the plot (values above
// 4000, or 0 and below, which fall on row `height` and further down) is
// clipped. Drawing accumulates: earlier curves stay.
void DrawSpectrum(Bitmap& plot, const TData& cube, const TBandTable& table, int column, int row);

// A crown's mean spectrum is drawn in red beside its pixels' in black.
constexpr BgrColour kCrownSpectrumColour{0, 0, 255};

// Draws a spectrum given by its band values (a crown's mean) into the plot
// as DrawSpectrum draws a pixel's, in the given colour.
void DrawSpectrumValues(Bitmap& plot, const std::vector<double>& values, const TBandTable& table, BgrColour colour);

// "Smazat": fills the plot white from (1, 1) to its right and bottom edges,
// so row 0 and column 0 keep whatever was drawn there.
void ClearSpectrumPlot(Bitmap& plot);

}  // namespace lumera
