#include "imaging/true_colour.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "data/rounding.h"
#include "enhance/colour_stretch.h"

namespace lumera {

namespace {

// First cube band (0-based) of the three averaged into each pixel byte:
// blue, green, red.
constexpr std::array<int, 3> kFirstBand = {5, 17, 33};

// The sums of a channel's three bands for every pixel, into `sums`, and the
// largest sum (at least 0). The sums stand for the averages (sum / 3.0), which
// keep their order.
int32_t SumChannel(const TData& cube, int firstBand, int32_t* sums)
{
    const std::size_t pixels = cube.PlaneSize();
    const int16_t* a = cube.Plane(firstBand);
    const int16_t* b = cube.Plane(firstBand + 1);
    const int16_t* c = cube.Plane(firstBand + 2);
    int32_t largest = 0;
    for (std::size_t i = 0; i < pixels; ++i) {
        const int32_t sum = a[i] + b[i] + c[i];
        sums[i] = sum;
        largest = std::max(largest, sum);
    }
    return largest;
}

double ChannelScale(int32_t largestSum)
{
    const double largest = largestSum / 3.0;
    return largest > 0.0 ? 255.0 / largest : 1.0;
}

}  // namespace

std::optional<std::string> TrueColourRefusal(const TData& cube)
{
    if (cube.NBands >= kTrueColourBands) return std::nullopt;
    return "Datový výřez má jen " + std::to_string(cube.NBands) + " bandů, barevné zobrazení potřebuje alespoň " +
           std::to_string(kTrueColourBands) + ".";
}

Bitmap ChannelComposite(const TData& cube)
{
    if (const auto refusal = TrueColourRefusal(cube)) throw std::invalid_argument(*refusal);
    const std::size_t pixels = cube.PlaneSize();
    std::vector<int32_t> sums(3 * pixels);
    std::array<double, 3> scale;
    for (std::size_t channel = 0; channel < 3; ++channel)
        scale[channel] = ChannelScale(SumChannel(cube, kFirstBand[channel], sums.data() + channel * pixels));

    Bitmap picture(cube.NColumns, cube.NRows);
    uint8_t* bytes = picture.ScanLine(0);  // rows are stored without padding
    for (std::size_t channel = 0; channel < 3; ++channel) {
        const int32_t* channelSums = sums.data() + channel * pixels;
        const double s = scale[channel];
        for (std::size_t i = 0; i < pixels; ++i) bytes[3 * i + channel] = RoundToByte(channelSums[i] / 3.0 * s);
    }
    return picture;
}

Bitmap TrueColourComposite(const TData& cube) { return EnhanceColours(ChannelComposite(cube)); }

}  // namespace lumera
