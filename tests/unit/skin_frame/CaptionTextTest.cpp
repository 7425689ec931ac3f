#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/data/SkinObjectRecords.h"
#include "skin/frame/CaptionText.h"
#include "SkinStandIns.h"

using namespace tolvar;
using test::BoxText;

namespace {

constexpr Color kActiveText = RGBColor(187, 221, 255), kInactiveText = RGBColor(70, 70, 70);
constexpr Color kActiveReflection = RGBColor(149, 149, 149), kInactiveReflection = RGBColor(87, 87, 87);
constexpr Pixel kBlack = MakePixel(0, 0, 0);

TextFont Font(Color c, int32_t height = 14) {
    TextFont f;
    f.Height = height;
    f.Style = 1;
    f.Color = c;
    return f;
}

// This program's caption record, as far as the text step reads it.
TskDataSkinCaption ThisSkinsCaption() {
    TskDataSkinCaption c("caption");
    c.skinrect = {40, 0, 250, 30};
    c.textrect = {2, 2, 199, 17};
    c.alignment = taLeftJustify;
    c.fontcolor = kInactiveText;
    c.activefontcolor = kActiveText;
    c.reflectioneffect = true;
    c.reflactioncolor = kInactiveReflection;
    c.reflactionactivecolor = kActiveReflection;
    c.reflectionoffset = -5;
    c.gloweffect = true;
    c.glowsize = 3;
    c.glowcolor = c.glowactivecolor = RGBColor(255, 255, 255);
    return c;
}

CaptionTextRequest Request(std::string text, Rect area, bool active) {
    CaptionTextRequest r;
    r.Text = std::move(text);
    r.TextArea = area;
    r.Origin = {10, 4};
    r.Font = Font(active ? kActiveText : kInactiveText);
    r.Active = active;
    return r;
}

// The rectangle of pixels of `after` that differ from `before`; empty when none do.
Rect ChangedArea(const Bitmap& before, const Bitmap& after) {
    Rect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < after.Height(); ++y)
        for (int32_t x = 0; x < after.Width(); ++x)
            if (before.At(x, y) != after.At(x, y))
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return IsEmptyRect(r) ? Rect{} : r;
}

bool IsRed(const BoxText::Call& c) { return c.font.Color == RGBColor(255, 0, 0); }

}  // namespace

TEST(CaptionTextArea, GrowsWithTheCaptionAndMovesPastQuickButtonsAndPlate) {
    TskDataSkinCaption c = ThisSkinsCaption();  // skinrect 210 wide
    const Rect object{6, 0, 256, 30};           // 250 wide: 40 more
    EXPECT_EQ(CaptionTextArea(c, object), (Rect{2, 2, 239, 17}));
    EXPECT_EQ(CaptionTextArea(c, object, 2, 16), (Rect{50, 2, 239, 17}));
    c.framerect = {0, 40, 40, 60};
    c.frametextrect = {5, 1, 35, 18};
    EXPECT_EQ(CaptionTextArea(c, object), (Rect{7, 3, 234, 17}));
    c.textrect = {};
    EXPECT_TRUE(IsEmptyRect(CaptionTextArea(c, object)));
    // Hostile numbers saturate rather than wrap.
    c = ThisSkinsCaption();
    c.skinrect = {0, 0, 1, 1};
    EXPECT_EQ(CaptionTextArea(c, {INT32_MIN, 0, INT32_MAX, 1}).Right, INT32_MAX);
}

TEST(FitCaptionText, EllipsisFromTheEndNeverWiderThanTheArea) {
    BoxText text;
    const TextFont font = Font(kActiveText);
    const std::string caption = "Update Checking...";  // 18 boxes, 108 pixels
    struct Case {
        int32_t width;
        std::string expected;
    } const cases[] = {
        {200, caption},
        {108, caption},
        {107, "Update Checkin..."},  // 17 boxes fit
        {102, "Update Checkin..."},
        {101, "Update Checki..."},
        {95, "Update Check..."},
        {24, "U..."},
        {18, "..."},
        {17, ""},  // not even the ellipsis fits: nothing rather than an overlap
        {0, ""},
        {-5, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FitCaptionText(text, font, caption, c.width), c.expected) << c.width;
    for (int32_t width = 0; width <= 120; ++width) {
        const std::string fitted = FitCaptionText(text, font, caption, width);
        EXPECT_LE(text.Measure(font, fitted).Width, width);
        if (fitted != caption && !fitted.empty()) {
            EXPECT_EQ(fitted.substr(fitted.size() - 3), "...");
        }
    }
    EXPECT_EQ(FitCaptionText(text, font, "", 0), "");
}

TEST(PlaceCaptionText, ByAlignmentCentredVerticallyOneHigherForAnOddFont) {
    const Rect area{2, 2, 199, 17};  // 197 x 15
    struct Case {
        TextExtent extent;
        TextAlign align;
        bool centred;
        int32_t fontHeight;
        Point expected;
    } const cases[] = {
        {{60, 14}, taLeftJustify, false, 14, {2, 2}},     // 2 + 7 - 7
        {{60, 14}, taRightJustify, false, 14, {139, 2}},  // 199 - 60
        {{60, 14}, taCenter, false, 14, {70, 2}},         // 2 + 98 - 30
        {{61, 14}, taCenter, false, 14, {70, 2}},         // 61 div 2 = 30
        {{60, 14}, taRightJustify, true, 14, {70, 2}},    // quick buttons centre
        {{60, 13}, taLeftJustify, false, 13, {2, 2}},     // 2 + 7 - 6, one higher
        {{60, 14}, taLeftJustify, false, 15, {2, 1}},
        {{60, 20}, taLeftJustify, false, 20, {2, -1}},  // taller than the area
        {{300, 14}, taCenter, false, 14, {-50, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceCaptionText(c.extent, area, c.align, c.centred, c.fontHeight), c.expected)
            << c.extent.Width << "x" << c.extent.Height << " align " << int(c.align) << " font " << c.fontHeight;
}

TEST(DrawReflectedText, FadingMirroredRowsBelowTheText) {
    // "AB" in 14-pixel boxes at (10, 5): 12 x 14, its foot at row 19. Text i rows from its top
    // gets opacity round(255 * (0.7 - (14 - i) / 14)), none from 30 % of the height up, and
    // lands mirrored: the foot's row comes first.
    const uint8_t opacity[14] = {0, 0, 0, 0, 0, 15, 33, 51, 69, 87, 106, 124, 142, 160};
    BoxText text;
    const TextFont font = Font(RGBColor(187, 221, 255));
    const Rect r{10, 5, 22, 19};
    for (const int32_t offset : {2, -5}) {
        Bitmap target(40, 50, kBlack);
        DrawReflectedText(target, text, font, r, "AB", RGBColor(255, 255, 255), offset);
        for (int32_t y = 0; y < 50; ++y)
            for (int32_t x = 0; x < 40; ++x) {
                Pixel expected = kBlack;
                const int32_t j = y - (r.Bottom + offset);  // row of the mirrored copy
                if (x >= 10 && x < 22 && j >= 0 && j < 14) {
                    const uint8_t a = opacity[13 - j];
                    expected = MakePixel(a, a, a);
                }
                if (x >= 10 && x < 22 && y >= 5 && y < 19) expected = MakePixel(187, 221, 255);  // the text on top
                ASSERT_EQ(target.At(x, y), expected) << "offset " << offset << " at " << x << "," << y;
            }
    }
    // This skin's offset: the reflection starts 5 rows above the foot, under the text, so the
    // first row seen below the text is the ninth row of the text.
    Bitmap target(40, 50, kBlack);
    DrawReflectedText(target, text, font, r, "AB", RGBColor(255, 255, 255), -5);
    EXPECT_EQ(target.At(10, 19), MakePixel(69, 69, 69));
}

TEST(DrawCaptionText, ThisSkinsColoursInBothStatesWithReflection) {
    BoxText text;
    const TskDataSkinCaption caption = ThisSkinsCaption();
    for (const bool active : {true, false}) {
        Bitmap target(342, 40, kBlack);
        DrawCaptionText(target, text, caption, Request("Update...", CaptionTextArea(caption, {0, 0, 210, 30}), active));
        // Left in the area from the origin: at (10 + 2, 4 + 2), 9 boxes, 14 high; the reflection
        // from 5 rows above its foot down to where it fades out, 9 rows later.
        EXPECT_EQ(ChangedArea(Bitmap(342, 40, kBlack), target), (Rect{12, 6, 66, 24}));
        EXPECT_EQ(target.At(12, 6), ColorToPixel(active ? kActiveText : kInactiveText));
        EXPECT_EQ(target.At(65, 19), ColorToPixel(active ? kActiveText : kInactiveText));
        // Just below the text the reflection shows with opacity 69 over black: 149 * 69 / 255 =
        // 40.3, 87 * 69 / 255 = 23.5.
        const uint8_t grey = active ? 40 : 24;
        EXPECT_EQ(target.At(40, 20), MakePixel(grey, grey, grey)) << active;
    }
}

TEST(DrawCaptionText, TheFirstEffectThatAppliesDrawsTheText) {
    struct Case {
        const char* what;
        bool reflection, plateGlow, plateGlowInactive, halo, haloInactive, active;
        int redCalls;  // drawings of the text in pure red on the effect's own image
        Point firstRedAt;
    } const cases[] = {
        {"reflection first", true, true, true, true, true, true, 1, {0, 0}},
        {"plate glow when active", false, true, false, true, true, true, 5, {12, 12}},
        {"plate glow not inactive", false, true, false, true, true, false, 1, {3, 3}},
        {"plate glow inactive too", false, true, true, false, false, false, 5, {12, 12}},
        {"halo when active", false, false, false, true, false, true, 1, {3, 3}},
        {"halo not inactive", false, false, false, true, false, false, 0, {}},
        {"plain", false, false, false, false, false, true, 0, {}},
    };
    for (const Case& c : cases) {
        TskDataSkinCaption caption = ThisSkinsCaption();
        caption.reflectioneffect = c.reflection;
        caption.vistagloweffect = c.plateGlow;
        caption.vistaglowinactiveeffect = c.plateGlowInactive;
        caption.gloweffect = c.halo;
        caption.glowinactiveeffect = c.haloInactive;
        std::vector<BoxText::Call> calls;
        BoxText text;
        text.calls = &calls;
        Bitmap target(342, 40, kBlack);
        const CaptionTextRequest request = Request("Update", {2, 2, 199, 17}, c.active);
        DrawCaptionText(target, text, caption, request);
        ASSERT_FALSE(calls.empty()) << c.what;
        int red = 0;
        for (const auto& call : calls) red += IsRed(call);
        EXPECT_EQ(red, c.redCalls) << c.what;
        if (red > 0) {
            EXPECT_EQ(calls.front().at, c.firstRedAt) << c.what;
        }
        // The text itself comes last, in the font's colour, at its place.
        EXPECT_EQ(calls.back().font, request.Font) << c.what;
        EXPECT_EQ(calls.back().at, (Point{12, 6})) << c.what;
        EXPECT_EQ(calls.back().text, "Update") << c.what;
    }
}

TEST(DrawCaptionText, LightAndShadowBeforeTheText) {
    TskDataSkinCaption caption = ThisSkinsCaption();
    caption.reflectioneffect = false;
    caption.gloweffect = false;
    caption.light = caption.shadow = true;
    caption.lightcolor = RGBColor(1, 1, 1);
    caption.activelightcolor = RGBColor(2, 2, 2);
    caption.shadowcolor = RGBColor(3, 3, 3);
    caption.activeshadowcolor = RGBColor(4, 4, 4);
    for (const bool active : {true, false}) {
        std::vector<BoxText::Call> calls;
        BoxText text;
        text.calls = &calls;
        Bitmap target(342, 40);
        DrawCaptionText(target, text, caption, Request("Up", {2, 2, 199, 17}, active));
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[0].at, (Point{11, 5}));
        EXPECT_EQ(calls[0].font.Color, active ? RGBColor(2, 2, 2) : RGBColor(1, 1, 1));
        EXPECT_EQ(calls[1].at, (Point{13, 7}));
        EXPECT_EQ(calls[1].font.Color, active ? RGBColor(4, 4, 4) : RGBColor(3, 3, 3));
        EXPECT_EQ(calls[2].at, (Point{12, 6}));
        EXPECT_EQ(calls[2].font.Color, active ? kActiveText : kInactiveText);
    }
}

TEST(DrawCaptionText, NothingForAnEmptyCaptionOrArea) {
    BoxText text;
    std::vector<BoxText::Call> calls;
    text.calls = &calls;
    const TskDataSkinCaption caption = ThisSkinsCaption();
    Bitmap target(342, 40, kBlack);
    DrawCaptionText(target, text, caption, Request("", {2, 2, 199, 17}, true));
    DrawCaptionText(target, text, caption, Request("Update", {2, 2, 2, 17}, true));
    DrawCaptionText(target, text, caption, Request("Update", {2, 2, 17, 17}, true));  // not even "..."
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(target, Bitmap(342, 40, kBlack));
}

TEST(DrawCaptionText, ALongCaptionStaysInItsArea) {
    BoxText text;
    const TskDataSkinCaption caption = ThisSkinsCaption();
    // The area ends at 239 in the caption, 249 in the target, where the buttons begin.
    const Rect area = CaptionTextArea(caption, {0, 0, 250, 30});
    Bitmap target(342, 40, kBlack);
    DrawCaptionText(target, text, caption, Request(std::string(80, 'x'), area, true));
    const Rect changed = ChangedArea(Bitmap(342, 40, kBlack), target);
    EXPECT_EQ(changed.Left, 12);
    EXPECT_LE(changed.Right, 249);
    EXPECT_GT(changed.Right, 249 - 6);
}

TEST(DrawCaptionText, PlateBehindTheText) {
    TskDataSkinCaption caption = ThisSkinsCaption();
    caption.reflectioneffect = caption.gloweffect = false;
    caption.framerect = {0, 0, 20, 10};
    caption.frametextrect = {4, 2, 16, 8};  // the plate reaches 4 past the text on each side
    const Bitmap picture(20, 10, MakePixel(9, 9, 9));
    CaptionTextRequest request = Request("Up", {2, 2, 199, 17}, true);
    request.ActivePicture = &picture;
    BoxText text;
    Bitmap target(342, 40, kBlack);
    DrawCaptionText(target, text, caption, request);
    // Text at (12, 6), 12 x 14; the plate 12 + 8 wide and 10 high at (8, 4).
    EXPECT_EQ(target.At(8, 4), MakePixel(9, 9, 9));
    EXPECT_EQ(target.At(27, 5), MakePixel(9, 9, 9));
    EXPECT_EQ(target.At(28, 4), kBlack);
    EXPECT_EQ(target.At(7, 4), kBlack);
    EXPECT_EQ(target.At(8, 3), kBlack);
    EXPECT_EQ(target.At(12, 6), ColorToPixel(kActiveText));

    // A full-width plate spans the caption less the buttons' offset on each side.
    caption.fullframe = true;
    request.CaptionWidth = 200;
    request.ButtonsOffset = 5;
    Bitmap full(342, 40, kBlack);
    DrawCaptionText(full, text, caption, request);
    EXPECT_EQ(full.At(15, 4), MakePixel(9, 9, 9));
    EXPECT_EQ(full.At(204, 4), MakePixel(9, 9, 9));
    EXPECT_EQ(full.At(205, 4), kBlack);
    EXPECT_EQ(full.At(14, 4), kBlack);
}

TEST(DrawHaloText, TheHaloStaysWithinItsMargin) {
    BoxText text;
    const TextFont font = Font(RGBColor(10, 20, 30));
    for (const int32_t offset : {0, 2}) {
        Bitmap target(60, 40, kBlack);
        DrawHaloText(target, text, font, {20, 15}, "AB", 3, RGBColor(255, 255, 255), offset);
        // 12 x 14 text, a 3-pixel margin around it, shifted by the offset.
        const Rect changed = ChangedArea(Bitmap(60, 40, kBlack), target);
        EXPECT_GE(changed.Left, 17 + offset);
        EXPECT_GE(changed.Top, 12 + offset);
        EXPECT_LE(changed.Right, 35 + offset);
        EXPECT_LE(changed.Bottom, 32 + offset);
        EXPECT_NE(target.At(19, 20 + offset), kBlack);        // glowing just beside the text
        EXPECT_EQ(target.At(25, 20), MakePixel(10, 20, 30));  // the text on top
    }
    // Without a size it is the text alone; a hostile size is bounded.
    Bitmap plain(60, 40, kBlack);
    DrawHaloText(plain, text, font, {20, 15}, "AB", 0, RGBColor(255, 255, 255), 0);
    EXPECT_EQ(ChangedArea(Bitmap(60, 40, kBlack), plain), (Rect{20, 15, 32, 29}));
    Bitmap huge(60, 40, kBlack);
    DrawHaloText(huge, text, font, {20, 15}, "AB", INT32_MAX, RGBColor(255, 255, 255), INT32_MAX);
    EXPECT_EQ(huge.At(25, 20), MakePixel(10, 20, 30));
}

TEST(DrawPlateGlowText, TheGlowStaysWithinTwelvePixels) {
    BoxText text;
    const TextFont font = Font(RGBColor(10, 20, 30));
    Bitmap target(80, 60, kBlack);
    DrawPlateGlowText(target, text, font, {30, 20}, "AB", RGBColor(255, 255, 255));
    const Rect changed = ChangedArea(Bitmap(80, 60, kBlack), target);
    EXPECT_GE(changed.Left, 18);
    EXPECT_GE(changed.Top, 8);
    EXPECT_LE(changed.Right, 54);
    EXPECT_LE(changed.Bottom, 46);
    EXPECT_NE(target.At(27, 27), kBlack);  // the plate reaches past the text's sides
    EXPECT_EQ(target.At(35, 25), MakePixel(10, 20, 30));
}
