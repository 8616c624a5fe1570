#include "mapping/value_scaling.h"

#include <cmath>

namespace lumera {

double GuessCountScale(bool integerValues, double largestValue)
{
    return !integerValues && largestValue <= 2.0 ? 10000.0 : 1.0;
}

int16_t ToCount(double scaledValue, bool& clipped)
{
    const double r = std::nearbyint(scaledValue);
    if (r < 0.0) {
        clipped = true;
        return 0;
    }
    if (r > kMaxCount) {
        clipped = true;
        return kMaxCount;
    }
    clipped = false;
    return static_cast<int16_t>(r);
}

}  // namespace lumera
