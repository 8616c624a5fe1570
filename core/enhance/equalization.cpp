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

// Every possible rank of a level in a window of `total` pixels, equalized.
std::vector<uint8_t> EqualizedLevels(int32_t total)
{
    std::vector<uint8_t> levels(std::size_t(total) + 1);
    for (int32_t count = 0; count <= total; ++count) levels[std::size_t(count)] = EqualizedLevel(count, total);
    return levels;
}

// For every column of the picture, the histogram of its green bytes in the
// rows the current window spans. With at most 99 rows and 99 x 99 pixels in
// a window, 16-bit counts never overflow.
using TCounts = std::array<uint16_t, 256>;

void CountRow(const Bitmap& picture, int y, int step, std::vector<TCounts>& columns)
{
    const uint8_t* row = picture.ScanLine(y);
    for (std::size_t x = 0; x < columns.size(); ++x) columns[x][row[3 * x + 1]] += step;
}

// One row of the result: the window histogram slides right one column at a
// time, adding the column histogram that enters and taking away the one that
// leaves. The rank of a level is the sum of the bins up to it, as the
// cumulative histogram would hold it.
void EqualizeRow(const Bitmap& picture, const std::vector<TCounts>& columns, const std::vector<uint8_t>& levels,
                 int e, int y, Bitmap& result)
{
    const int width = picture.Width();
    TCounts window{};
    for (int x = 0; x < e; ++x)
        for (int k = 0; k < 256; ++k) window[k] += columns[std::size_t(x)][k];

    const uint8_t* source = picture.ScanLine(y);
    int left = 0;
    for (int x = 0; x < width; ++x) {
        for (const int wanted = WindowStart(x, width, e); left < wanted; ++left) {
            const TCounts& leaving = columns[std::size_t(left)];
            const TCounts& entering = columns[std::size_t(left + e)];
            for (int k = 0; k < 256; ++k) window[k] = static_cast<uint16_t>(window[k] + entering[k] - leaving[k]);
        }
        const int level = source[3 * x + 1];
        uint16_t rank = 0;
        for (int k = 0; k <= level; ++k) rank = static_cast<uint16_t>(rank + window[k]);
        PaintGrey(result, x, y, levels[rank]);
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
    const std::vector<uint8_t> levels = EqualizedLevels(e * e);
    std::vector<TCounts> columns(std::size_t(picture.Width()), TCounts{});
    // The window slides down a row at a time as well: each column loses the
    // row that leaves and counts the one that enters.
    int top = WindowStart(0, picture.Height(), e);
    for (int r = top; r < top + e; ++r) CountRow(picture, r, +1, columns);
    Bitmap result(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        for (const int wanted = WindowStart(y, picture.Height(), e); top < wanted; ++top) {
            CountRow(picture, top, -1, columns);
            CountRow(picture, top + e, +1, columns);
        }
        EqualizeRow(picture, columns, levels, e, y, result);
    }
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
