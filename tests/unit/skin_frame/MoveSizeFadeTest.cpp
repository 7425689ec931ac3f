// The window dragged, sized and faded in, natively: the magnetic snap's arithmetic at the work
// area's edges, the size kept at the minimum, a live resize whose shape and frame follow the
// proposed size, and the opacity steps of a fade-in.
#include <gtest/gtest.h>

#include "FrameSkins.h"
#include "FrameStandIns.h"
#include "skin/controls/BitmapDrawing.h"
#include "skin/frame/FrameMoveSize.h"
#include "skin/frame/LayerBorderModel.h"
#include "skin/frame/SkinFrame.h"

using namespace tolvar;
using tolvar::test::FakeClock;
using tolvar::test::FakeFrameHost;

namespace {

constexpr Rect kArea{0, 0, 1280, 984};  // a work area above a task bar

}  // namespace

TEST(MagneticSnap, EdgesWithinTheDistanceLieOnTheWorkAreasEdges) {
    const struct {
        Rect proposed;
        int32_t distance;
        Rect snapped;
    } cases[] = {
        {{5, 300, 347, 364}, 5, {0, 300, 342, 364}},        // left edge 5 away: on the edge
        {{6, 300, 348, 364}, 5, {6, 300, 348, 364}},        // 6 away: free
        {{-5, 300, 337, 364}, 5, {0, 300, 342, 364}},       // a little past it: back on it
        {{-6, 300, 336, 364}, 5, {-6, 300, 336, 364}},      // further past: free
        {{400, 3, 742, 67}, 5, {400, 0, 742, 64}},          // the top edge
        {{935, 500, 1277, 564}, 5, {938, 500, 1280, 564}},  // the right edge
        {{400, 918, 742, 982}, 5, {400, 920, 742, 984}},    // the bottom edge, above the task bar
        {{2, 922, 344, 986}, 5, {0, 920, 342, 984}},        // a corner: both at once
        {{-2, -3, 1282, 987}, 5, {0, 0, 1284, 990}},        // wider than the area: left and top win
        {{5, 3, 347, 67}, 0, {5, 3, 347, 67}},              // no distance, no snap
        {{20, 30, 362, 94}, 255, {0, 0, 342, 64}},          // a wide reach
    };
    for (const auto& c : cases)
        EXPECT_EQ(MagneticSnap(c.proposed, kArea, c.distance), c.snapped)
            << c.proposed.Left << "," << c.proposed.Top << " within " << c.distance;
}

TEST(MagneticSnap, ASnappedWindowStaysUntilTheCursorHasMovedTheDistanceAgain) {
    // The drag began with the window at x = 40 and the cursor at x = 200; the cursor walks left
    // a pixel at a time and back. The window reaches the edge 5 pixels early, stays on it while
    // the cursor goes 5 pixels past, and comes off it on the way back at the same places.
    const Rect start{40, 300, 382, 364};
    const Point grab{200, 320};
    const auto leftAt = [&](int32_t cursorX) {
        return MagneticSnap(MagneticMove(start, grab, {cursorX, 320}), kArea, 5).Left;
    };
    EXPECT_EQ(leftAt(166), 6);
    EXPECT_EQ(leftAt(165), 0);
    EXPECT_EQ(leftAt(160), 0);
    EXPECT_EQ(leftAt(155), 0);
    EXPECT_EQ(leftAt(154), -6);
    EXPECT_EQ(leftAt(159), 0);
    EXPECT_EQ(leftAt(166), 6);
}

TEST(SizingRect, TheDraggedEdgesStopAtTheMinimum) {
    const Rect r{100, 100, 150, 110};  // 50 x 10, below 200 x 33
    const struct {
        SizingEdge edge;
        Rect kept;
    } cases[] = {
        {SizingEdge::Right, {100, 100, 300, 133}},      {SizingEdge::Left, {-50, 100, 150, 133}},
        {SizingEdge::Top, {100, 77, 300, 110}},         {SizingEdge::TopLeft, {-50, 77, 150, 110}},
        {SizingEdge::TopRight, {100, 77, 300, 110}},    {SizingEdge::Bottom, {100, 100, 300, 133}},
        {SizingEdge::BottomLeft, {-50, 100, 150, 133}}, {SizingEdge::BottomRight, {100, 100, 300, 133}},
    };
    for (const auto& c : cases) EXPECT_EQ(SizingRect(r, c.edge, 200, 33), c.kept) << int(c.edge);
    // Large enough: unchanged, whatever the edge.
    EXPECT_EQ(SizingRect({0, 0, 30000, 30000}, SizingEdge::BottomRight, 200, 33), (Rect{0, 0, 30000, 30000}));
}

TEST(FadeInSteps, StepsOfAFifteenthUpToTheTarget) {
    const std::vector<uint8_t> full = FadeInSteps(255);
    ASSERT_EQ(full.size(), 15u);
    for (size_t i = 0; i < full.size(); ++i) EXPECT_EQ(full[i], 17 * (i + 1));
    const std::vector<uint8_t> translucent = FadeInSteps(200);  // steps of 13, the last one short
    ASSERT_EQ(translucent.size(), 16u);
    EXPECT_EQ(translucent[0], 13);
    EXPECT_EQ(translucent[14], 195);
    EXPECT_EQ(translucent[15], 200);
    EXPECT_EQ(FadeInSteps(10), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));  // at least 1
    EXPECT_TRUE(FadeInSteps(0).empty());  // a window asked to stay invisible has nothing to fade
    EXPECT_EQ(FadeInSteps(999).back(), 255);
}

namespace {

// A sizeable window with the test frame skin.
class SizeableFrame : public ::testing::Test {
protected:
    SizeableFrame() : skin(tolvar::test::TestFramePackage()), frame(host, clock) {
        host.Sizeable = true;
        host.Width = 300;
        host.Height = 120;
        frame.SetSkinData(skin.Data());
        host.Regions.clear();
        host.Paints.clear();
    }
    // The shape the frame gives a window of w x h, worked out on a frame of its own.
    std::vector<Rect> ShapeAt(int32_t w, int32_t h) {
        FakeFrameHost other;
        FakeClock otherClock;
        other.Width = w;
        other.Height = h;
        SkinFrame fresh(other, otherClock);
        fresh.SetSkinData(skin.Data());
        return fresh.Mask().RegionRects();
    }

    tolvar::test::TestSkin skin;
    FakeFrameHost host;
    FakeClock clock;
    SkinFrame frame;
};

}  // namespace

TEST_F(SizeableFrame, ALiveResizeShapesAndLaysOutTheWindowAtTheNewSize) {
    frame.EnterSizeMove(true);
    const Rect kept = frame.SizeTo({100, 200, 100 + 480, 200 + 90}, SizingEdge::BottomRight);
    EXPECT_EQ(kept, (Rect{100, 200, 580, 290}));
    EXPECT_TRUE(frame.Sizing());
    // The shape, the geometry and the caption objects are for 480 x 90 before the window has it.
    EXPECT_EQ(frame.FrameWidth(), 480);
    EXPECT_EQ(frame.Geometry().SizedClientRect, (Rect{3, 15, 477, 87}));
    ASSERT_FALSE(host.Regions.empty());
    EXPECT_EQ(host.Regions.back(), std::optional<std::vector<Rect>>(ShapeAt(480, 90)));
    EXPECT_EQ(frame.CaptionObject()->ObjectRect.Right, 480 - 3 - 12);  // left of the close button
    // The platform sizes the window: the frame stays at the size the loop proposed.
    frame.WindowSized();
    EXPECT_EQ(frame.FrameWidth(), 480);
    host.Width = 480;
    host.Height = 90;
    frame.ExitSizeMove();
    EXPECT_FALSE(frame.Sizing());
    EXPECT_EQ(host.Regions.back(), std::optional<std::vector<Rect>>(ShapeAt(480, 90)));
}

TEST_F(SizeableFrame, ResizesBelowTheMinimumOrToHugeSizesKeepTheFrameWhole) {
    frame.EnterSizeMove(true);
    // Below the minimum (the picture's 60 x (40 - 22)): the dragged edges stop there.
    EXPECT_EQ(frame.SizeTo({500, 500, 510, 505}, SizingEdge::TopLeft), (Rect{450, 487, 510, 505}));
    EXPECT_EQ(frame.FrameWidth(), 60);
    frame.ExitSizeMove();
    // Told a size below the minimum anyway, the frame paints nothing rather than nonsense.
    host.Width = 20;
    host.Height = 10;
    frame.WindowSized();
    EXPECT_FALSE(frame.ComposeFramePicture().has_value());
    // A window of 30 000 pixels each way is shaped and gets a frame, its pictures no larger
    // than any screen shows.
    host.Width = host.Height = 30000;
    frame.WindowSized();
    const std::optional<FramePicture> huge = frame.ComposeFramePicture();
    ASSERT_TRUE(huge.has_value());
    EXPECT_EQ(huge->Strips.Top.Width(), kMaxComposedSide);
    EXPECT_EQ(huge->Strips.Left.Height(), kMaxComposedSide);
    EXPECT_TRUE(frame.InsideMask({15000, 15000}));
    EXPECT_FALSE(frame.InsideMask({0, 0}));
}

TEST_F(SizeableFrame, OutsideAWholeWindowDragTheFrameFollowsTheWindowItself) {
    // A loop that drags only an outline sizes the window at its end.
    frame.EnterSizeMove(false);
    frame.SizeTo({0, 0, 500, 100}, SizingEdge::Right);
    EXPECT_FALSE(frame.Sizing());
    EXPECT_EQ(frame.FrameWidth(), 300);
    host.Width = 500;
    host.Height = 100;
    frame.WindowSized();
    EXPECT_EQ(frame.FrameWidth(), 500);
    frame.ExitSizeMove();
    EXPECT_EQ(host.Regions.back(), std::optional<std::vector<Rect>>(ShapeAt(500, 100)));
}
