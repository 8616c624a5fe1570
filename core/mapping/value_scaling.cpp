#include "mapping/value_scaling.h"

#include <cmath>

#include "data/number_format.h"

namespace lumera {

double GuessCountScale(bool integerValues, double largestValue)
{
    return !integerValues && largestValue <= 2.0 ? 10000.0 : 1.0;
}

std::optional<double> ParseCountScale(std::string_view text)
{
    const std::optional<double> scale = ParseNumber(text);
    if (!scale || *scale <= 0.0) return std::nullopt;
    return scale;
}

std::string CountScaleRefusal(std::string_view text)
{
    return "Měřítko \"" + std::string(text) + "\" není kladné číslo (počet na jednotku hodnoty snímku).";
}

}  // namespace lumera
