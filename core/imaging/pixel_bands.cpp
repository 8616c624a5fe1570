#include "imaging/pixel_bands.h"

#include "data/number_format.h"
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

void ClearSpectrumPlot(Bitmap& plot) { FillRect(plot, 1, 1, plot.Width(), plot.Height(), kWhite); }

}  // namespace lumera
