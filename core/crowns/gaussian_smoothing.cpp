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

// One row of n values convolved into out; the row is copied with its edges
// continued first.
void ConvolveRow(const double* in, double* out, int n, const std::vector<double>& kernel, std::vector<double>& padded)
{
    const int radius = static_cast<int>(kernel.size() / 2);
    padded.resize(std::size_t(n + 2 * radius));
    for (int i = 0; i < n + 2 * radius; ++i) padded[std::size_t(i)] = in[std::clamp(i - radius, 0, n - 1)];
    // Term by term over the whole row, so the loop runs along the row; each
    // sum still adds the kernel's terms from the left.
    for (int i = 0; i < n; ++i) out[i] = kernel[0] * padded[std::size_t(i)];
    for (std::size_t k = 1; k < kernel.size(); ++k) {
        const double weight = kernel[k];
        const double* source = padded.data() + k;
        for (int i = 0; i < n; ++i) out[i] += weight * source[i];
    }
}

}  // namespace

TMatice GaussianSmooth(const TMatice& grid, double sigma)
{
    if (sigma < 0.3 || grid.Values.empty()) return grid;
    const std::vector<double> kernel = GaussianKernel(sigma);
    const int radius = static_cast<int>(kernel.size() / 2);
    TMatice rows(grid.Width, grid.Height), out(grid.Width, grid.Height);
    std::vector<double> padded;
    for (int y = 0; y < grid.Height; ++y) ConvolveRow(grid.Row(y), rows.Row(y), grid.Width, kernel, padded);
    // Columns a whole row at a time, so the memory is read in order; every
    // sum still adds the kernel's terms from the top down.
    for (int y = 0; y < grid.Height; ++y) {
        double* target = out.Row(y);
        for (std::size_t k = 0; k < kernel.size(); ++k) {
            const double* source = rows.Row(std::clamp(y + int(k) - radius, 0, grid.Height - 1));
            const double weight = kernel[k];
            if (k == 0)
                for (int x = 0; x < grid.Width; ++x) target[x] = weight * source[x];
            else
                for (int x = 0; x < grid.Width; ++x) target[x] += weight * source[x];
        }
    }
    return out;
}

}  // namespace lumera
