// The gauge's default look, its filled part and percentage, and where and in which font its
// text goes.
#include "GaugeSkins.h"
#include "skin/data/ResourceStrData.h"

using namespace tolvar;
using namespace tolvar::test;
using test::Matches;

namespace {

Pixel Sys(uint8_t index) { return ColorToPixel(ResolveColor(SystemColor(index))); }

}  // namespace

TEST(DefaultLook, WindowColouredBarInAButtonShadowFrameFilledInsideIt) {
    struct Case {
        int32_t min, max, value;
        int32_t filledRight;  // of the area (1, 1, 39, 9)
    } cases[] = {
        {0, 100, 50, 20}, {0, 3, 1, 13},  // 38 / 3, the fraction dropped
        {0, 3, 2, 26},    {5, 5, 5, 1},   // equal bounds: nothing filled
        {0, 100, 0, 1},
    };
    TestSkin skin(Controls({{"gauge", "gauge", HorizontalGauge()}}), {});
    for (const Case& c : cases)
        for (TskSkinData* data : {static_cast<TskSkinData*>(nullptr), skin.Data()}) {
            SCOPED_TRACE(testing::Message()
                         << c.min << ".." << c.max << " at " << c.value << (data ? " named Gauge" : ""));
            GaugeRig rig({0, 0, 40, 10});
            // A name no record has: the lookup is exact, so "Gauge" does not find "gauge".
            rig.gauge->SetSkinDataName("Gauge");
            rig.gauge->SetSkinData(data);
            rig.gauge->SetMinValue(c.min);
            rig.gauge->SetMaxValue(c.max);
            rig.gauge->SetValue(c.value);
            EXPECT_EQ(rig.host.bounds, (ControlBounds{0, 0, 40, 10}));
            const Bitmap image = rig.gauge->PaintImage();
            EXPECT_TRUE(Matches(image, [&](int32_t x, int32_t y) {
                if (x == 0 || y == 0 || x == 39 || y == 9) return Sys(COLOR_INDEX_BTNSHADOW);
                if (x < c.filledRight) return MakePixel(182, 189, 210);
                return Sys(COLOR_INDEX_WINDOW);
            }));
        }
}

TEST(GaugeText, CaptionThenPercentageWithoutASeparator) {
    struct Case {
        int32_t min, max, value;
        bool showText, showPercent;
        const char* caption;
        const char* shown;  // nullptr: nothing drawn
    } cases[] = {
        {0, 3, 1, false, true, "", "33%"},          {0, 3, 2, false, true, "", "66%"},
        {5, 5, 5, false, true, "", "0%"},           {0, 100, 29, false, true, "", "29%"},
        {0, 3, 1, true, true, "a.dll", "a.dll33%"}, {0, 3, 1, true, false, "a.dll", "a.dll"},
        {0, 3, 1, false, false, "a.dll", nullptr},  {0, 3, 1, true, false, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown ? c.shown : "(nothing)");
        GaugeRig rig({0, 0, 100, 20});
        rig.gauge->SetMinValue(c.min);
        rig.gauge->SetMaxValue(c.max);
        rig.gauge->SetValue(c.value);
        rig.gauge->SetShowProgressText(c.showText);
        rig.gauge->SetShowPercent(c.showPercent);
        rig.gauge->SetProgressText(c.caption);
        rig.gauge->PaintImage();
        if (!c.shown) {
            EXPECT_TRUE(rig.texts.empty());
            continue;
        }
        ASSERT_EQ(rig.texts.size(), 1u);
        EXPECT_EQ(rig.texts[0].text, c.shown);
    }
}

TEST(GaugeText, CentredByIntegerHalvesOneHigherForAnOddFontHeightTurnedWhenVertical) {
    struct Case {
        int32_t width, height;
        bool vertical;
        int32_t fontHeight;
        Point at;
    } cases[] = {
        // "abc" is 18 wide: x = 160 - 9; y = 8 - 7.
        {321, 16, false, 14, {151, 1}},
        // y = 8 - 6 = 2, then one higher.
        {321, 16, false, 13, {151, 1}},
        {321, 17, false, 14, {151, 1}},
        {320, 20, false, 15, {151, 2}},
        // Turned: x = 8 - 14 / 2; y = 26 + 18 / 2, the text's lower end.
        {16, 53, true, 14, {1, 35}},
        {16, 53, true, 13, {2, 34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " height " << c.fontHeight);
        GaugeRig rig({0, 0, c.width, c.height});
        TextFont font;
        font.Height = c.fontHeight;
        rig.gauge->SetDefaultFont(font);
        rig.gauge->SetVertical(c.vertical);
        rig.gauge->SetValue(0);
        rig.gauge->SetShowProgressText(true);
        rig.gauge->SetProgressText("abc");
        const Bitmap image = rig.gauge->PaintImage();
        ASSERT_EQ(rig.texts.size(), 1u);
        EXPECT_EQ(rig.texts[0].at, c.at);
        EXPECT_EQ(rig.texts[0].font.Escapement, c.vertical ? 900 : 0);
        // The box stands where the position says: up from its start when turned.
        const Rect box = BoxText::Box(rig.texts[0].font, c.at, "abc");
        EXPECT_EQ(box, c.vertical ? (Rect{c.at.X, c.at.Y - 18, c.at.X + c.fontHeight, c.at.Y})
                                  : (Rect{c.at.X, c.at.Y, c.at.X + 18, c.at.Y + c.fontHeight}));
        EXPECT_EQ(image.At(box.Left, box.Top), ColorToPixel(ResolveColor(font.Color)));
    }
}

TEST(GaugeText, FontFromTheRecordOrTheDefaultFontAndTheResourceCharacterSet) {
    TextFont defaults;
    defaults.Name = "Tahoma";
    defaults.Height = 11;
    defaults.Style = fsItalic;
    defaults.Color = RGBColor(1, 2, 3);
    defaults.CharSet = 0;
    const Keys record =
        With(HorizontalGauge(),
             {{"fontname", "Verdana"}, {"fontheight", "12"}, {"fontstyle", "[fsbold]"}, {"fontcolor", "255"}});
    struct Case {
        const char* what;
        bool skinned, useSkinFont, resourceStrings;
        TextFont expected;
    } cases[] = {
        {"no record", false, true, false, defaults},
        {"the record's font", true, true, false, {"Verdana", 12, fsBold, 255, 0, 0}},
        {"the default font in the record's colour", true, false, false, {"Tahoma", 11, fsItalic, 255, 0, 0}},
        {"the resource strings' character set", true, true, true, {"Verdana", 12, fsBold, 255, 204, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto skin = MakeSkin({{c.skinned ? "gauge" : "other", "gauge", record}});
        TskResourceStrData strings;
        strings.CharSet = 204;
        if (c.resourceStrings) skin->Data()->SetResourceStrData(&strings);
        GaugeRig rig({0, 0, 60, 8});
        rig.gauge->SetDefaultFont(defaults);
        rig.gauge->SetUseSkinFont(c.useSkinFont);
        rig.gauge->SetSkinData(skin->Data());
        rig.gauge->SetShowProgressText(true);
        rig.gauge->SetProgressText("x");
        rig.gauge->PaintImage();
        ASSERT_EQ(rig.texts.size(), 1u);
        EXPECT_EQ(rig.texts[0].font, c.expected);
        skin->Data()->SetResourceStrData(nullptr);
    }
}
