// Skins the frame must survive: no mask, no caption record, picture indices of -1 or past the
// list, rectangles outside their pictures, absurd sizes. Nothing may crash or read out of
// bounds (the native run is under the sanitizers), and the window stays usable.
#include <gtest/gtest.h>

#include "FrameStandIns.h"
#include "skin/frame/SkinFrame.h"

using namespace tolvar;
using tolvar::test::FakeClock;
using tolvar::test::FakeFrameHost;

namespace {

// A skin with a small main picture, a frame description around it and the given objects.
SkinPackage DamagedPackage(const std::string& objects) {
    SkinPackage p;
    p.mainPicture = Bitmap(60, 40, MakePixel(10, 20, 30));
    p.activePictures = {Bitmap(8, 8, MakePixel(200, 0, 0))};
    p.description =
        "[VERSION]\nskinname=damaged\n[PICTURES]\n[FORMINFO]\nlefttoppoint=5,10\nrighttoppoint=55,10\n"
        "leftbottompoint=5,35\nrightbottompoint=55,35\nclientrect=2,10,58,38\ncaptionrect=2,0,58,10\n"
        "borderwidth=2\n" +
        objects;
    return p;
}

const char* const kBadObjects =
    "[SKINOBJECTS]\ncount=3\n0=close:stdbutton\n1=menu:stdbutton\n2=caption:caption\n"
    "[close]\ncommand=cmclose\nskinrectinapicture=1\nactivepictureindex=7\nskinrect=1000,1000,1043,1030\n"
    "activeskinrect=-50,-50,10,10\ndownrect=0,0,4000,4000\ninactiveskinrect=5,5,2,2\nmorphing=1\n"
    "glowlayerpictureindex=9\nactivemaskpictureindex=0\n"
    "[menu]\ncommand=cmsysmenu\nactivepictureindex=0\nskinrect=-20,-20,80,90\nactiveskinrect=0,0,800,8\n"
    "[caption]\nskinrect=2,0,58,10\nactivepictureindex=-1\ntextrect=-100,-100,5000,5000\nframerect=0,0,90,90\n"
    "reflectioneffect=1\nreflectionoffset=-90000\ngloweffect=1\nglowsize=100000\n";

}  // namespace

TEST(DamagedSkin, TheFrameDrawsHitTestsAndTracksWithoutFaults) {
    for (const char* objects : {kBadObjects, "[SKINOBJECTS]\ncount=0\n"}) {
        tolvar::test::TestSkin skin(DamagedPackage(objects));
        FakeFrameHost host;
        FakeClock clock;
        SkinFrame frame(host, clock);
        frame.SetShowIcon(true);
        frame.SetSkinData(skin.Data());
        ASSERT_TRUE(frame.SkinPresent());
        for (const Point size : {Point{342, 64}, Point{60, 40}, Point{3, 3}, Point{4000, 30}}) {
            host.Width = size.X;
            host.Height = size.Y;
            frame.WindowSized();
            frame.ComposeFramePicture();
            frame.ComposeClientBackground(std::max(0, size.X - 4), std::max(0, size.Y - 12));
            for (const Point p : {Point{1, 1}, Point{size.X - 10, 5}, Point{size.X / 2, size.Y / 2}}) {
                host.Cursor = Point{host.Origin.X + p.X, host.Origin.Y + p.Y};
                frame.HitTest(*host.Cursor);
                clock.Advance(200);
                frame.NcButtonDown(MouseButton::Left, HitCode::Object, *host.Cursor);
                frame.CapturedButtonUp(MouseButton::Left);
            }
        }
        // Still answering: the window keeps its minimum and a frame to draw.
        host.Width = 342;
        host.Height = 64;
        frame.WindowSized();
        EXPECT_TRUE(frame.ComposeFramePicture().has_value());
    }
}
