#include "enhance/equalization.h"

#include <stdexcept>
#include <vector>

#include "data/rounding.h"

namespace lumera {

namespace {

uint8_t EqualizedLevel(int32_t count, int32_t total)
{
    if (total <= 0) return 0;
    return RoundToByte(static_cast<double>(count * 255) / total);
}

void RequireEqualizable(const Bitmap& picture, int e)
{
    if (const auto refusal = EqualizationRefusal(picture, e)) throw std::invalid_argument(*refusal);
}

void PaintGrey(Bitmap& picture, int x, int y, uint8_t level)
{
    uint8_t* px = picture.ScanLine(y) + 3 * x;
    px[0] = px[1] = px[2] = level;
}

// The green bytes column after column, so that a window column is contiguous.
std::vector<uint8_t> GreenByColumns(const Bitmap& picture)
{
    const int width = picture.Width(), height = picture.Height();
    std::vector<uint8_t> columns(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) columns[std::size_t(x) * height + y] = row[3 * x + 1];
    }
    return columns;
}

// Every possible rank of a level in a window of `total` pixels, equalized.
std::vector<uint8_t> EqualizedLevels(int32_t total)
{
    std::vector<uint8_t> levels(std::size_t(total) + 1);
    for (int32_t count = 0; count <= total; ++count) levels[std::size_t(count)] = EqualizedLevel(count, total);
    return levels;
}

// One row of the result: the window histogram slides right one column at a
// time, losing the column that leaves and counting the one that enters. The
// rank of a level is the sum of the bins up to it, as the cumulative
// histogram would hold it.
void EqualizeRow(const Bitmap& picture, const std::vector<uint8_t>& columns, const std::vector<uint8_t>& levels,
                 int e, int y, Bitmap& result)
{
    const int width = picture.Width(), height = picture.Height();
    const int top = WindowStart(y, height, e);
    auto column = [&](int x) { return columns.data() + std::size_t(x) * height + top; };

    THistogram histogram{};
    for (int x = 0; x < e; ++x)
        for (int r = 0; r < e; ++r) ++histogram[column(x)[r]];

    const uint8_t* source = picture.ScanLine(y);
    int left = 0;
    for (int x = 0; x < width; ++x) {
        for (const int wanted = WindowStart(x, width, e); left < wanted; ++left) {
            const uint8_t* leaving = column(left);
            const uint8_t* entering = column(left + e);
            for (int r = 0; r < e; ++r) {
                --histogram[leaving[r]];
                ++histogram[entering[r]];
            }
        }
        const int level = source[3 * x + 1];
        int32_t rank = 0;
        for (int k = 0; k <= level; ++k) rank += histogram[k];
        PaintGrey(result, x, y, levels[std::size_t(rank)]);
    }
}

}  // namespace

void WindowHistogram(const Bitmap& picture, int left, int top, int columns, int rows, THistogram& histogram)
{
    histogram.fill(0);
    for (int y = top; y < top + rows; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = left; x < left + columns; ++x) ++histogram[row[3 * x + 1]];
    }
}

void CumulateHistogram(const THistogram& histogram, THistogram& cumulative)
{
    cumulative[0] = histogram[0];
    for (int k = 1; k < 256; ++k) cumulative[k] = cumulative[k - 1] + histogram[k];
}

uint8_t EqualizeValue(int level, const THistogram& cumulative)
{
    return EqualizedLevel(cumulative[std::size_t(level)], cumulative[255]);
}

int WindowStart(int position, int size, int e)
{
    const int h = e / 2;
    int start = 0;
    if (position > h) start = position - h;
    if (position >= size - (e - h) - 1) start = size - e - 1;
    return start;
}

std::optional<std::string> EqualizationRefusal(const Bitmap& picture, int e)
{
    const std::string side = std::to_string(e);
    if (e < kMinEqualizationWindow || e > kMaxEqualizationWindow)
        return "Hrana plovoucího okna " + side + " není mezi " + std::to_string(kMinEqualizationWindow) + " a " +
               std::to_string(kMaxEqualizationWindow) + ".";
    if (picture.Width() < e + 1 || picture.Height() < e + 1)
        return "Obrázek " + std::to_string(picture.Width()) + "x" + std::to_string(picture.Height()) +
               " pixelů je pro plovoucí okno s hranou " + side + " příliš malý, potřebuje alespoň " +
               std::to_string(e + 1) + "x" + std::to_string(e + 1) + " pixelů.";
    return std::nullopt;
}

Bitmap Equalize(const Bitmap& picture, int e)
{
    RequireEqualizable(picture, e);
    const std::vector<uint8_t> columns = GreenByColumns(picture);
    const std::vector<uint8_t> levels = EqualizedLevels(e * e);
    Bitmap result(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) EqualizeRow(picture, columns, levels, e, y, result);
    return result;
}

Bitmap EqualizePerPixel(const Bitmap& picture, int e)
{
    RequireEqualizable(picture, e);
    const int width = picture.Width(), height = picture.Height();
    Bitmap result(width, height);
    THistogram histogram, cumulative;
    for (int y = 0; y < height; ++y) {
        const int top = WindowStart(y, height, e);
        for (int x = 0; x < width; ++x) {
            WindowHistogram(picture, WindowStart(x, width, e), top, e, e, histogram);
            CumulateHistogram(histogram, cumulative);
            PaintGrey(result, x, y, EqualizeValue(picture.ScanLine(y)[3 * x + 1], cumulative));
        }
    }
    return result;
}

}  // namespace lumera
