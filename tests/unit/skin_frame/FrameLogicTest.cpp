// The frame's logic on the program's own skin: geometry and limits, the client area, the hit
// test, the caption objects' layout, hover, press and cross-fade, and the system menu.
#include <gtest/gtest.h>

#include "FrameStandIns.h"
#include "skin/data/SkinObjectRecords.h"
#include "skin/frame/SkinFrame.h"

using namespace tolvar;
using tolvar::test::FakeClock;
using tolvar::test::FakeFrameHost;
using tolvar::test::ProgramSkin;

namespace {

class ProgramFrame : public ::testing::Test {
protected:
    ProgramFrame() : skin(tolvar::test::ProgramSkinDir()), frame(host, clock) {
        frame.SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu));
        frame.SetShowIcon(true);
        frame.SetSkinData(skin.Data());
        host.Paints.clear();
    }
    TskActiveSkinObject& Named(const std::string& name) {
        for (auto& o : frame.Objects())
            if (o->IDName == name) return *o;
        throw std::runtime_error("no object " + name);
    }
    TskSkinStdButtonObject& Close() { return static_cast<TskSkinStdButtonObject&>(Named("closebutton")); }
    // A screen point from a window point.
    Point Screen(int32_t x, int32_t y) const { return {host.Origin.X + x, host.Origin.Y + y}; }
    // The mouse over a window point: the hit test and the hover timer see it.
    HitCode MoveTo(int32_t x, int32_t y) {
        host.Cursor = Screen(x, y);
        const HitCode code = frame.HitTest(*host.Cursor);
        clock.Advance(50);
        return code;
    }

    ProgramSkin skin;
    FakeFrameHost host;
    FakeClock clock;
    SkinFrame frame;
};

TEST_F(ProgramFrame, GeometryLimitsAndClientAreaFollowTheWindowSize) {
    struct Case {
        int32_t w, h;
    };
    for (const Case c : {Case{342, 64}, Case{200, 33}, Case{640, 480}}) {
        host.Width = c.w;
        host.Height = c.h;
        frame.WindowSized();
        const FrameGeometry& g = frame.Geometry();
        EXPECT_EQ(g.SizedClientRect, (Rect{3, 30, c.w - 3, c.h - 3})) << c.w;
        EXPECT_EQ(g.SizedCaptionRect, (Rect{6, 0, c.w - 6, 30})) << c.w;
        EXPECT_EQ(g.SizedMaskRect, (Rect{2, 3, c.w - 2, c.h - 3})) << c.w;
        EXPECT_EQ(frame.ClientRectFor({1000, 500, 1000 + c.w, 500 + c.h}), (Rect{1003, 530, 997 + c.w, 497 + c.h}));
    }
    EXPECT_EQ(frame.GetMinWidth(), 200);
    EXPECT_EQ(frame.GetMinHeight(), 33);
    // A client area can never be turned inside out.
    EXPECT_EQ(frame.ClientRectFor({0, 0, 10, 10}), (Rect{3, 30, 7, 30}));
    EXPECT_EQ(frame.ClientRectFor({0, 0, 4, 4}), (Rect{3, 30, 3, 30}));
}

TEST_F(ProgramFrame, ASmallWindowIsEnlargedWhenTheSkinIsApplied) {
    host.Width = 150;
    host.Height = 20;
    frame.ApplySkin();
    EXPECT_EQ(host.Width, 200);
    EXPECT_EQ(host.Height, 33);
}

TEST_F(ProgramFrame, TheUnskinnedFrameHasThePlainBorders) {
    FakeFrameHost plainHost;
    FakeClock plainClock;
    SkinFrame plain(plainHost, plainClock);
    TComponent owner;
    plain.SetSkinData(Own<TskSkinData>(&owner));  // empty
    EXPECT_FALSE(plain.SkinPresent());
    EXPECT_EQ(plain.ClientRectFor({0, 0, 342, 64}), (Rect{3, 22, 339, 61}));
    EXPECT_EQ(plain.GetMinWidth(), 120);
    EXPECT_EQ(plain.GetMinHeight(), 25);
    EXPECT_EQ(plain.ComposeDefaultFramePicture().Width(), 342);
    EXPECT_EQ(plain.HitTest({plainHost.Origin.X + 10, plainHost.Origin.Y + 10}), HitCode::Caption);
    EXPECT_EQ(plain.HitTest({plainHost.Origin.X + 10, plainHost.Origin.Y + 40}), HitCode::Client);
}

TEST_F(ProgramFrame, ObjectsAreLaidOutForTheBorderIcons) {
    for (const int32_t w : {342, 200, 500}) {
        host.Width = w;
        frame.WindowSized();
        EXPECT_EQ(Close().ObjectRect, (Rect{w - 49, 0, w - 6, 30})) << w;
        EXPECT_EQ(Named("sysmenubutton").ObjectRect, (Rect{6, 7, 22, 23})) << w;
        EXPECT_EQ(frame.CaptionObject()->ObjectRect.Left, 22);
        EXPECT_EQ(frame.CaptionObject()->ObjectRect.Right, w - 49);
    }
    EXPECT_FALSE(Named("maxbutton").ObjectVisible);
    EXPECT_FALSE(Named("minbutton").ObjectVisible);
    EXPECT_TRUE(Close().ObjectVisible && Close().ObjectEnabled);
    EXPECT_EQ(Close().Hint, "Close");
    // Every icon back: the buttons line up leftwards from the close button.
    frame.SetBorderIcons(0x0F);
    EXPECT_TRUE(Named("maxbutton").ObjectVisible);
    EXPECT_EQ(Named("maxbutton").ObjectRect.Right, Close().ObjectRect.Left);
}

TEST_F(ProgramFrame, HitTestAnswersByWhatIsUnderThePoint) {
    struct Case {
        Point at;
        HitCode code;
    };
    for (const Case c :
         {Case{{100, 10}, HitCode::Caption}, Case{{100, 40}, HitCode::Client}, Case{{0, 40}, HitCode::Object},
          Case{{341, 63}, HitCode::Object}, Case{{1, 1}, HitCode::Object}, Case{{320, 2}, HitCode::Object}}) {
        EXPECT_EQ(frame.HitTest(Screen(c.at.X, c.at.Y)), c.code) << c.at.X << "," << c.at.Y;
        frame.TestActive(std::nullopt);
    }
    // Resizable, the outline offers the resize codes.
    host.Sizeable = true;
    EXPECT_EQ(frame.HitTest(Screen(0, 40)), HitCode::Left);
    EXPECT_EQ(frame.HitTest(Screen(341, 63)), HitCode::BottomRight);
    EXPECT_EQ(frame.HitTest(Screen(170, 63)), HitCode::Bottom);
}

TEST_F(ProgramFrame, HoverCrossFadesInFiveStepsAndBack) {
    EXPECT_EQ(MoveTo(320, 15), HitCode::Object);
    EXPECT_TRUE(Close().Hovered);
    EXPECT_TRUE(frame.HoverTimerRunning());
    EXPECT_TRUE(frame.MorphTimerRunning());
    std::vector<double> steps;
    for (int i = 0; i < 6; ++i) {
        clock.Advance(25);
        steps.push_back(Close().MorphFactor);
    }
    EXPECT_DOUBLE_EQ(steps[0], 0.2);
    EXPECT_DOUBLE_EQ(steps[4], 1.0);
    EXPECT_FALSE(frame.MorphTimerRunning());
    // Each step repainted the button alone.
    EXPECT_EQ(host.Paints.back(), std::optional<Rect>(Close().ObjectRect));

    MoveTo(100, 15);  // onto the caption
    EXPECT_FALSE(Close().Hovered);
    clock.Advance(5 * 25);
    EXPECT_DOUBLE_EQ(Close().MorphFactor, 0.0);
    // Out of the window: the timer stops.
    host.Cursor.reset();
    clock.Advance(50);
    EXPECT_FALSE(frame.HoverTimerRunning());
}

TEST_F(ProgramFrame, TheCloseButtonClosesOnlyWhenReleasedOnIt) {
    MoveTo(320, 15);
    frame.NcButtonDown(MouseButton::Left, HitCode::Object, *host.Cursor);
    EXPECT_TRUE(Close().Pressed);
    EXPECT_EQ(frame.CaptureIndex(), frame.HoverIndex());
    MoveTo(100, 15);  // dragged off: the button does not light up anything else
    EXPECT_EQ(frame.HoverIndex(), -1);
    frame.CapturedButtonUp(MouseButton::Left);
    EXPECT_EQ(host.Closes, 0);
    EXPECT_EQ(host.Captures, (std::vector<bool>{true, false}));

    MoveTo(320, 15);
    frame.NcButtonDown(MouseButton::Left, HitCode::Object, *host.Cursor);
    frame.CapturedButtonUp(MouseButton::Left);
    EXPECT_EQ(host.Closes, 1);
    EXPECT_FALSE(Close().Pressed);
}

TEST_F(ProgramFrame, DoubleClicksOnTheCaptionChangeNothingOnTheIconClose) {
    MoveTo(100, 15);
    frame.NcButtonDblClk(MouseButton::Left, HitCode::Caption, *host.Cursor);
    EXPECT_EQ(host.Closes, 0);
    EXPECT_EQ(host.Height, 64);
    host.MenuAnswer.reset();
    MoveTo(10, 12);
    frame.NcButtonDblClk(MouseButton::Left, HitCode::Object, *host.Cursor);
    EXPECT_EQ(host.Closes, 1);
}

TEST_F(ProgramFrame, TheSystemMenuHoldsCloseAndShowsWhereAsked) {
    const std::vector<SystemMenuItem> only{{"SKF_CLOSE", "&Close", "Alt+F4", SystemMenuCommand::Close}};
    // Right click on the caption: at the cursor.
    MoveTo(100, 15);
    host.MenuAnswer = SystemMenuCommand::Close;
    frame.NcButtonDown(MouseButton::Right, HitCode::Caption, *host.Cursor);
    ASSERT_EQ(host.Menus.size(), 1u);
    EXPECT_EQ(host.Menus[0], only);
    EXPECT_EQ(host.MenuPoints[0], Screen(100, 15));
    EXPECT_EQ(host.Closes, 1);
    // Alt+Space: under the icon; dismissed, nothing happens.
    host.MenuAnswer.reset();
    EXPECT_TRUE(frame.KeyboardSystemMenu());
    EXPECT_EQ(host.MenuPoints[1], Screen(6, 23));
    EXPECT_EQ(host.Closes, 1);
    // A left click on the icon pops it up below the icon and lets go of the mouse after.
    MoveTo(10, 12);
    frame.NcButtonDown(MouseButton::Left, HitCode::Object, *host.Cursor);
    EXPECT_EQ(host.Menus.size(), 3u);
    EXPECT_EQ(frame.CaptureIndex(), -1);
    EXPECT_EQ(host.Captures.back(), false);
}

TEST(SystemMenu, ItemsFollowTheStateInOrder) {
    SystemMenuState s;
    s.CanMinimize = s.CanMaximize = s.CanRollUp = true;
    std::vector<std::string> names;
    for (const auto& i : SystemMenuItems(s)) names.push_back(i.Caption);
    EXPECT_EQ(names, (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "Ro&llUp", "-", "&Close"}));
    s.Maximized = true;
    names.clear();
    for (const auto& i : SystemMenuItems(s)) names.push_back(i.Caption);
    EXPECT_EQ(names, (std::vector<std::string>{"Mi&nimize", "&Restore", "Ro&llUp", "-", "&Close"}));
}

TEST_F(ProgramFrame, ASkinChangeDropsTheObjectsUntilTheNewSkinIsThere) {
    MoveTo(320, 15);
    frame.BeforeChangeSkinData();
    EXPECT_TRUE(frame.Objects().empty());
    EXPECT_FALSE(frame.HoverTimerRunning());
    EXPECT_FALSE(frame.ComposeFramePicture().has_value());
    frame.ChangeSkinData();
    EXPECT_FALSE(frame.Objects().empty());
    EXPECT_TRUE(frame.ComposeFramePicture().has_value());
}

}  // namespace
