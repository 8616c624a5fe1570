#include "enhance/colour_stretch.h"

#include <cmath>

#include "data/rounding.h"

namespace lumera {

namespace {

// The brightness level of a pixel, the mean of its three bytes rounded, for
// every possible sum of the bytes.
using LevelsBySum = std::array<uint8_t, 766>;

LevelsBySum BrightnessLevels()
{
    LevelsBySum levels;
    for (int sum = 0; sum < 766; ++sum) levels[std::size_t(sum)] = static_cast<uint8_t>(Round(sum / 3.0));
    return levels;
}

int ByteSum(const uint8_t* pixel) { return pixel[0] + pixel[1] + pixel[2]; }

THistogram BrightnessHistogram(const Bitmap& picture, const LevelsBySum& levels)
{
    THistogram histogram{};
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x) ++histogram[levels[std::size_t(ByteSum(row + 3 * x))]];
    }
    return histogram;
}

// A colour with byte sum s > 0 rescaled to the mean t / 3 > 0, with k = t / s.
inline std::array<uint8_t, 3> Rescale(uint8_t red, uint8_t green, uint8_t blue, double t, double k)
{
    const double r = red * k, g = green * k, b = blue * k;
    double m = r;
    if (g > m) m = g;
    if (b > m) m = b;
    if (m - 1e-07 <= 255.0) return {RoundToByte(r), RoundToByte(g), RoundToByte(b)};

    // The brightest channel would pass 255: move towards white so that it
    // becomes 255 while the sum stays 3 x target.
    const double q = (t - 765.0) / (r + g + b - 3.0 * m);
    if (q == 0.0) return {255, 255, 255};
    const double d = (255.0 - q * m) / q;
    return {RoundToByte((r + d) * q), RoundToByte((g + d) * q), RoundToByte((b + d) * q)};
}

// What the stretch makes of a pixel depends on its bytes only through their
// sum: its target level and the factor t / s, made once per sum.
struct StretchBySum {
    std::array<uint8_t, 766> Target;
    std::array<double, 766> K;
};

StretchBySum StretchTable(const LevelsBySum& levels, const TClipLevels& clip)
{
    StretchBySum table;
    for (int sum = 0; sum < 766; ++sum) {
        const uint8_t target = StretchLevel(levels[std::size_t(sum)], clip.Lo, clip.Hi);
        table.Target[std::size_t(sum)] = target;
        table.K[std::size_t(sum)] = sum > 0 ? 3.0 * target / sum : 0.0;
    }
    return table;
}

}  // namespace

TClipLevels ClipLevels(const THistogram& histogram, double lowPercent, double highPercent)
{
    int64_t total = 0;
    for (const int32_t count : histogram) total += count;
    const double pixels = static_cast<double>(total);
    const int64_t nLow = static_cast<int64_t>(std::nearbyint(pixels * lowPercent * 0.01));
    const int64_t nHigh = static_cast<int64_t>(std::nearbyint(pixels * highPercent * 0.01));

    TClipLevels levels;
    int64_t sum = 0;
    int k = 0;
    while (sum < nLow && k < 256) sum += histogram[std::size_t(k++)];
    levels.Lo = k - 1;
    sum = 0;
    k = 255;
    while (sum < nHigh && k >= 0) sum += histogram[std::size_t(k--)];
    levels.Hi = k + 1;
    return levels;
}

uint8_t StretchLevel(int level, int lo, int hi)
{
    if (lo == hi) return RoundToByte(level);
    return RoundToByte(static_cast<double>(level - lo) / (hi - lo) * 255.0);
}

std::array<uint8_t, 3> SetBrightness(uint8_t red, uint8_t green, uint8_t blue, double target)
{
    const int s = red + green + blue;
    if (s == 0) {
        const uint8_t grey = RoundToByte(target);
        return {grey, grey, grey};
    }
    if (target == 0.0) return {0, 0, 0};
    const double t = 3.0 * target;
    return Rescale(red, green, blue, t, t / s);
}

Bitmap EnhanceColours(Bitmap picture)
{
    const LevelsBySum levels = BrightnessLevels();
    const TClipLevels clip = ClipLevels(BrightnessHistogram(picture, levels), 0.01, 0.1);
    if (clip.Lo == clip.Hi) return picture;
    const StretchBySum stretch = StretchTable(levels, clip);
    for (int y = 0; y < picture.Height(); ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x) {
            uint8_t* px = row + 3 * x;
            const std::size_t s = std::size_t(ByteSum(px));
            const uint8_t target = stretch.Target[s];
            if (s == 0 || target == 0) {
                px[0] = px[1] = px[2] = target;  // black to grey, or anything to black
                continue;
            }
            const auto [red, green, blue] = Rescale(px[2], px[1], px[0], 3.0 * target, stretch.K[s]);
            px[0] = blue;
            px[1] = green;
            px[2] = red;
        }
    }
    return picture;
}

}  // namespace lumera
