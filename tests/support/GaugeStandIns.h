#pragma once
// Stand-ins for what the gauge's logic needs of its window; shared by the tests and the benchmark.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SkinStandIns.h"
#include "base/Component.h"
#include "skin/controls/BitmapFill.h"
#include "skin/controls/GaugeAnimation.h"
#include "skin/controls/SkinGaugeLogic.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/Streams.h"
#include "skin/data/ZlibStreams.h"

namespace tolvar::test {

// The window around the logic: bounds applied as asked, and a count of what it was asked.
class FakeHost : public SkinControlHost {
public:
    ControlBounds bounds{0, 0, 100, 20};
    int applied = 0, repaintsNow = 0, repaintsLater = 0, regionUpdates = 0, childNotices = 0;
    bool designing = false;
    std::function<void()> onRepaintNow;

    ControlBounds Bounds() const override { return bounds; }
    void ApplyBounds(const ControlBounds& b) override {
        bounds = b;
        ++applied;
    }
    void RepaintNow() override {
        ++repaintsNow;
        if (onRepaintNow) onRepaintNow();
    }
    void RepaintLater() override { ++repaintsLater; }
    void UpdateRegion() override { ++regionUpdates; }
    void NotifyChildrenParentChanged() override { ++childNotices; }
    bool IsDesigning() const override { return designing; }
    bool IsLoading() const override { return false; }
};

// A gauge's logic with stand-ins all round; the text renderer and the clock stay reachable.
struct GaugeRig {
    FakeHost host;
    std::vector<BoxText::Call> texts;
    FakeClock* clock = nullptr;
    std::unique_ptr<SkinGaugeLogic> gauge;

    explicit GaugeRig(ControlBounds bounds = {0, 0, 100, 20}) {
        host.bounds = bounds;
        auto text = std::make_unique<BoxText>();
        text->calls = &texts;
        auto timers = std::make_unique<FakeClock>();
        clock = timers.get();
        gauge = std::make_unique<SkinGaugeLogic>(host, std::move(text), std::move(timers));
    }
};

}  // namespace tolvar::test
