#include "imaging/true_colour.h"

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

// Per channel, the sums of the three bands for every pixel and the largest
// sum. The sums stand for the averages (sum / 3.0), which keep their order.
struct ChannelSums {
    std::vector<int32_t> Sums;
    int32_t Largest = 0;
};

ChannelSums SumChannel(const TData& cube, int firstBand)
{
    const std::size_t pixels = cube.PlaneSize();
    const int16_t* a = cube.Plane(firstBand);
    const int16_t* b = cube.Plane(firstBand + 1);
    const int16_t* c = cube.Plane(firstBand + 2);
    ChannelSums channel{std::vector<int32_t>(pixels), 0};
    for (std::size_t i = 0; i < pixels; ++i) {
        const int32_t sum = a[i] + b[i] + c[i];
        channel.Sums[i] = sum;
        if (sum > channel.Largest) channel.Largest = sum;
    }
    return channel;
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
    Bitmap picture(cube.NColumns, cube.NRows);
    for (int channel = 0; channel < 3; ++channel) {
        const ChannelSums sums = SumChannel(cube, kFirstBand[std::size_t(channel)]);
        const double scale = ChannelScale(sums.Largest);
        std::size_t i = 0;
        for (int y = 0; y < cube.NRows; ++y) {
            uint8_t* row = picture.ScanLine(y);
            for (int x = 0; x < cube.NColumns; ++x, ++i) row[3 * x + channel] = RoundToByte(sums.Sums[i] / 3.0 * scale);
        }
    }
    return picture;
}

Bitmap TrueColourComposite(const TData& cube) { return EnhanceColours(ChannelComposite(cube)); }

}  // namespace lumera
