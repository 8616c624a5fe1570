#include "extrema/filter_matrix.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/number_format.h"
#include "data/small_file.h"

namespace lumera {

namespace {

// 225 cells of any sensible text fit many times over.
constexpr std::size_t kMaxFilterFileBytes = std::size_t(1) << 20;

// 1 / (2 pi): the two-dimensional normal density of a one-pixel deviation.
constexpr double kGaussFactor = 0.15915494309189535;

TFilterCells EmptyCells(int edge)
{
    if (const auto refusal = EdgeRefusal(edge)) throw std::invalid_argument(*refusal);
    return TFilterCells{edge, std::vector<std::string>(std::size_t(edge) * edge)};
}

// The cell values row by row, all converted before any is used.
std::vector<double> CellValues(const TFilterCells& cells)
{
    std::vector<double> values;
    values.reserve(cells.Texts.size());
    for (const std::string& text : cells.Texts) {
        const auto value = ParseNumber(text);
        if (!value) throw FilterCellError(text);
        values.push_back(*value);
    }
    return values;
}

// The lines after the first, without their line ends; a last line without a
// line end counts, an empty rest after the last line end does not.
std::vector<std::string> LinesFrom(const std::string& text, std::size_t pos)
{
    std::vector<std::string> lines;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        pos = end + 1;
    }
    return lines;
}

}  // namespace

FilterCellError::FilterCellError(const std::string& text)
    : std::runtime_error("Buňka matice filtru \"" + text + "\" není číslo."), text_(text)
{
}

std::optional<std::string> EdgeRefusal(int edge)
{
    if (edge < kMinFilterEdge || edge > kMaxFilterEdge || edge % 2 == 0)
        return "Hrana matice filtru musí být liché číslo od " + std::to_string(kMinFilterEdge) + " do " +
               std::to_string(kMaxFilterEdge) + ", ne " + std::to_string(edge) + ".";
    return std::nullopt;
}

TFilterCells OnesFilter(int edge)
{
    TFilterCells cells = EmptyCells(edge);
    for (std::string& text : cells.Texts) text.assign(1, '1');
    return cells;
}

TFilterCells NormalizeFilter(const TFilterCells& cells, char decimalSeparator)
{
    const std::vector<double> values = CellValues(cells);
    double sum = 0.0;
    for (double v : values) sum += v;
    if (sum == 0.0) throw std::domain_error("Součet matice filtru je 0, matici nelze normovat.");
    // An overflowing sum would turn every weight into 0.
    if (!std::isfinite(sum)) throw std::domain_error("Součet matice filtru je příliš velký, matici nelze normovat.");
    TFilterCells normalized = cells;
    for (std::size_t i = 0; i < values.size(); ++i)
        normalized.Texts[i] = FormatNumber(values[i] / sum, decimalSeparator);
    return normalized;
}

TFilterCells GaussFilter(int edge, char decimalSeparator)
{
    TFilterCells cells = EmptyCells(edge);
    const int h = edge / 2;
    for (int j = -h; j <= h; ++j)
        for (int i = -h; i <= h; ++i)
            cells.Texts[std::size_t(h + j) * edge + (h + i)] =
                FormatNumber(std::exp(-0.5 * (i * i + j * j)) * kGaussFactor, decimalSeparator);
    return NormalizeFilter(cells, decimalSeparator);
}

TMatice FilterWeights(const TFilterCells& cells)
{
    TMatice weights(cells.Edge, cells.Edge);
    weights.Values = CellValues(cells);
    return weights;
}

std::optional<std::string> FilterRefusal(const TFilterCells& cells)
{
    if (auto refusal = EdgeRefusal(cells.Edge)) return refusal;
    if (cells.Texts.size() != std::size_t(cells.Edge) * cells.Edge)
        return "Matice filtru s hranou " + std::to_string(cells.Edge) + " má " + std::to_string(cells.Texts.size()) +
               " buněk.";
    return std::nullopt;
}

void ApplyFilterPerPixel(TMatice& matrix, const TMatice& weights)
{
    const int n = weights.Height, h = n / 2;
    if (weights.Width != n || n % 2 == 0)
        throw std::invalid_argument("Matice filtru musí být čtvercová s lichou hranou.");
    if (n > matrix.Height || n > matrix.Width) return;
    const TMatice copy = matrix;
    for (int r = h; r <= matrix.Height - 1 - h; ++r)
        for (int c = h; c <= matrix.Width - 1 - h; ++c) {
            double sum = 0.0;
            for (int di = -h; di <= h; ++di)
                for (int dj = -h; dj <= h; ++dj) sum += weights.At(h + dj, h + di) * copy.At(c + di, r + dj);
            matrix.At(c, r) = sum;
        }
}

void ApplyFilter(TMatice& matrix, const TMatice& weights)
{
    const int n = weights.Height, h = n / 2;
    if (weights.Width != n || n % 2 == 0)
        throw std::invalid_argument("Matice filtru musí být čtvercová s lichou hranou.");
    if (n > matrix.Height || n > matrix.Width) return;
    const TMatice copy = matrix;
    const int first = h, count = matrix.Width - 2 * h;
    // Whole rows at a time: each pixel still adds its terms in the definition's
    // order, so only independent pixels run side by side.
    std::vector<double> sums(std::size_t(count), 0.0);
    for (int r = h; r <= matrix.Height - 1 - h; ++r) {
        std::fill(sums.begin(), sums.end(), 0.0);
        for (int di = -h; di <= h; ++di)
            for (int dj = -h; dj <= h; ++dj) {
                const double w = weights.At(h + dj, h + di);
                const double* source = copy.Row(r + dj) + first + di;
                double* sum = sums.data();
                for (int k = 0; k < count; ++k) sum[k] += w * source[k];
            }
        std::copy(sums.begin(), sums.end(), matrix.Row(r) + first);
    }
}

TFilterCells ReadFilterFile(const std::string& path)
{
    const std::string text = ReadSmallFile(path, kMaxFilterFileBytes);
    const std::size_t start = std::min(text.find_first_not_of(" \t\r\n"), text.size());
    const std::size_t stop = std::min(text.find_first_of(" \t\r\n", start), text.size());
    int edge = 0;
    const auto [next, error] = std::from_chars(text.data() + start, text.data() + stop, edge);
    if (start == stop || error != std::errc() || next != text.data() + stop)
        throw FileError("Soubor " + path + ": na prvním řádku není hrana matice filtru (celé číslo).");
    if (const auto refusal = EdgeRefusal(edge)) throw FileError("Soubor " + path + ": " + *refusal);
    const std::size_t lineEnd = std::min(text.find('\n', stop), text.size());
    std::vector<std::string> lines = LinesFrom(text, lineEnd + 1);
    const std::size_t needed = std::size_t(edge) * edge;
    if (lines.size() < needed)
        throw FileError("Soubor " + path + ": matice filtru s hranou " + std::to_string(edge) + " potřebuje " +
                        std::to_string(needed) + " řádků buněk, soubor jich má " + std::to_string(lines.size()) + ".");
    lines.resize(needed);
    return TFilterCells{edge, std::move(lines)};
}

void WriteFilterFile(const std::string& path, const TFilterCells& cells)
{
    std::string text = std::to_string(cells.Edge) + "\r\n";
    for (const std::string& cell : cells.Texts) text += cell + "\r\n";
    WriteFileAtomically(path, [&](std::ostream& out) { out.write(text.data(), std::streamsize(text.size())); });
}

}  // namespace lumera
