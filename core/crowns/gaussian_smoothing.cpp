#include "crowns/gaussian_smoothing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumera {

namespace {

std::vector<double> GaussianKernel(double sigma)
{
    const int radius = std::max(1, static_cast<int>(std::ceil(3.0 * sigma)));
    std::vector<double> kernel(std::size_t(2 * radius + 1));
    double sum = 0.0;
    for (int i = -radius; i <= radius; ++i) sum += kernel[std::size_t(i + radius)] = std::exp(-0.5 * i * i / (sigma * sigma));
    for (double& k : kernel) k /= sum;
    return kernel;
}

// One line of n values `stride` apart, convolved into out (same layout);
// the line is copied with its edges continued first.
void ConvolveLine(const double* in, double* out, int n, std::ptrdiff_t stride, const std::vector<double>& kernel,
                  std::vector<double>& padded)
{
    const int radius = static_cast<int>(kernel.size() / 2);
    padded.resize(std::size_t(n + 2 * radius));
    for (int i = 0; i < n + 2 * radius; ++i) padded[std::size_t(i)] = in[std::clamp(i - radius, 0, n - 1) * stride];
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (std::size_t k = 0; k < kernel.size(); ++k) sum += kernel[k] * padded[std::size_t(i) + k];
        out[i * stride] = sum;
    }
}

// A running box sum of odd width w over each line, edges continued, divided by w.
void BoxLine(const double* in, double* out, int n, std::ptrdiff_t stride, int w, std::vector<double>& padded)
{
    const int r = w / 2;
    padded.resize(std::size_t(n + 2 * r));
    for (int i = 0; i < n + 2 * r; ++i) padded[std::size_t(i)] = in[std::clamp(i - r, 0, n - 1) * stride];
    double sum = 0.0;
    for (int k = 0; k < w; ++k) sum += padded[std::size_t(k)];
    for (int i = 0; i < n; ++i) {
        out[i * stride] = sum / w;
        if (i + 1 < n) sum += padded[std::size_t(i + w)] - padded[std::size_t(i)];
    }
}

// The three box widths whose cascade comes closest to sigma (Kovesi 2010).
std::vector<int> BoxWidths(double sigma)
{
    constexpr int n = 3;
    int lower = static_cast<int>(std::floor(std::sqrt(12.0 * sigma * sigma / n + 1.0)));
    if (lower % 2 == 0) --lower;
    const int upper = lower + 2;
    const double m = (12.0 * sigma * sigma - n * lower * lower - 4.0 * n * lower - 3.0 * n) / (-4.0 * lower - 4.0);
    const int lowerCount = std::clamp(static_cast<int>(std::nearbyint(m)), 0, n);
    std::vector<int> widths;
    for (int i = 0; i < n; ++i) widths.push_back(i < lowerCount ? lower : upper);
    return widths;
}

}  // namespace

TMatice GaussianSmooth(const TMatice& grid, double sigma)
{
    if (sigma < 0.3 || grid.Values.empty()) return grid;
    const std::vector<double> kernel = GaussianKernel(sigma);
    TMatice rows(grid.Width, grid.Height), out(grid.Width, grid.Height);
    std::vector<double> padded;
    for (int y = 0; y < grid.Height; ++y) ConvolveLine(grid.Row(y), rows.Row(y), grid.Width, 1, kernel, padded);
    for (int x = 0; x < grid.Width; ++x)
        ConvolveLine(rows.Values.data() + x, out.Values.data() + x, grid.Height, grid.Width, kernel, padded);
    return out;
}

double BoxGaussianSmooth(const TMatice& grid, double sigma, TMatice& out)
{
    out = grid;
    TMatice spare(grid.Width, grid.Height);
    std::vector<double> padded;
    double variance = 0.0;
    for (int w : BoxWidths(sigma)) {
        variance += (double(w) * w - 1.0) / 12.0;
        for (int y = 0; y < grid.Height; ++y) BoxLine(out.Row(y), spare.Row(y), grid.Width, 1, w, padded);
        for (int x = 0; x < grid.Width; ++x)
            BoxLine(spare.Values.data() + x, out.Values.data() + x, grid.Height, grid.Width, w, padded);
    }
    return std::sqrt(variance);
}

}  // namespace lumera
