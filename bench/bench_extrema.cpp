#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "extrema/brightness.h"
#include "extrema/extrema_search.h"
#include "extrema/filter_matrix.h"

using namespace lumera;

namespace {

// Crown-like relief: a bump every 12 pixels with noise, so that tests pass and
// fail in about the proportions of a real stand.
double Relief(int x, int y) { return std::cos(x * 0.5236) * std::cos(y * 0.5236); }

Bitmap CrownPicture()
{
    std::mt19937 random(9);
    std::uniform_int_distribution<int> noise(-15, 15);
    Bitmap picture(400, 400);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            px[0] = px[1] = px[2] =
                static_cast<uint8_t>(std::clamp(128 + int(100 * Relief(x, y)) + noise(random), 0, 255));
        }
    return picture;
}

TData CrownCube()
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> noise(-40, 40);
    TData cube;
    cube.NBands = 65;
    cube.NRows = 400;
    cube.NColumns = 400;
    cube.Values.resize(std::size_t(65) * 400 * 400);
    std::size_t i = 0;
    for (int b = 0; b < 65; ++b)
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 400; ++x)
                cube.Values[i++] = int16_t(1500 + (10 + b) * 20 * Relief(x, y) + noise(random));
    return cube;
}

const TMatice& Weights7()
{
    static const TMatice weights = FilterWeights(GaussFilter(7, '.'));
    return weights;
}

}  // namespace

// Brightness, 7 x 7 filter and maxima test of a 400 x 400 picture, literally
// (target for the searches below: under 10 ms).
static void BM_PictureMaximaPerPixel(benchmark::State& state)
{
    const Bitmap picture = CrownPicture();
    for (auto _ : state) {
        TMatice brightness = BrightnessMatrix(picture);
        ApplyFilterPerPixel(brightness, Weights7());
        benchmark::DoNotOptimize(FindExtremaPerPixel(brightness, MaximaRule({})));
    }
}
BENCHMARK(BM_PictureMaximaPerPixel)->Unit(benchmark::kMillisecond);

static void BM_PictureMaxima(benchmark::State& state)
{
    const Bitmap picture = CrownPicture();
    for (auto _ : state) {
        TMatice brightness = BrightnessMatrix(picture);
        ApplyFilter(brightness, Weights7());
        benchmark::DoNotOptimize(FindMaxima(brightness, MaximaSettings{}));
    }
}
BENCHMARK(BM_PictureMaxima)->Unit(benchmark::kMillisecond);

// The cube search with the vote of 65 bands over 400 x 400 (target: under 50 ms).
static void BM_CubeMaximaPerPixel(benchmark::State& state)
{
    const TData cube = CrownCube();
    for (auto _ : state) benchmark::DoNotOptimize(FindExtremaPerPixel(cube, 60, MaximaRule({})));
}
BENCHMARK(BM_CubeMaximaPerPixel)->Unit(benchmark::kMillisecond);

static void BM_CubeMaxima(benchmark::State& state)
{
    const TData cube = CrownCube();
    for (auto _ : state) benchmark::DoNotOptimize(FindMaxima(cube, MaximaSettings{}));
}
BENCHMARK(BM_CubeMaxima)->Unit(benchmark::kMillisecond);

// The minima grid on a filtered 400 x 400 brightness matrix, default 5 x 5
// four-direction test and the 5 x 5 neighbourhood count (target: under 10 ms).
static void MinimaGrid(benchmark::State& state, bool perPixel)
{
    TMatice brightness = BrightnessMatrix(CrownPicture());
    ApplyFilter(brightness, Weights7());
    MinimaSettings settings;
    if (state.range(0)) settings.Test = ExtremumTest::Neighbourhood;
    for (auto _ : state)
        benchmark::DoNotOptimize(perPixel ? FindExtremaPerPixel(brightness, MinimaRule(settings))
                                          : FindMinima(brightness, settings));
}

static void BM_MinimaGridPerPixel(benchmark::State& state) { MinimaGrid(state, true); }
BENCHMARK(BM_MinimaGridPerPixel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_MinimaGrid(benchmark::State& state) { MinimaGrid(state, false); }
BENCHMARK(BM_MinimaGrid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
