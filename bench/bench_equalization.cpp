#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "enhance/equalization.h"

using namespace lumera;

namespace {

// A grey mask-like picture: bright blobs on a dark background with noise, so
// that neighbouring pixels often share a level, as in real masks.
Bitmap MaskLikePicture(int width, int height)
{
    std::mt19937 random(6);
    std::uniform_int_distribution<int> noise(-12, 12);
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int blob = ((x / 20 + y / 20) % 2 == 0) ? 190 : 40;
            const int level = std::clamp(blob + (x * y) % 23 + noise(random), 0, 255);
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            px[0] = px[1] = px[2] = static_cast<uint8_t>(level);
        }
    return picture;
}

}  // namespace

// The definition: a fresh 45 x 45 histogram per pixel (about 324 million bin steps).
static void BM_EqualizePerPixel(benchmark::State& state)
{
    const Bitmap picture = MaskLikePicture(400, 400);
    for (auto _ : state) benchmark::DoNotOptimize(EqualizePerPixel(picture, 45));
}
BENCHMARK(BM_EqualizePerPixel)->Unit(benchmark::kMillisecond);

// The sliding histogram the window and the batch tool use (target: under 30 ms).
static void BM_Equalize(benchmark::State& state)
{
    const Bitmap picture = MaskLikePicture(400, 400);
    for (auto _ : state) benchmark::DoNotOptimize(Equalize(picture, 45));
}
BENCHMARK(BM_Equalize)->Unit(benchmark::kMillisecond);
