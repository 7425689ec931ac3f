#include <benchmark/benchmark.h>

#include "skin/controls/SkinComposition.h"

using namespace tolvar;

namespace {

Bitmap Picture(int32_t width, int32_t height) {
    Bitmap b(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) b.At(x, y) = MakePixel(uint8_t(x), uint8_t(y), uint8_t(x ^ y));
    return b;
}

// A window frame picture as skins have them: 210 x 282, a 30-pixel caption band and 3-pixel
// borders, fixed corner parts of 60 pixels across and 40 down. Composed at the update
// window's size, 342 x 64, it is shrunk vertically and widened horizontally.
const PieceGeometry kFrame{{0, 0, 210, 282}, {60, 40}, {150, 40}, {60, 250}, {150, 250}, {3, 30, 207, 279}};
constexpr int32_t kWidth = 342, kHeight = 64;

// The frame picture and its geometry fitted to the window's size.
struct Frame {
    Bitmap Picture = ::Picture(210, 282);
    TargetGeometry Fitted;
    int32_t Width = kWidth, Height = kHeight;
    Frame() { FitGeometry(smBoth, kFrame, Fitted, Width, Height); }
};

void NineSlice(benchmark::State& state, bool stretch) {
    const Frame f;
    const BandStretch bands{stretch, stretch, stretch, stretch};
    Bitmap target;
    for (auto _ : state) {
        ComposeNineSlice(kFrame, f.Fitted, f.Picture, target, f.Width, f.Height, bands, stretch, stFull, true);
        benchmark::DoNotOptimize(target.Data());
        benchmark::ClobberMemory();
    }
}

void BorderStripsOfTheFrame(benchmark::State& state, bool stretch) {
    const Frame f;
    const BandStretch bands{stretch, stretch, stretch, stretch};
    BorderStrips strips;
    for (auto _ : state) {
        ComposeBorderStrips(kFrame, f.Fitted, f.Picture, f.Width, f.Height, bands, strips);
        benchmark::DoNotOptimize(strips.Top.Data());
        benchmark::ClobberMemory();
    }
}

// The gauge's background: the [gauge] piece (53 x 16, caps 3 and 4) at the bar's width.
void ThreeSlice(benchmark::State& state, bool stretch) {
    const Bitmap picture = Picture(130, 80);
    Bitmap target;
    for (auto _ : state) {
        ComposeThreeSliceH(3, 4, target, stretch, 321, {58, 1, 111, 17}, picture);
        benchmark::DoNotOptimize(target.Data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK_CAPTURE(NineSlice, stretched_342x64, true);
BENCHMARK_CAPTURE(NineSlice, tiled_342x64, false);
BENCHMARK_CAPTURE(BorderStripsOfTheFrame, stretched_342x64, true);
BENCHMARK_CAPTURE(BorderStripsOfTheFrame, tiled_342x64, false);
BENCHMARK_CAPTURE(ThreeSlice, stretched_321x16, true);
BENCHMARK_CAPTURE(ThreeSlice, tiled_321x16, false);
