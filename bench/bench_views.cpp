#include <benchmark/benchmark.h>

#include "imaging/detail.h"
#include "imaging/band_map.h"

using namespace lumera;

// The detail magnifier on a 400 x 400 picture, as on every click (target:
// well under 1 ms).
static void BM_ShowDetail400(benchmark::State& state)
{
    Bitmap source(400, 400);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            uint8_t* px = source.ScanLine(y) + 3 * x;
            px[0] = static_cast<uint8_t>(x * 7 + y);
            px[1] = static_cast<uint8_t>(x ^ y);
            px[2] = static_cast<uint8_t>(y * 3);
        }
    Bitmap detail(kDetailSide, kDetailSide);
    int click = 0;
    for (auto _ : state) {
        ShowDetail(source, detail, 50 + click % 300, 350 - click % 300);
        ++click;
        benchmark::DoNotOptimize(detail.ScanLine(120)[360]);
    }
}
BENCHMARK(BM_ShowDetail400)->Unit(benchmark::kMicrosecond);

// The grey map of one 400 x 400 band (target: under 2 ms).
static void BM_BandMap400(benchmark::State& state)
{
    TData cube;
    cube.NBands = 1;
    cube.NRows = 400;
    cube.NColumns = 400;
    cube.Values.resize(cube.PlaneSize());
    for (std::size_t i = 0; i < cube.Values.size(); ++i) cube.Values[i] = static_cast<int16_t>((i * 2654435761u) % 4096);
    for (auto _ : state) benchmark::DoNotOptimize(MakeBandMap(cube, 1));
}
BENCHMARK(BM_BandMap400)->Unit(benchmark::kMicrosecond);
