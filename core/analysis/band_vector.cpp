#include "analysis/band_vector.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lumera {

namespace {

template <typename Op>
SpectralVector ElementWise(const SpectralVector& a, const SpectralVector& b, Reporter& reporter,
                           const char* mismatch, Op op)
{
    if (a.size() != b.size()) {
        reporter.Information(mismatch);
        return {};
    }
    SpectralVector c(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) c[i] = op(a[i], b[i]);
    return c;
}

}  // namespace

SpectralVector Multiply(const SpectralVector& a, const SpectralVector& b, Reporter& reporter)
{
    return ElementWise(a, b, reporter, "Neodpovídají rozměry polí pro násobení.",
                       [](double x, double y) { return x * y; });
}

SpectralVector Add(const SpectralVector& a, const SpectralVector& b, Reporter& reporter)
{
    return ElementWise(a, b, reporter, "Neodpovídají rozměry polí pro sčítání.",
                       [](double x, double y) { return x + y; });
}

double BandIntegral(const SpectralVector& f, const SpectralVector& axis, Reporter& reporter)
{
    if (f.size() != axis.size() || f.empty()) {
        reporter.Information("Neodpovídá počet pásem pro integraci.");
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = 1; i < f.size(); ++i) sum += (f[i - 1] + f[i]) * (axis[i] - axis[i - 1]) * 0.5;
    return sum;
}

bool TryNormalisePeak(SpectralVector& f)
{
    if (f.empty()) return true;
    if (f.size() == 1) {
        f[0] = 1.0;
        return true;
    }
    double minimum = f[0], maximum = f[0];
    for (std::size_t i = 1; i < f.size(); ++i) {
        if (f[i] < minimum) minimum = f[i];
        if (f[i] > maximum) maximum = f[i];
    }
    const double peak = std::max(std::fabs(minimum), std::fabs(maximum));
    if (peak == 0.0) return false;
    const double scale = 1.0 / peak;
    if (std::isfinite(scale))
        for (double& v : f) v *= scale;
    else  // a subnormal peak: its reciprocal overflows, the quotients do not
        for (double& v : f) v /= peak;
    return true;
}

bool NormalisePeak(SpectralVector& f, Reporter& reporter)
{
    if (TryNormalisePeak(f)) return true;
    reporter.Information("Vektor samých nul nelze normalizovat na vrchol 1.");
    return false;
}

}  // namespace lumera
