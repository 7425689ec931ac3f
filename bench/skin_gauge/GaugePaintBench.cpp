// One whole paint of the update window's gauge, 321 x 16 with the program's skin: the
// background composed, the progress picture laid over it, the file name drawn (through a
// stand-in renderer that fills each letter's box). The download repaints after every 1 KiB
// read, so a paint has to cost far less than a read.
#include <benchmark/benchmark.h>

#include "GaugeStandIns.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

struct WindowGauge {
    TComponent owner;
    TskSkinData* data;
    GaugeRig rig{{7, 7, 321, 20}};

    explicit WindowGauge(const char* name = "gauge") {
        auto* stored = Own<TskCompressedStoredSkin>(&owner);
        stored->BuildFromDescription(std::string(TOLVAR_SKIN_DIR) + "/skin.ini");
        data = Own<TskSkinData>(&owner);
        data->SetCompressedStoredSkin(stored);
        SkinGaugeLogic& g = *rig.gauge;
        g.SetSkinDataName(name);
        g.SetShowProgressText(true);
        g.SetProgressAnimationPause(1000);
        g.SetSkinData(data);
        g.SetProgressText("TolvarCore.dll");
    }
};

void Paint(benchmark::State& state, WindowGauge& w) {
    for (auto _ : state) {
        Bitmap image = w.rig.gauge->PaintImage();
        benchmark::DoNotOptimize(image.Data());
        benchmark::ClobberMemory();
    }
}

void SkinnedAtHalf(benchmark::State& state) {
    WindowGauge w;
    if (w.rig.host.bounds.Height != 16) state.SkipWithError("the skin did not load");
    w.rig.gauge->SetValue(50);
    Paint(state, w);
}

void SkinnedFullWithAnimationFrame(benchmark::State& state) {
    WindowGauge w;
    w.rig.gauge->SetValue(100);
    w.rig.gauge->StartProgressAnimation();
    w.rig.clock->Advance(3 * 35);  // frame 3 on show
    if (!w.rig.gauge->Animation().FrameShowing()) state.SkipWithError("no frame on show");
    Paint(state, w);
}

void SkinnedEmpty(benchmark::State& state) {
    WindowGauge w;
    w.rig.gauge->SetValue(0);
    Paint(state, w);
}

void DefaultLook(benchmark::State& state) {
    WindowGauge w("Gauge");
    w.rig.gauge->SetValue(50);
    Paint(state, w);
}

}  // namespace

BENCHMARK(SkinnedAtHalf);
BENCHMARK(SkinnedFullWithAnimationFrame);
BENCHMARK(SkinnedEmpty);
BENCHMARK(DefaultLook);
