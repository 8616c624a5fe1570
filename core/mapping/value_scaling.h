#pragma once
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumera {

// Largest count a cut-out value can hold.
constexpr int32_t kMaxCount = 32767;

// The factor that turns a scene's values into the cut-out's counts when the
// user gives none: values stored as integers are counts already; floating
// values no larger than 2 are reflectance fractions (a little above 1 occurs
// on bright, sunlit surfaces) and are scaled to 0 … 10000; larger floating
// values are taken as counts.
double GuessCountScale(bool integerValues, double largestValue);

// A factor the user writes instead: a positive number, with a comma or a
// point as the decimal separator; nothing for anything else.
std::optional<double> ParseCountScale(std::string_view text);

// Why a factor the user wrote is refused, naming it.
std::string CountScaleRefusal(std::string_view text);

// A scaled value as a cut-out count: rounded (ties to even) and clipped to
// 0 … 32767; `clipped` is raised when it had to be clipped. A value that is
// not a number (an overflowing sum) becomes 0, clipped as well.
// Inline, so that the loops over whole cut-outs round many values at once.
inline int16_t ToCount(double scaledValue, bool& clipped)
{
    const double r = std::nearbyint(scaledValue);
    clipped = !(r >= 0.0) || r > kMaxCount;
    return !(r >= 0.0) ? int16_t(0) : r > kMaxCount ? int16_t(kMaxCount) : static_cast<int16_t>(r);
}

}  // namespace lumera
