#pragma once
// A small frame skin made for the tests, with what the program's own skin does not use: a
// caption animation, a sizeable outline, a soft border drawn over black and a close button.
#include <algorithm>
#include <string>

#include "SkinStandIns.h"
#include "skin/data/SkinPackage.h"

namespace tolvar::test {

// The caption animation's frames: four flat frames of 54 x 15, side by side from the top-left
// corner of active picture 0, frame k (1 .. 4) in AnimationColour(k).
constexpr int32_t kAnimationFrames = 4;
constexpr int32_t kAnimationInterval = 100;
inline Pixel AnimationColour(int32_t k) { return MakePixel(uint8_t(40 * k), 10, 200); }
// The caption band of the main picture, and the soft border's colour before its opacity.
inline Pixel CaptionBand() { return MakePixel(30, 60, 90); }
inline Pixel BorderColour() { return MakePixel(0, 100, 200); }

// Main picture 60 x 40: a 15-row caption over a 3-pixel border around the client piece
// (3, 15, 57, 37); the mask cuts one pixel off each corner. The layer frame is 30 x 30 around a
// client rect of (8, 8, 22, 22); its mask fades from opaque next to the window to nothing at
// the picture's edge, and its picture is the border colour drawn over black by that mask.
// `caption` gives the caption record's own keys (its animation by default) and `formInfo` more
// [FORMINFO] keys.
constexpr const char* kFourFrames = "animateskinrect=0,0,216,15\nframecount=4\nanimateinterval=100\n";
inline SkinPackage TestFramePackage(const std::string& caption = kFourFrames, const std::string& formInfo = "") {
    SkinPackage p;
    p.mainPicture = Bitmap(60, 40, MakePixel(40, 40, 48));
    FillBitmapRect(p.mainPicture, {0, 0, 60, 15}, CaptionBand());
    FillBitmapRect(p.mainPicture, {3, 15, 57, 37}, MakePixel(20, 22, 26));
    p.maskPicture = Bitmap(60, 40, MakePixel(0, 0, 0));
    for (const Point c : {Point{0, 0}, Point{59, 0}, Point{0, 39}, Point{59, 39}})
        p.maskPicture.At(c.X, c.Y) = MakePixel(255, 255, 255);

    Bitmap objects(240, 40, MakePixel(0, 0, 0));
    for (int32_t k = 1; k <= kAnimationFrames; ++k)
        FillBitmapRect(objects, {54 * (k - 1), 0, 54 * k, 15}, AnimationColour(k));
    FillBitmapRect(objects, {0, 20, 12, 32}, MakePixel(90, 90, 90));    // close button
    FillBitmapRect(objects, {12, 20, 24, 32}, MakePixel(220, 40, 30));  // and hovered
    Bitmap layer(30, 30), layerMask(30, 30);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 30; ++x) {
            const int32_t dx = std::max({8 - x, 0, x - 21}), dy = std::max({8 - y, 0, y - 21});
            const int32_t a = std::clamp(255 - 32 * std::max(dx, dy), 0, 255);
            const bool window = x >= 8 && x < 22 && y >= 8 && y < 22;
            const uint8_t g = uint8_t(window ? 0 : a);
            layerMask.At(x, y) = MakePixel(g, g, g);
            const Pixel c = BorderColour();
            layer.At(x, y) =
                MakePixel(uint8_t(PixelR(c) * g / 255), uint8_t(PixelG(c) * g / 255), uint8_t(PixelB(c) * g / 255));
        }
    p.activePictures = {objects, layer, layerMask};
    p.description =
        std::string(
            "[VERSION]\nskinname=test frame\n[PICTURES]\n"
            "[FORMINFO]\nlefttoppoint=10,15\nrighttoppoint=50,15\nleftbottompoint=10,37\nrightbottompoint=50,37\n"
            "clientrect=3,15,57,37\ncaptionrect=3,0,57,15\nmaskrectarea=2,2,58,38\nborderwidth=3\n"
            "hittestlefttoppoint=10,10\nhittestrighttoppoint=50,10\nhittestleftbottompoint=10,"
            "30\nhittestrightbottompoint=50,30\n"
            "leftstretch=1\ntopstretch=1\nrightstretch=1\nbottomstretch=1\n") +
        formInfo +
        std::string(
            "[LAYERFRAME]\npictureindex=1\nmaskpictureindex=2\ninactivepictureindex=-1\ninactivemaskpictureindex=-1\n"
            "lefttoppoint=10,8\nrighttoppoint=20,8\nleftbottompoint=10,22\nrightbottompoint=20,22\nclientrect=8,8,22,"
            "22\n"
            "alphablendvalue=255\ninactivealphablendvalue=160\n"
            "[SKINOBJECTS]\ncount=2\n0=caption:caption\n1=closebutton:stdbutton\n"
            "[caption]\nskinrect=3,0,57,15\ntextrect=2,1,40,14\nactivepictureindex=0\nfontheight=10\nalignment="
            "taleftjustify\n") +
        caption +
        std::string(
            "[closebutton]\ncommand=cmclose\nskinrectinapicture=1\nactivepictureindex=0\nskinrect=0,20,12,32\n"
            "activeskinrect=12,20,24,32\nmorphing=1\n");
    return p;
}

}  // namespace tolvar::test
