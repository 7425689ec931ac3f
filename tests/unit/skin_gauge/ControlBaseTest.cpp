// The skin control base: binding by name, fitting the size to the skin, the default size, the
// paint through a composed image, and the shape a mask picture gives the control.
#include "GaugeSkins.h"
#include "skin/controls/SkinComposition.h"

using namespace tolvar;
using namespace tolvar::test;
using test::Matches;

namespace {

// A 20 x 8 mask whose four corner pixels are cut off.
Bitmap CornerMask() {
    Bitmap m(20, 8, 0);
    for (auto [x, y] : {std::pair{0, 0}, {19, 0}, {0, 7}, {19, 7}}) m.At(x, y) = 0x00FFFFFFu;
    return m;
}

std::unique_ptr<TestSkin> SkinWithMask(const std::vector<Record>& records) {
    std::vector<Bitmap> pictures;
    pictures.push_back(GaugePicture());
    pictures.push_back(CornerMask());
    return std::make_unique<TestSkin>(Controls(records), std::move(pictures));
}

// Which pixels of a width x height window the rectangles cover.
std::vector<std::string> Shape(const std::vector<Rect>& rects, int32_t width, int32_t height) {
    std::vector<std::string> rows(size_t(height), std::string(size_t(width), '.'));
    for (const Rect& r : rects)
        for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, height); ++y)
            for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, width); ++x) rows[size_t(y)][size_t(x)] = '#';
    return rows;
}

struct Control {
    FakeHost host;
    SkinCustomControlLogic logic{host};
    explicit Control(ControlBounds b = {0, 0, 100, 20}) { host.bounds = b; }
};

}  // namespace

TEST(SkinControlBase, TheSkinDecidesTheSizeTheControlTakes) {
    auto skin = MakeSkin({{"gauge", "gauge", HorizontalGauge()}});
    Control c({7, 7, 321, 20});
    c.logic.SetSkinDataName("gauge");
    c.logic.SetSkinData(skin->Data());
    EXPECT_EQ(c.logic.Sizing(), smHorizontal);
    EXPECT_EQ(c.host.bounds, (ControlBounds{7, 7, 321, 8}));
    EXPECT_GE(c.host.regionUpdates, 1);
    // A horizontal piece takes any width and keeps its own height.
    c.logic.SetBounds({7, 7, 200, 20});
    EXPECT_EQ(c.host.bounds, (ControlBounds{7, 7, 200, 8}));
    EXPECT_GE(c.host.childNotices, 1);  // the record stretches: children may draw through
}

TEST(SkinControlBase, WithoutARecordTheDefaultSizeApplies) {
    Control c;
    c.logic.SetSkinDataName("gauge");
    c.logic.ChangeSkinData();  // 0 and 0 keep the size
    EXPECT_EQ(c.host.bounds, (ControlBounds{0, 0, 100, 20}));
    c.logic.SetDefaultWidth(120);  // at once
    EXPECT_EQ(c.host.bounds, (ControlBounds{0, 0, 120, 20}));
    c.host.bounds = {0, 0, 50, 50};
    c.logic.SetDefaultHeight(30);
    c.logic.ChangeSkinData();
    EXPECT_EQ(c.host.bounds, (ControlBounds{0, 0, 120, 30}));
    // A new default font repaints an unskinned control.
    const int before = c.host.repaintsNow;
    c.logic.SetDefaultFont(TextFont{"Tahoma", 11});
    EXPECT_EQ(c.host.repaintsNow, before + 1);
}

TEST(SkinControlBase, ANewNameTakesEffectOnThePaintAndResizesOnlyOnTheNextSkinChange) {
    const Keys fixed{{"pictureindex", "0"}, {"skinrect", "30,0,40,10"}};
    auto skin = MakeSkin({{"gauge", "gauge", HorizontalGauge()}, {"square", "gauge", fixed}});
    Control c;
    c.logic.SetSkinDataName("gauge");
    c.logic.SetSkinData(skin->Data());
    ASSERT_EQ(c.host.bounds, (ControlBounds{0, 0, 100, 8}));
    c.logic.SetSkinDataName("square");
    EXPECT_EQ(c.host.bounds, (ControlBounds{0, 0, 100, 8}));
    const Bitmap image = c.logic.PaintImage();  // a fixed piece: the skin rect as it is
    EXPECT_EQ(c.logic.Sizing(), smFixed);
    EXPECT_TRUE(Matches(image, [](int32_t x, int32_t y) { return test::Name(30 + x, y); }));
    EXPECT_EQ(image.Width(), 10);
    c.logic.ChangeSkinData();
    EXPECT_EQ(c.host.bounds, (ControlBounds{0, 0, 10, 10}));
}

TEST(SkinControlBase, RecordsAndSkinDataThatGiveNothingToDrawFrom) {
    auto skin = MakeSkin({{"gauge", "gauge", HorizontalGauge()}, {"plate", "bevel", {{"skinrect", "0,0,5,5"}}}});
    {
        SCOPED_TRACE("zero size: nothing painted, nothing composed");
        GaugeRig rig({0, 0, 0, 20});
        rig.gauge->SetShowProgressText(true);
        rig.gauge->SetProgressText("x");
        EXPECT_TRUE(rig.gauge->PaintImage().Empty());
        EXPECT_TRUE(rig.texts.empty());
    }
    {
        SCOPED_TRACE("a record without piece geometry: fixed, no picture");
        Control c;
        c.logic.SetSkinDataName("plate");
        c.logic.SetSkinData(skin->Data());
        EXPECT_TRUE(c.logic.HasSkinRecord());
        EXPECT_EQ(c.logic.Sizing(), smFixed);
        EXPECT_EQ(c.logic.Picture(), nullptr);
        c.logic.PaintImage();
    }
    {
        SCOPED_TRACE("the skin data goes, and between the notices of a reload");
        Control c;
        c.logic.SetSkinDataName("gauge");
        c.logic.SetSkinData(skin->Data());
        c.logic.BeforeChangeSkinData();
        EXPECT_EQ(c.logic.SkinRecordIndex(), -1);
        c.logic.PaintImage();  // looks the record up again
        EXPECT_EQ(c.logic.SkinRecordIndex(), 0);
        c.logic.SkinDataRemoved();
        const Bitmap image = c.logic.PaintImage();
        EXPECT_FALSE(c.logic.HasSkinRecord());
        EXPECT_EQ(image.At(50, 4), ColorToPixel(ResolveColor(SystemColor(COLOR_INDEX_BTNFACE))));
    }
}

TEST(SkinControlBase, AControlPaintingItsOwnClientGetsTheNineSliceImageFromItsStrips) {
    // With every band stretched, the border strips placed around the client fill make up the
    // same image as the nine-slice of the whole piece.
    struct OwnClient : SkinCustomControlLogic {
        explicit OwnClient(SkinControlHost& h) : SkinCustomControlLogic(h) { PaintsOwnClient = true; }
    };
    const Keys piece{{"pictureindex", "0"},       {"skinrect", "2,1,22,13"},  {"lefttoppoint", "5,4"},
                     {"righttoppoint", "14,4"},   {"leftbottompoint", "5,8"}, {"rightbottompoint", "14,8"},
                     {"clientrect", "3,2,17,10"}, {"leftstretch", "1"},       {"topstretch", "1"},
                     {"rightstretch", "1"},       {"bottomstretch", "1"},     {"stretcheffect", "1"}};
    auto skin = MakeSkin({{"panel", "panel", piece}});
    FakeHost host;
    host.bounds = {0, 0, 50, 30};
    OwnClient logic(host);
    logic.SetSkinDataName("panel");
    logic.SetSkinData(skin->Data());
    ASSERT_EQ(logic.Sizing(), smBoth);
    const Bitmap image = logic.PaintImage();
    Bitmap nine;
    ComposeNineSlice(logic.Piece(), logic.Target(), *logic.Picture(), nine, 50, 30, {true, true, true, true}, true,
                     stFull, true);
    EXPECT_TRUE(Matches(image, [&](int32_t x, int32_t y) { return nine.At(x, y); }));
}

TEST(SkinControlBase, TheMaskPictureShapesTheControl) {
    const Keys masked = With(HorizontalGauge(), {{"maskpictureindex", "1"}});
    const Keys fixed{{"pictureindex", "0"}, {"maskpictureindex", "1"}, {"skinrect", "0,0,20,8"}};
    auto skin =
        SkinWithMask({{"gauge", "gauge", masked}, {"fixed", "gauge", fixed}, {"plain", "gauge", HorizontalGauge()}});
    Control c({0, 0, 60, 8});
    c.logic.SetSkinDataName("gauge");
    c.logic.SetSkinData(skin->Data());
    using Kind = SkinCustomControlLogic::RegionPlan::Kind;
    {
        SCOPED_TRACE("horizontal: the corners stay cut at any width");
        const auto plan = c.logic.PlanRegion();
        ASSERT_EQ(plan.Action, Kind::Apply);
        std::vector<std::string> expected(8, std::string(60, '#'));
        expected[0][0] = expected[0][59] = expected[7][0] = expected[7][59] = '.';
        EXPECT_EQ(Shape(plan.Rects, 60, 8), expected);
    }
    {
        SCOPED_TRACE("fixed: the mask as it is");
        c.logic.SetSkinDataName("fixed");
        c.logic.ChangeSkinData();
        const auto plan = c.logic.PlanRegion();
        ASSERT_EQ(plan.Action, Kind::Apply);
        std::vector<std::string> expected(8, std::string(20, '#'));
        expected[0][0] = expected[0][19] = expected[7][0] = expected[7][19] = '.';
        EXPECT_EQ(Shape(plan.Rects, 20, 8), expected);
    }
    {
        SCOPED_TRACE("a record without a mask removes the shape");
        c.logic.SetSkinDataName("plain");
        c.logic.ChangeSkinData();
        EXPECT_EQ(c.logic.PlanRegion().Action, Kind::Remove);
    }
    {
        SCOPED_TRACE("a gauge that keeps its own size takes no shape");
        GaugeRig rig({0, 0, 60, 20});
        rig.gauge->SetUseSkinSize(false);
        rig.gauge->SetSkinData(skin->Data());
        EXPECT_EQ(rig.gauge->PlanRegion().Action, Kind::Remove);
    }
}

TEST(SkinControlBase, WhileDesignedVerticalPicksTheRecordAndTurnsTheSize) {
    GaugeRig rig({0, 0, 100, 20});
    rig.gauge->SetDefaultWidth(120);
    rig.gauge->SetVertical(true);  // not designed: only stored
    EXPECT_EQ(rig.gauge->SkinDataName(), "gauge");
    EXPECT_EQ(rig.host.bounds, (ControlBounds{0, 0, 120, 20}));
    rig.host.designing = true;
    rig.gauge->SetVertical(true);
    EXPECT_EQ(rig.gauge->SkinDataName(), "vgauge");
    EXPECT_EQ(rig.host.bounds, (ControlBounds{0, 0, 20, 120}));
    EXPECT_EQ(rig.gauge->DefaultWidth(), 0);
    EXPECT_EQ(rig.gauge->DefaultHeight(), 0);
    rig.gauge->SetDefaultHeight(50);  // applied at once: 20 x 50
    rig.gauge->SetDefaultWidth(70);   // 70 x 50
    rig.gauge->SetVertical(false);
    EXPECT_EQ(rig.gauge->SkinDataName(), "gauge");
    EXPECT_EQ(rig.host.bounds, (ControlBounds{0, 0, 70, 70}));  // wide enough; then the default height
    EXPECT_EQ(rig.gauge->DefaultWidth(), 0);
    EXPECT_EQ(rig.gauge->DefaultHeight(), 70);
}
