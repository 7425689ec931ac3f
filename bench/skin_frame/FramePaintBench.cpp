// The update window's frame, 342 x 64 with the program's skin: one whole frame picture (the
// four strips composed, the icon, the close button and the caption text with its reflection
// drawn in), as every WM_NCPAINT makes it; and one step of the close button's hover fade,
// which repaints the frame under the button every 25 ms for five steps.
#include <benchmark/benchmark.h>

#include "FrameStandIns.h"
#include "skin/frame/SkinFrame.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

struct Window {
    ProgramSkin skin{TOLVAR_SKIN_DIR};
    FakeFrameHost host;
    FakeClock clock;
    SkinFrame frame{host, clock};
    Window() {
        frame.SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu));
        frame.SetShowIcon(true);
        frame.SetSkinData(skin.Data());
    }
    TskActiveSkinObject& Close() {
        for (auto& o : frame.Objects())
            if (o->IDName == "closebutton") return *o;
        throw std::runtime_error("no close button");
    }
};

void WholeFrame(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        auto picture = w.frame.ComposeFramePicture();
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(WholeFrame);

void FadeStep(benchmark::State& state) {
    Window w;
    TskActiveSkinObject& close = w.Close();
    close.Hovered = close.MouseInside = true;
    for (auto _ : state) {
        // A step of the fade, then the picture the repaint copies the button's part from.
        close.MorphFactor = 0.4;
        close.MorphStep();
        auto picture = w.frame.ComposeFramePicture(close.ObjectRect);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(FadeStep);

}  // namespace
