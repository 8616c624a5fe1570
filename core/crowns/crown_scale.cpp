#include "crowns/crown_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "crowns/gaussian_smoothing.h"

namespace lumera {

namespace {
const double kScaleStep = std::pow(2.0, 1.0 / 3.0);
constexpr double kFirstSigma = 1.0;
constexpr double kLargestSigma = 48.0;

// A coarse scale needs no fine grid: the picture is averaged over f x f
// blocks first, f about a quarter of sigma, and smoothed there.
int BlockSide(double sigma) { return std::max(1, static_cast<int>(sigma / 4.0)); }

TMatice BlockMeans(const TMatice& m, int f)
{
    if (f == 1) return m;
    const int w = m.Width / f, h = m.Height / f;
    TMatice out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sum = 0.0;
            for (int dy = 0; dy < f; ++dy)
                for (int dx = 0; dx < f; ++dx) sum += m.At(x * f + dx, y * f + dy);
            out.At(x, y) = sum / (f * f);
        }
    return out;
}

// Gaussian of sigma (full-resolution pixels) on the block grid; the block
// mean has already spread the picture by (f^2 - 1) / 12 per axis.
TMatice SmoothOnBlocks(const TMatice& blocks, int f, double sigma)
{
    const double remaining = sigma * sigma - (double(f) * f - 1.0) / 12.0;
    return GaussianSmooth(blocks, std::sqrt(std::max(remaining, 0.0)) / f);
}

// Vegetated blocks: those whose centre pixel is vegetated.
bool BlockVegetated(const VegetationMask& mask, int width, int f, int x, int y)
{
    return mask[std::size_t(y * f + f / 2) * std::size_t(width) + std::size_t(x * f + f / 2)] != 0;
}

// Higher than every other response within `reach` (a square).
bool IsPeak(const TMatice& r, int x, int y, int reach)
{
    const double v = r.At(x, y);
    for (int ny = std::max(0, y - reach); ny <= std::min(r.Height - 1, y + reach); ++ny)
        for (int nx = std::max(0, x - reach); nx <= std::min(r.Width - 1, x + reach); ++nx)
            if ((nx != x || ny != y) && r.At(nx, ny) >= v) return false;
    return true;
}

// The picture smoothed to sigma at half steps of the scale, kept while the
// next level can use it: each level's coarser smoothing is the next one's finer.
struct ScaleLadder {
    explicit ScaleLadder(const TMatice& brightness) : Brightness(brightness) {}

    const TMatice& Brightness;
    int BlockSideNow = 0;
    TMatice Blocks;
    int CoarserStep = -1;
    TMatice Coarser;

    static double Sigma(int halfStep) { return kFirstSigma * std::pow(kScaleStep, 0.5 * halfStep); }

    // The smoothings at half steps 2i - 1 and 2i + 1 around level i, on the block grid of f.
    std::pair<TMatice, const TMatice*> Around(int level, int f)
    {
        if (f != BlockSideNow) {
            BlockSideNow = f;
            Blocks = BlockMeans(Brightness, f);
            CoarserStep = -1;
        }
        TMatice finer = CoarserStep == 2 * level - 1 ? std::move(Coarser) : SmoothOnBlocks(Blocks, f, Sigma(2 * level - 1));
        Coarser = SmoothOnBlocks(Blocks, f, Sigma(2 * level + 1));
        CoarserStep = 2 * level + 1;
        return {std::move(finer), &Coarser};
    }
};

// How much of the picture bright blobs of one scale explain: the
// scale-normalised response -sigma^2 times the Laplacian (from the heat
// equation, as the difference of two Gaussians per half variance) summed
// over its spatial maxima on vegetated pixels, times the area sigma^2 each
// blob stands for, per vegetated pixel. Texture and noise give many small
// blobs of little area, crowns fewer large ones.
double BlobEnergy(ScaleLadder& ladder, const VegetationMask& mask, int level)
{
    const TMatice& brightness = ladder.Brightness;
    const double sigma = ScaleLadder::Sigma(2 * level);
    const int f = BlockSide(sigma);
    const double finer = ScaleLadder::Sigma(2 * level - 1), coarser = ScaleLadder::Sigma(2 * level + 1);
    const auto [a, coarserGrid] = ladder.Around(level, f);
    const TMatice& b = *coarserGrid;
    const double factor = sigma * sigma / (0.5 * (coarser * coarser - finer * finer));
    TMatice response(a.Width, a.Height);
    for (std::size_t p = 0; p < a.Values.size(); ++p) response.Values[p] = factor * (a.Values[p] - b.Values[p]);

    // One blob per half sigma around it: the edge of a large bright area would
    // otherwise break up into many small peaks along it.
    const int reach = std::max(1, static_cast<int>(std::nearbyint(0.5 * sigma / f)));
    double peaks = 0.0;
    int64_t vegetated = 0;
    for (int y = 1; y + 1 < response.Height; ++y)
        for (int x = 1; x + 1 < response.Width; ++x) {
            if (!BlockVegetated(mask, brightness.Width, f, x, y)) continue;
            ++vegetated;
            const double v = response.At(x, y);
            if (v <= 0.0) continue;
            if (IsPeak(response, x, y, 1) && IsPeak(response, x, y, reach)) peaks += v;
        }
    return vegetated > 0 ? peaks * sigma * sigma / (double(vegetated) * f * f) : 0.0;
}


constexpr double kCorrelationLevel = 0.05;
// The picture is measured in tiles of this side, each with its own mean: a
// brightness that changes across the picture (two stands, a slope in the
// light) then adds no correlation of its own. It bounds the radius that can
// be measured, far above the crowns of any stand at pixels of 0.1 m or more.
constexpr int kTileSide = 100;

// Correlation lengths from kFineFrom pixels on come from pictures that show
// the foliage; up to kCoarseBelow from pictures that do not, and run long by
// 1 / kCoarseFactor (see CrownRadiusFromCorrelationLength).
constexpr double kFineFrom = 16.0, kCoarseBelow = 12.0, kCoarseFactor = 0.7;

// A tile of the picture with its mean removed.
struct Tile {
    int Width = 0, Height = 0;
    std::vector<double> Values;
};

std::vector<Tile> CentredTiles(const TMatice& m)
{
    std::vector<Tile> tiles;
    for (int top = 0; top < m.Height; top += kTileSide)
        for (int left = 0; left < m.Width; left += kTileSide) {
            Tile t{std::min(kTileSide, m.Width - left), std::min(kTileSide, m.Height - top), {}};
            double sum = 0.0;
            for (int y = 0; y < t.Height; ++y)
                for (int x = 0; x < t.Width; ++x) {
                    t.Values.push_back(m.At(left + x, top + y));
                    sum += t.Values.back();
                }
            const double mean = sum / double(t.Values.size());
            for (double& v : t.Values) v -= mean;
            tiles.push_back(std::move(t));
        }
    return tiles;
}

// Sum of products of values `lag` apart along rows and along columns of a
// tile, added to `columns` per column (summed down each column, then the
// columns from left to right: a fixed order that vectorises), and how many
// pairs they were.
double AddLagProducts(const Tile& t, int lag, std::vector<double>& columns)
{
    double pairs = 0.0;
    if (lag < t.Width) {
        for (int y = 0; y < t.Height; ++y) {
            const double* row = t.Values.data() + std::size_t(y) * std::size_t(t.Width);
            for (int x = 0; x + lag < t.Width; ++x) columns[std::size_t(x)] += row[x] * row[x + lag];
        }
        pairs += double(t.Height) * double(t.Width - lag);
    }
    if (lag < t.Height) {
        for (int y = 0; y + lag < t.Height; ++y) {
            const double* row = t.Values.data() + std::size_t(y) * std::size_t(t.Width);
            const double* below = row + std::size_t(lag) * std::size_t(t.Width);
            for (int x = 0; x < t.Width; ++x) columns[std::size_t(x)] += row[x] * below[x];
        }
        pairs += double(t.Width) * double(t.Height - lag);
    }
    return pairs;
}

}  // namespace

double CrownRadiusFromPixelSize(double metresPerPixel) { return kTypicalCrownRadiusMetres / metresPerPixel; }

double CorrelationLength(const TMatice& surface)
{
    const std::vector<Tile> tiles = CentredTiles(surface);
    double variance = 0.0;
    for (const Tile& t : tiles)
        for (double v : t.Values) variance += v * v;
    if (!(variance > 0.0)) return 0.0;
    // The level is taken against the covariance at a lag of one pixel, not the
    // variance: texture within a pixel or two (single leaves, noise: the
    // nugget of a correlogram) holds much of a 0.1 m picture's variance and
    // nothing of its crowns.
    double reference = 0.0;
    for (int lag = 1; lag < kTileSide; ++lag) {
        std::vector<double> columns(std::size_t(kTileSide), 0.0);
        double pairs = 0.0;
        for (const Tile& t : tiles) pairs += AddLagProducts(t, lag, columns);
        if (pairs == 0.0) return lag;
        double sum = 0.0;
        for (double c : columns) sum += c;
        const double covariance = sum / pairs;
        if (lag == 1) reference = covariance;
        if (!(reference > 0.0)) return 1;  // nothing correlated beyond a pixel
        if (lag > 1 && covariance < kCorrelationLevel * reference) return lag;
    }
    return kTileSide;
}

double CrownRadiusFromCorrelationLength(double length)
{
    const double factor = std::clamp(kCoarseFactor + (1.0 - kCoarseFactor) * (length - kCoarseBelow) /
                                                         (kFineFrom - kCoarseBelow),
                                     kCoarseFactor, 1.0);
    return factor * length;
}

double EstimateCrownRadiusFromBlobs(const TMatice& brightness, const VegetationMask& mask)
{
    const double largest = std::min(kLargestSigma, std::min(brightness.Width, brightness.Height) / 6.0);
    std::vector<double> energies;
    ScaleLadder ladder(brightness);
    for (int level = 0; ScaleLadder::Sigma(2 * level) <= largest; ++level)
        energies.push_back(BlobEnergy(ladder, mask, level));
    if (energies.empty()) return 0.0;
    const std::size_t best = std::size_t(std::max_element(energies.begin(), energies.end()) - energies.begin());
    if (!(energies[best] > 0.0)) return 0.0;
    // The peak refined by a parabola through its neighbours, in steps of the scale.
    double offset = 0.0;
    if (best > 0 && best + 1 < energies.size()) {
        const double a = energies[best - 1], b = energies[best], c = energies[best + 1];
        const double curvature = a - 2.0 * b + c;
        if (curvature < 0.0) offset = std::clamp(0.5 * (a - c) / curvature, -0.5, 0.5);
    }
    return kFirstSigma * std::pow(kScaleStep, double(best) + offset);
}

}  // namespace lumera
