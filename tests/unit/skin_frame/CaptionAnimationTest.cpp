// The caption's frame animation on a fake clock (its frames in order, backwards on deactivation
// when the skin asks for it, and skins whose animation cannot be played), the inactive effect of
// a caption with its own pictures, and what the frame asks of the window besides painting it:
// the whole form repainted, the children told, the form's own buttons, the timers stopped.
#include <gtest/gtest.h>

#include "FrameSkins.h"
#include "FrameStandIns.h"
#include "skin/frame/ImageEffects.h"
#include "skin/frame/SkinFrame.h"

using namespace tolvar;
using tolvar::test::AnimationColour;
using tolvar::test::CaptionBand;
using tolvar::test::FakeClock;
using tolvar::test::FakeFrameHost;
using tolvar::test::kAnimationInterval;
using tolvar::test::TestFramePackage;
using tolvar::test::TestSkin;

namespace {

// A point of the caption the text never covers.
constexpr Point kBackground{200, 7};

// A window of the test frame skin that starts inactive.
struct AnimatedWindow {
    explicit AnimatedWindow(const std::string& caption = tolvar::test::kFourFrames, const std::string& formInfo = "")
        : skin(TestFramePackage(caption, formInfo)), frame(host, clock) {
        host.Active = false;
        frame.SetSkinData(skin.Data());
    }
    void Activate(bool active) {
        host.Active = active;
        frame.Activate(active);
    }
    int32_t Frame() const { return frame.CaptionObject()->AnimationFrame; }
    Pixel CaptionPixel() {
        const std::optional<FramePicture> p = frame.ComposeFramePicture();
        return p ? p->Strips.Top.At(kBackground.X, kBackground.Y) : 0;
    }
    // The frames shown from now until the animation ends (at most `limit` ticks).
    std::vector<int32_t> Frames(int limit = 20) {
        std::vector<int32_t> shown;
        while (Frame() != 0 && limit-- > 0) {
            shown.push_back(Frame());
            clock.Advance(frame.CaptionObject()->AnimationInterval());
        }
        return shown;
    }

    TestSkin skin;
    FakeFrameHost host;
    FakeClock clock;
    SkinFrame frame;
};

}  // namespace

TEST(CaptionAnimation, ActivationPlaysTheFramesInOrderAndEndsInTheNormalLook) {
    AnimatedWindow w;
    EXPECT_EQ(w.Frame(), 0);
    EXPECT_EQ(w.CaptionPixel(), CaptionBand());
    w.Activate(true);
    ASSERT_TRUE(w.frame.AnimationTimerRunning());
    // Each frame is painted over the whole caption, one interval apart.
    for (int32_t k = 1; k <= 4; ++k) {
        ASSERT_EQ(w.Frame(), k);
        EXPECT_EQ(w.CaptionPixel(), AnimationColour(k)) << k;
        w.host.Paints.clear();
        w.clock.Advance(kAnimationInterval - 1);
        EXPECT_EQ(w.Frame(), k);
        w.clock.Advance(1);
        ASSERT_EQ(w.host.Paints.size(), 1u);
        EXPECT_EQ(w.host.Paints[0], std::optional<Rect>(w.frame.CaptionObject()->ObjectRect));
    }
    EXPECT_EQ(w.Frame(), 0);
    EXPECT_FALSE(w.frame.AnimationTimerRunning());
    EXPECT_EQ(w.CaptionPixel(), CaptionBand());
    // Deactivating plays nothing unless the skin asks for it.
    w.Activate(false);
    EXPECT_EQ(w.Frame(), 0);
    EXPECT_FALSE(w.frame.AnimationTimerRunning());
}

TEST(CaptionAnimation, WithInactiveAnimationDeactivationPlaysTheFramesBackwards) {
    AnimatedWindow w(std::string(tolvar::test::kFourFrames) + "inactiveanimation=1\n");
    w.Activate(true);
    EXPECT_EQ(w.Frames(), (std::vector<int32_t>{1, 2, 3, 4}));
    w.Activate(false);
    EXPECT_EQ(w.Frames(), (std::vector<int32_t>{4, 3, 2, 1}));
    // A new activation while frames run starts over from the first.
    w.Activate(true);
    w.clock.Advance(kAnimationInterval);
    w.Activate(false);
    w.Activate(true);
    EXPECT_EQ(w.Frames(), (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST(CaptionAnimation, StripsThatCannotBePlayedFallBackToTheStillCaption) {
    const struct {
        const char* keys;
        std::vector<int32_t> frames;  // what an activation shows
    } cases[] = {
        {"animateskinrect=0,0,216,15\nframecount=0\n", {}},
        {"animateskinrect=0,0,216,15\nframecount=100000\n", {}},        // frames of no width
        {"animateskinrect=0,0,540,15\nframecount=10\n", {1, 2, 3, 4}},  // past the picture: the frames it holds
        {"animateskinrect=300,0,516,15\nframecount=4\n", {}},           // wholly outside it
        {"animateskinrect=0,30,216,45\nframecount=4\n", {}},            // below it
        {"animateskinrect=0,0,216,15\nframecount=4\nanimateinterval=0\n", {}},
        {"animateskinrect=0,0,54,40\nframecount=2\n", {1, 2}},  // stacked, taller than the caption
    };
    for (const auto& c : cases) {
        AnimatedWindow w(c.keys);
        w.Activate(true);
        EXPECT_EQ(w.Frames(), c.frames) << c.keys;
        EXPECT_FALSE(w.frame.AnimationTimerRunning()) << c.keys;
        EXPECT_EQ(w.CaptionPixel(), CaptionBand()) << c.keys;
    }
    // Stacked frames are the strip's equal slices from the top; a frame of another height than
    // the caption is scaled to it.
    AnimatedWindow stacked("animateskinrect=0,0,54,40\nframecount=2\n");
    EXPECT_EQ(stacked.frame.CaptionObject()->AnimationFrameRect(2), (Rect{0, 20, 54, 40}));
    stacked.Activate(true);
    EXPECT_EQ(stacked.CaptionPixel(), AnimationColour(1));
    // Without skin effects nothing animates.
    AnimatedWindow plain;
    plain.skin.Data()->EnableSkinEffects = false;
    plain.Activate(true);
    EXPECT_EQ(plain.Frame(), 0);
}

TEST(CaptionInactiveEffect, ACaptionWithItsOwnPicturesGetsTheEffectOnce) {
    // An inactive caption composed of the frame picture's band, with darkness as the effect.
    AnimatedWindow w("activeskinrect=0,0,54,15\nstretcheffect=1\n",
                     "autorenderinginactiveimage=1\ninactiveeffect=iedarkness\n");
    Bitmap darker(1, 1, CaptionBand());
    ApplyInactiveEffect(darker, ieDarkness);
    TskSkinCaptionObject& caption = *w.frame.CaptionObject();
    ASSERT_FALSE(caption.Active);
    // Drawn on its own, the caption carries the effect itself...
    Bitmap alone(342, 64);
    caption.Draw(alone, {0, 0}, true);
    EXPECT_EQ(alone.At(kBackground.X, kBackground.Y), darker.At(0, 0));
    // ... and drawn into the frame's strips, it gets it with them: once, the same look.
    EXPECT_EQ(w.CaptionPixel(), darker.At(0, 0));
    // Active, the caption shows its hover background without any effect.
    w.Activate(true);
    EXPECT_EQ(w.CaptionPixel(), AnimationColour(1));
}

TEST(FrameRequests, TheFormIsRepaintedTheChildrenToldAndItsOwnButtonsSet) {
    // The program's skin stretches the client background: a new size repaints the form and
    // tells the children.
    tolvar::test::ProgramSkin program(tolvar::test::ProgramSkinDir());
    FakeFrameHost host;
    FakeClock clock;
    SkinFrame frame(host, clock);
    frame.SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu) | BorderIconBit(TskBorderIcon::biMaximize));
    frame.SetSkinData(program.Data());
    EXPECT_GE(host.FormRepaints, 1);
    EXPECT_EQ(host.FormIcons, std::optional<TskBorderIcons>(0));
    const int repaints = host.FormRepaints, told = host.ChildrenTold;
    host.Width = 400;
    frame.WindowSized();
    EXPECT_GT(host.FormRepaints, repaints);
    EXPECT_GT(host.ChildrenTold, told);
    // Without the skinned frame the form's own frame gets the component's buttons back.
    frame.SetFormSkinEnabled(false);
    EXPECT_EQ(host.FormIcons, std::optional<TskBorderIcons>(BorderIconBit(TskBorderIcon::biSystemMenu) |
                                                            BorderIconBit(TskBorderIcon::biMaximize)));
    frame.HideCaptionButtons = true;
    frame.ApplySkin();
    EXPECT_EQ(host.FormIcons, std::optional<TskBorderIcons>(BorderIconBit(TskBorderIcon::biMaximize)));

    // A skin that does not stretch its client background leaves the children alone.
    AnimatedWindow still;
    const int before = still.host.ChildrenTold;
    still.host.Width = 400;
    still.frame.WindowSized();
    EXPECT_EQ(still.host.ChildrenTold, before);
}

TEST(FrameRequests, StopTimersStopsEveryTimerOfTheFrame) {
    AnimatedWindow w;
    w.Activate(true);
    w.host.Cursor = Point{w.host.Origin.X + 342 - 3 - 6, w.host.Origin.Y + 6};  // the close button
    EXPECT_EQ(w.frame.HitTest(*w.host.Cursor), HitCode::Object);
    w.clock.Advance(50);  // the hover timer finds the button, whose fade begins
    EXPECT_TRUE(w.frame.HoverTimerRunning());
    EXPECT_TRUE(w.frame.MorphTimerRunning());
    EXPECT_TRUE(w.frame.AnimationTimerRunning());
    w.frame.StopTimers();
    EXPECT_FALSE(w.frame.HoverTimerRunning() || w.frame.MorphTimerRunning() || w.frame.AnimationTimerRunning());
}
