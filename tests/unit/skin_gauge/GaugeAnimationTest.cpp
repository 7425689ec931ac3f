// The progress animation's state machine on a clock the test moves: runs of frames, rests,
// restarts, stops, and the frame rectangles of the strip.
#include "GaugeSkins.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

// The window's gauge record: a 51-pixel-wide progress picture and a strip of 7 frames.
Keys AnimatedGauge(int32_t frames = 7, int32_t interval = 35) {
    return With(HorizontalGauge(), {{"progressrect", "58,19,109,33"},
                                    {"progressanimationskinrect", "624,245,675,343"},
                                    {"progressanimationcountframes", std::to_string(frames)},
                                    {"progressanimationtimerinterval", std::to_string(interval)}});
}

// A repaint as the animation asked for it: when, and which frame was on show.
struct Paint {
    int64_t at;
    int32_t frame;
    bool showing;
    friend bool operator==(const Paint&, const Paint&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Paint& p) {
        return o << "{" << p.at << "ms frame " << p.frame << (p.showing ? " shown" : "") << "}";
    }
};

struct Animated {
    std::unique_ptr<TestSkin> skin;
    GaugeRig rig;
    std::vector<Paint> paints;
    explicit Animated(const Keys& keys, int32_t pause = 1000) : skin(MakeSkin({{"gauge", "gauge", keys}})) {
        rig.gauge->SetProgressAnimationPause(pause);
        rig.gauge->SetSkinData(skin->Data());
        rig.host.onRepaintNow = [this] {
            paints.push_back({rig.clock->Now(), rig.gauge->AnimationFrame(), rig.gauge->Animation().FrameShowing()});
        };
    }
    SkinGaugeLogic& gauge() { return *rig.gauge; }
    FakeClock& clock() { return *rig.clock; }
};

// One run from `start`: frame 0 at once, frames 1 .. n every interval, then the rest (painted
// by the rest and again by the tick that ended the run).
void OneRun(std::vector<Paint>& into, int64_t start, int32_t frames, int32_t interval) {
    into.push_back({start, 0, false});
    for (int32_t k = 1; k <= frames; ++k) into.push_back({start + int64_t(k) * interval, k, true});
    const int64_t end = start + int64_t(frames + 1) * interval;
    into.push_back({end, 0, false});
    into.push_back({end, 0, false});
}

}  // namespace

TEST(GaugeAnimation, RunsSevenFramesThenRestsForThePauseAndRunsAgain) {
    Animated a(AnimatedGauge());
    a.gauge().StartProgressAnimation();
    EXPECT_EQ(a.clock().Alive(), 2);
    a.clock().Advance(2 * 1280 - 1);
    std::vector<Paint> expected;
    OneRun(expected, 0, 7, 35);
    OneRun(expected, 1280, 7, 35);  // 8 ticks of 35 ms, then 1000 ms of rest
    EXPECT_EQ(a.paints, expected);
    // Resting: the pause timer runs, the frame timer waits.
    EXPECT_TRUE(a.gauge().Animation().PauseTimer()->Enabled());
    EXPECT_FALSE(a.gauge().Animation().FrameTimer()->Enabled());
}

TEST(GaugeAnimation, StartingAgainDiscardsTheRunningTimersAndBeginsAtFrameZero) {
    Animated a(AnimatedGauge());
    a.gauge().StartProgressAnimation();
    a.clock().Advance(100);
    ASSERT_EQ(a.gauge().AnimationFrame(), 2);
    a.paints.clear();
    a.gauge().StartProgressAnimation();
    EXPECT_EQ(a.clock().created(), 4);
    EXPECT_EQ(a.clock().Alive(), 2);
    a.clock().Advance(35);
    EXPECT_EQ(a.paints, (std::vector<Paint>{{100, 0, false}, {135, 1, true}}));
}

TEST(GaugeAnimation, StopFreesBothTimersAndDoesNotRepaint) {
    Animated a(AnimatedGauge());
    a.gauge().StopProgressAnimation();  // nothing running: only the frame goes to 0
    EXPECT_EQ(a.clock().created(), 0);
    a.gauge().StartProgressAnimation();
    a.clock().Advance(70);
    ASSERT_EQ(a.gauge().AnimationFrame(), 2);
    const size_t painted = a.paints.size();
    a.gauge().StopProgressAnimation();
    EXPECT_EQ(a.gauge().AnimationFrame(), 0);
    EXPECT_EQ(a.clock().Alive(), 0);
    EXPECT_EQ(a.gauge().Animation().FrameTimer(), nullptr);
    a.clock().Advance(5000);
    EXPECT_EQ(a.paints.size(), painted);
}

TEST(GaugeAnimation, RecordsThatEndTheAnimationEarlyOrNeverStartIt) {
    struct Case {
        const char* what;
        Keys keys;
        int32_t pause;
        std::vector<Paint> expected;  // over 3 seconds
        int timers;                   // alive afterwards
    } cases[] = {
        {"no frames: each run ends on its first tick",
         AnimatedGauge(0),
         1000,
         {{0, 0, false},
          {35, 0, false},
          {35, 0, false},
          {1035, 0, false},
          {1070, 0, false},
          {1070, 0, false},
          {2070, 0, false},
          {2105, 0, false},
          {2105, 0, false}},
         2},
        {"no frame interval: the run never passes frame 0", AnimatedGauge(7, 0), 1000, {{0, 0, false}}, 2},
        {"no pause: one run, then still", AnimatedGauge(), 0, {}, 2},
        {"no strip: nothing starts", With(AnimatedGauge(), {{"progressanimationskinrect", "0,0,0,0"}}), 1000, {}, 0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        Animated a(c.keys, c.pause);
        if (c.expected.empty() && c.timers) OneRun(c.expected, 0, 7, 35);
        a.gauge().StartProgressAnimation();
        a.clock().Advance(3000);
        EXPECT_EQ(a.paints, c.expected);
        EXPECT_EQ(a.clock().Alive(), c.timers);
    }
}

TEST(GaugeAnimation, NoSkinRecordNoAnimation) {
    GaugeRig rig;
    rig.gauge->StartProgressAnimation();
    EXPECT_EQ(rig.clock->created(), 0);
    EXPECT_EQ(rig.host.repaintsNow, 0);
}

TEST(GaugeAnimation, PauseChangesApplyFromTheNextStartAndNegativeOnesAreIgnored) {
    Animated a(AnimatedGauge());
    a.gauge().SetProgressAnimationPause(-5);
    EXPECT_EQ(a.gauge().ProgressAnimationPause(), 1000);
    a.gauge().StartProgressAnimation();
    a.clock().Advance(300);  // resting since 280
    a.gauge().SetProgressAnimationPause(500);
    a.paints.clear();
    a.clock().Advance(1000);
    ASSERT_FALSE(a.paints.empty());
    EXPECT_EQ(a.paints.front(), (Paint{1280, 0, false}));  // the old pause
    a.gauge().StartProgressAnimation();
    a.paints.clear();
    a.clock().Advance(280 + 500);
    ASSERT_FALSE(a.paints.empty());
    EXPECT_EQ(a.paints.back(), (Paint{1300 + 280 + 500, 0, false}));  // the new pause
}

TEST(GaugeAnimation, ANewSkinRestartsARunningAnimationOrEndsIt) {
    auto skin = MakeSkin({{"gauge", "gauge", AnimatedGauge()},
                          {"still", "gauge", With(AnimatedGauge(), {{"progressanimationskinrect", "0,0,0,0"}})}});
    GaugeRig rig;
    rig.gauge->SetSkinData(skin->Data());
    rig.gauge->StartProgressAnimation();
    rig.clock->Advance(100);
    ASSERT_EQ(rig.gauge->AnimationFrame(), 2);
    rig.gauge->ChangeSkinData();
    EXPECT_EQ(rig.gauge->AnimationFrame(), 0);
    EXPECT_EQ(rig.clock->created(), 4);
    EXPECT_EQ(rig.clock->Alive(), 2);
    rig.gauge->SetSkinDataName("still");
    rig.gauge->ChangeSkinData();
    EXPECT_EQ(rig.clock->Alive(), 0);
}

TEST(GaugeAnimation, FramesLieBelowEachOtherUnlessTheStripIsWiderThanTheProgressPicture) {
    for (int32_t k = 1; k <= 7; ++k) {
        SCOPED_TRACE(k);
        // [gauge]: the strip is as wide as the 51-pixel picture; 98 / 7 = 14 rows a frame.
        EXPECT_EQ(AnimationFrameRect({624, 245, 675, 343}, 7, {58, 19, 109, 33}, k),
                  (Rect{624, 245 + 14 * (k - 1), 675, 245 + 14 * k}));
        // [vgauge]: the strip is wider than the 14-pixel picture; 14 columns a frame.
        EXPECT_EQ(AnimationFrameRect({592, 188, 690, 239}, 7, {131, 19, 145, 70}, k),
                  (Rect{592 + 14 * (k - 1), 188, 592 + 14 * k, 239}));
    }
}
