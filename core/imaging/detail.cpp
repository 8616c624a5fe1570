#include "imaging/detail.h"

#include <cmath>
#include <numbers>
#include <string>

#include "data/rounding.h"

namespace lumera {

namespace {

int ClampCentre(int v, int size)
{
    if (v < kDetailRadius) return kDetailRadius;
    if (v > size - kDetailRadius - 1) return size - kDetailRadius - 1;
    return v;
}

// Interior blocks: each source pixel with its right, lower and lower-right
// neighbours spans 4 x 4 detail pixels.
void MagnifyInterior(const Bitmap& source, Bitmap& detail, int cx, int cy)
{
    for (int r = cy - kDetailRadius; r < cy + kDetailRadius; ++r) {
        const uint8_t* top = source.ScanLine(r);
        const uint8_t* bottom = source.ScanLine(r + 1);
        for (int j = 0; j < 4; ++j) {
            uint8_t* out = detail.ScanLine(4 * (r - cy + kDetailRadius) + j);
            for (int c = cx - kDetailRadius; c < cx + kDetailRadius; ++c) {
                for (int i = 0; i < 4; ++i) {
                    const double w00 = (4 - j) * (4 - i) / 16.0, w01 = (4 - j) * i / 16.0;
                    const double w10 = j * (4 - i) / 16.0, w11 = i * j / 16.0;
                    uint8_t* px = out + 3 * (4 * (c - cx + kDetailRadius) + i);
                    for (int k = 0; k < 3; ++k) {
                        const double v = w00 * top[3 * c + k] + w01 * top[3 * (c + 1) + k] +
                                         w10 * bottom[3 * c + k] + w11 * bottom[3 * (c + 1) + k];
                        px[k] = static_cast<uint8_t>(Round(v));
                    }
                }
            }
        }
    }
}

// The right column of the detail blends vertically along the square's last column.
void MagnifyRightColumn(const Bitmap& source, Bitmap& detail, int cx, int cy)
{
    const int c = cx + kDetailRadius;
    for (int r = cy - kDetailRadius; r < cy + kDetailRadius; ++r) {
        const uint8_t* top = source.ScanLine(r) + 3 * c;
        const uint8_t* bottom = source.ScanLine(r + 1) + 3 * c;
        for (int j = 0; j < 4; ++j) {
            uint8_t* px = detail.ScanLine(4 * (r - cy + kDetailRadius) + j) + 3 * (kDetailSide - 1);
            for (int k = 0; k < 3; ++k) px[k] = static_cast<uint8_t>(Round((4 - j) / 4.0 * top[k] + j / 4.0 * bottom[k]));
        }
    }
}

// The bottom row blends horizontally along the square's last row; its last
// pixel is the square's corner, copied.
void MagnifyBottomRow(const Bitmap& source, Bitmap& detail, int cx, int cy)
{
    const uint8_t* row = source.ScanLine(cy + kDetailRadius);
    uint8_t* out = detail.ScanLine(kDetailSide - 1);
    for (int c = cx - kDetailRadius; c < cx + kDetailRadius; ++c)
        for (int i = 0; i < 4; ++i) {
            uint8_t* px = out + 3 * (4 * (c - cx + kDetailRadius) + i);
            for (int k = 0; k < 3; ++k)
                px[k] = static_cast<uint8_t>(Round((4 - i) / 4.0 * row[3 * c + k] + i / 4.0 * row[3 * (c + 1) + k]));
        }
    const uint8_t* corner = row + 3 * (cx + kDetailRadius);
    uint8_t* last = out + 3 * (kDetailSide - 1);
    for (int k = 0; k < 3; ++k) last[k] = corner[k];
}

}  // namespace

bool ShowDetail(const Bitmap& source, Bitmap& detail, int x, int y)
{
    if (source.Width() < kDetailSource || source.Height() < kDetailSource) return false;
    if (detail.Width() != kDetailSide || detail.Height() != kDetailSide) detail.SetSize(kDetailSide, kDetailSide);
    const int cx = ClampCentre(x, source.Width());
    const int cy = ClampCentre(y, source.Height());
    MagnifyInterior(source, detail, cx, cy);
    MagnifyRightColumn(source, detail, cx, cy);
    MagnifyBottomRow(source, detail, cx, cy);
    return true;
}

std::string DetailRangeText(int x, int y)
{
    return std::to_string(x - kDetailRadius) + "-" + std::to_string(x + kDetailRadius) + "x" +
           std::to_string(y - kDetailRadius) + "-" + std::to_string(y + kDetailRadius);
}

std::array<uint8_t, 3> RampColour(int32_t i, int32_t n)
{
    if (i >= n) return {237, 242, 249};
    const double t = -2.0 * std::numbers::pi * std::exp(static_cast<double>(5 * i) / n);
    const auto red = 127 - static_cast<int>(std::trunc(127.0 * std::cos(8.5 * t)));
    const auto green = 127 + static_cast<int>(std::trunc(127.0 * std::cos(6.2 * t)));
    const auto blue = 127 - static_cast<int>(std::trunc(127.0 * std::cos(10.6 * t)));
    return {static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue)};
}

}  // namespace lumera
