#include "imaging/pixel_bands.h"

#include "data/number_format.h"
#include "data/rounding.h"
#include "imaging/drawing.h"

namespace lumera {

std::vector<double> PixelSpectrum(const TData& cube, int column, int row)
{
    std::vector<double> values;
    values.reserve(std::size_t(cube.NBands));
    for (int band = 1; band <= cube.NBands; ++band) values.push_back(CubeValue(cube, column, row, band));
    return values;
}

std::string SpectrumLine(int band, double value, char decimalSeparator)
{
    std::string line(1, 'B');
    line.append(std::to_string(band)).append("  ").append(FormatNumber(value, decimalSeparator));
    return line;
}

std::vector<std::string> SpectrumLines(const TData& cube, int column, int row, char decimalSeparator)
{
    const std::vector<double> values = PixelSpectrum(cube, column, row);
    std::vector<std::string> lines;
    lines.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        lines.push_back(SpectrumLine(static_cast<int>(i) + 1, values[i], decimalSeparator));
    return lines;
}

void DrawSpectrum(Bitmap& plot, const TData& cube, const TBandTable& table, int column, int row)
{
    TSpectrumSequence points = SampleSpectrum(cube, table, column, row, plot.Width(), plot.Height());
    for (TPoint& p : points) p.Y = plot.Height() - p.Y;
    DrawPolyline(plot, points, kBlack);
}

void DrawSpectrumValues(Bitmap& plot, const std::vector<double>& values, const TBandTable& table, BgrColour colour)
{
    const std::size_t n = values.size();
    if (n == 0 || table.size() < n) return;
    const double lo = table[0].Center - 0.5 * table[0].Width;
    const double hi = table[n - 1].Center + 0.5 * table[n - 1].Width;
    const double sx = plot.Width() / (hi - lo), sy = plot.Height() / 4000.0;
    std::vector<TPoint> points(n);
    for (std::size_t i = 0; i < n; ++i)
        points[i] = {Round(sx * (table[i].Center - lo)), plot.Height() - Round(sy * values[i])};
    DrawPolyline(plot, points, colour);
}

void ClearSpectrumPlot(Bitmap& plot) { FillRect(plot, 1, 1, plot.Width(), plot.Height(), kWhite); }

}  // namespace lumera
