#include "stand/synthetic_stand.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "data/rounding.h"
#include "stand/stand_layout.h"
#include "stand/stand_random.h"

namespace lumera {

namespace {

constexpr double kPi = std::numbers::pi;

// Sun from the south-south-east, 45 degrees above the horizon; x runs east,
// y runs south, z up.
struct Sun {
    double X = std::sin(150.0 * kPi / 180.0) * std::cos(kPi / 4);
    double Y = -std::cos(150.0 * kPi / 180.0) * std::cos(kPi / 4);
    double Z = std::sin(kPi / 4);
};

// The visible canopy: surface height, the tree on top and how it is lit.
struct Canopy {
    int Width, Height;
    std::vector<double> Surface;  // height above ground
    std::vector<int> Tree;        // index of the visible tree, -1 for ground
    std::vector<double> Light;    // sun and sky light reaching the surface, 0 ... 1
};

double CrownBase(const StandTree& t) { return 0.4 * t.Height; }

// Height of the crown surface at distance d from the stem, or -1 outside.
double CrownSurface(const StandTree& t, double d)
{
    if (d > t.Radius) return -1;
    const double depth = t.Height - CrownBase(t);
    const double q = d / t.Radius;
    return CrownBase(t) + depth * (t.Kind == CrownKind::Conifer ? 1.0 - q : std::sqrt(1.0 - q * q));
}

// Direct light on the crown surface (cone or half-ellipsoid), with crowns
// denser and darker towards their edge, so every crown is brightest near its top.
double CrownLight(const StandTree& t, double dx, double dy, const Sun& sun)
{
    const double d = std::max(std::hypot(dx, dy), 1e-9);
    const double depth = t.Height - CrownBase(t);
    double nx, ny, nz;
    if (t.Kind == CrownKind::Conifer) {
        const double slope = depth / t.Radius;
        nx = slope * dx / d;
        ny = slope * dy / d;
        nz = 1.0;
    } else {
        const double q = std::min(d / t.Radius, 0.999);
        nx = dx / (t.Radius * t.Radius);
        ny = dy / (t.Radius * t.Radius);
        nz = std::sqrt(1.0 - q * q) / depth;
    }
    const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
    const double lambert = std::max(0.0, (nx * sun.X + ny * sun.Y + nz * sun.Z) / n);
    const double q = d / t.Radius;
    return (0.35 + 0.65 * lambert) * (1.0 - 0.45 * q * q);
}

Canopy BuildCanopy(const std::vector<StandTree>& trees, int width, int height, const Sun& sun)
{
    Canopy c{width, height, std::vector<double>(std::size_t(width) * height, 0.0),
             std::vector<int>(std::size_t(width) * height, -1), std::vector<double>(std::size_t(width) * height, 0.0)};
    for (std::size_t i = 0; i < trees.size(); ++i) {
        const StandTree& t = trees[i];
        const int x0 = std::max(0, int(std::floor(t.X - t.Radius))), x1 = std::min(width - 1, int(std::ceil(t.X + t.Radius)));
        const int y0 = std::max(0, int(std::floor(t.Y - t.Radius))), y1 = std::min(height - 1, int(std::ceil(t.Y + t.Radius)));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double dx = x - t.X, dy = y - t.Y;
                const double z = CrownSurface(t, std::hypot(dx, dy));
                const std::size_t p = std::size_t(y) * width + x;
                if (z > c.Surface[p]) {
                    c.Surface[p] = z;
                    c.Tree[p] = int(i);
                    c.Light[p] = CrownLight(t, dx, dy, sun);
                }
            }
    }
    for (std::size_t p = 0; p < c.Tree.size(); ++p)
        if (c.Tree[p] < 0) c.Light[p] = 0.35 + 0.65 * sun.Z;
    return c;
}

// A surface point is in shadow when the canopy rises above the ray towards the sun.
bool InShadow(const Canopy& c, int x, int y, const Sun& sun)
{
    const double horizontal = std::hypot(sun.X, sun.Y);
    const double stepX = sun.X / horizontal * 0.7, stepY = sun.Y / horizontal * 0.7;
    const double rise = sun.Z / horizontal * 0.7;
    const double start = c.Surface[std::size_t(y) * c.Width + x] + 0.5;
    for (int k = 1; k < 90; ++k) {
        const int sx = int(std::lround(x + k * stepX)), sy = int(std::lround(y + k * stepY));
        if (sx < 0 || sy < 0 || sx >= c.Width || sy >= c.Height) return false;
        if (c.Surface[std::size_t(sy) * c.Width + sx] > start + k * rise) return true;
    }
    return false;
}

void CastShadows(Canopy& c, const Sun& sun)
{
    std::vector<double> lit = c.Light;
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x)
            if (InShadow(c, x, y, sun)) lit[std::size_t(y) * c.Width + x] = 0.35 * 0.6;  // sky light only
    c.Light = std::move(lit);
}

// A smooth field 0 ... 1 from a few random blobs: where the ground is grassy.
std::vector<double> GrassField(StandRandom& random, int width, int height)
{
    struct Blob { double X, Y, R; };
    std::vector<Blob> blobs;
    for (int i = 0; i < 12; ++i)
        blobs.push_back({random.Uniform(0, width), random.Uniform(0, height), random.Uniform(20, 70)});
    std::vector<double> field(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double v = 0;
            for (const Blob& b : blobs) v += std::exp(-(std::pow(x - b.X, 2) + std::pow(y - b.Y, 2)) / (b.R * b.R));
            field[std::size_t(y) * width + x] = std::min(1.0, v);
        }
    return field;
}

const BandSpectrum& LeafSpectrum(const StandMaterials& m, const StandTree& t)
{
    return t.Kind == CrownKind::Conifer ? m.Conifers[t.Material] : m.Broadleaves[t.Material];
}

TTreeMatrix VisibleCrowns(const Canopy& c, int treeCount)
{
    std::vector<int> number(treeCount, 0);
    for (int t : c.Tree)
        if (t >= 0) number[t] = 1;
    for (int i = 0, k = 0; i < treeCount; ++i)
        if (number[i]) number[i] = ++k;
    TTreeMatrix truth(c.Width, c.Height);
    for (std::size_t p = 0; p < c.Tree.size(); ++p) truth.Values[p] = c.Tree[p] >= 0 ? number[c.Tree[p]] : 0;
    return truth;
}

void CheckMaterials(const StandMaterials& m)
{
    if (m.Conifers.empty() || m.Broadleaves.empty() || m.Grasses.empty() || m.Soils.empty())
        throw std::invalid_argument("A stand needs at least one conifer, broadleaf, grass and soil spectrum.");
}

}  // namespace

SyntheticStand MakeSyntheticStand(const StandOptions& options, const StandMaterials& materials)
{
    CheckMaterials(materials);
    if (options.Width < 1 || options.Height < 1 || options.Trees < 0)
        throw std::invalid_argument("A stand needs a positive size and a tree count of at least 0.");
    StandRandom random(options.Seed);
    const Sun sun;
    const auto trees = PlaceTrees(random, options.Width, options.Height, options.Trees,
                                  int(materials.Conifers.size()), int(materials.Broadleaves.size()));
    Canopy canopy = BuildCanopy(trees, options.Width, options.Height, sun);
    CastShadows(canopy, sun);
    const std::vector<double> grass = GrassField(random, options.Width, options.Height);
    const BandSpectrum& grassSpectrum = materials.Grasses[random.Below(int(materials.Grasses.size()))];
    const BandSpectrum& soilSpectrum = materials.Soils[random.Below(int(materials.Soils.size()))];

    SyntheticStand stand;
    stand.Cube.NBands = kSensorBands;
    stand.Cube.NRows = options.Height;
    stand.Cube.NColumns = options.Width;
    stand.Cube.Values.resize(std::size_t(kSensorBands) * stand.Cube.PlaneSize());
    const std::size_t plane = stand.Cube.PlaneSize();
    for (std::size_t p = 0; p < plane; ++p) {
        const int t = canopy.Tree[p];
        const double light = canopy.Light[p] * (t >= 0 ? trees[t].Vigour : 1.0);
        for (int b = 0; b < kSensorBands; ++b) {
            const double reflectance = t >= 0 ? LeafSpectrum(materials, trees[t])[b]
                                              : grass[p] * grassSpectrum[b] + (1 - grass[p]) * soilSpectrum[b];
            const double signal = reflectance * light * 10000.0;
            const double value = signal + random.Normal() * (8.0 + 0.01 * signal);
            stand.Cube.Values[b * plane + p] = static_cast<int16_t>(std::clamp(Round(value), -32768, 32767));
        }
    }
    stand.Truth = VisibleCrowns(canopy, int(trees.size()));
    return stand;
}

}  // namespace lumera
