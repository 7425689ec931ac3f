// The program's own skin, built from resources/skin as the build embeds it, checked against the
// numbers the frame, the caption objects, the layered border and the gauge are laid out with.
#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "base/Component.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

using namespace tolvar;

namespace {

class EmbeddedSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = new TComponent;
        auto* stored = Own<TskCompressedStoredSkin>(window);
        stored->BuildFromDescription(test::SkinDir() + "/skin.ini");
        data = Own<TskSkinData>(window);
        data->SetCompressedStoredSkin(stored);
    }
    static void TearDownTestSuite() {
        delete window;
        window = nullptr;
    }

    template <class R>
    static const R& Object(const char* name) {
        const int i = data->FindObjectIndex(name);
        EXPECT_GE(i, 0) << name;
        return dynamic_cast<const R&>(*data->ObjectList.at(size_t(i)));
    }
    template <class R>
    static const R& Control(const char* name) {
        const int i = data->FindControlIndex(name);
        EXPECT_GE(i, 0) << name;
        return dynamic_cast<const R&>(*data->CtrlList.at(size_t(i)));
    }
    static const Bitmap& Picture(int32_t index) {
        const Bitmap* p = data->ActivePicture(index);
        EXPECT_NE(p, nullptr) << index;
        static const Bitmap none;
        return p ? *p : none;
    }

    static inline TComponent* window = nullptr;
    static inline TskSkinData* data = nullptr;
};

bool Inside(const Rect& r, const Bitmap& b) {
    return r.Left >= 0 && r.Top >= 0 && r.Right <= b.Width() && r.Bottom <= b.Height() && r.Right > r.Left &&
           r.Bottom > r.Top;
}

}  // namespace

TEST_F(EmbeddedSkin, FrameGeometry) {
    ASSERT_FALSE(data->Empty());
    EXPECT_EQ(data->MainPicture.Width(), 210);
    EXPECT_EQ(data->MainPicture.Height(), 282);
    EXPECT_EQ(data->MaskPicture.Width(), 210);
    EXPECT_EQ(data->MaskPicture.Height(), 282);
    EXPECT_TRUE(data->InactivePicture.Empty());
    EXPECT_EQ(data->clientrect, (Rect{3, 30, 207, 279}));
    EXPECT_EQ(data->maskrectarea, (Rect{2, 3, 208, 279}));
    EXPECT_EQ(data->captionrect, (Rect{6, 0, 204, 30}));
    EXPECT_EQ(data->buttonsrect, (Rect{}));
    EXPECT_EQ(data->buttonsoffset, 0);
    EXPECT_FALSE(data->buttonsinleft);
    EXPECT_EQ(data->formminwidth, 200);
    // The minimum height comes from the picture: 282 less the 249 rows of the client rect.
    EXPECT_EQ(data->formminheight, 0);
    EXPECT_EQ(data->MainPicture.Height() - RectHeight(data->clientrect), 33);
    EXPECT_TRUE(data->stretcheffect);
    EXPECT_EQ(data->stretchtype, stHorz);
    EXPECT_EQ(data->bgpictureindex, -1);
    EXPECT_FALSE(data->autorenderinginactiveimage);
    // The caption's picture piece 5,3,206,29 must grow with the window: its top-left corner in
    // the top-left corner region, its bottom-right one in the top-right region.
    EXPECT_GT(data->lefttoppoint.X, 5);
    EXPECT_GT(data->lefttoppoint.Y, 3);
    EXPECT_LE(data->righttoppoint.X, 206);
    EXPECT_GT(data->righttoppoint.Y, 29);
    // The mask is black inside the area the window keeps whole, white somewhere outside it.
    EXPECT_EQ(data->MaskPicture.At(2, 3), 0u);
    EXPECT_EQ(data->MaskPicture.At(207, 278), 0u);
    EXPECT_NE(data->MaskPicture.At(0, 0), 0u);
    EXPECT_NE(data->MaskPicture.At(209, 0), 0u);
}

TEST_F(EmbeddedSkin, CaptionAndCaptionButtons) {
    ASSERT_EQ(data->ObjectList.size(), 6u);
    const auto& caption = Object<TskDataSkinCaption>("caption");
    EXPECT_EQ(data->FindObjectIndex("caption"), 0);
    EXPECT_EQ(caption.skinrect, (Rect{5, 3, 206, 29}));
    EXPECT_FALSE(caption.skinrectinapicture);
    EXPECT_EQ(caption.textrect, (Rect{2, 2, 199, 17}));
    EXPECT_EQ(caption.fontname, "Arial");
    EXPECT_EQ(caption.fontheight, 14);
    EXPECT_EQ(caption.fontstyle, FontStyles(fsBold));
    EXPECT_EQ(caption.alignment, taLeftJustify);
    EXPECT_EQ(caption.activefontcolor, 16768443u);
    EXPECT_EQ(caption.fontcolor, 4605510u);
    EXPECT_TRUE(caption.reflectioneffect);
    EXPECT_EQ(caption.reflactioncolor, 5723991u);
    EXPECT_EQ(caption.reflactionactivecolor, 9803157u);
    EXPECT_EQ(caption.reflectionoffset, -5);
    EXPECT_TRUE(caption.gloweffect);
    EXPECT_FALSE(caption.glowinactiveeffect);
    EXPECT_EQ(caption.glowsize, 3);
    EXPECT_EQ(caption.glowcolor, 16777215u);
    EXPECT_EQ(caption.glowactivecolor, 16777215u);
    EXPECT_EQ(caption.glowoffset, 0);
    EXPECT_FALSE(caption.light || caption.shadow || caption.fullframe || caption.vistagloweffect);
    EXPECT_EQ(caption.framerect, (Rect{}));
    EXPECT_EQ(caption.activeskinrect, (Rect{}));
    EXPECT_EQ(caption.animateskinrect, (Rect{}));
    EXPECT_FALSE(caption.stretcheffect);

    const auto& close = Object<TskDataSkinStdButton>("closebutton");
    EXPECT_EQ(close.command, cmClose);
    EXPECT_TRUE(close.skinrectinapicture);
    EXPECT_TRUE(close.morphing);
    EXPECT_EQ(close.morphkind, mkDefault);
    const Bitmap& active = Picture(close.activepictureindex);
    EXPECT_EQ(data->activepictures.at(size_t(close.activepictureindex)), "active.bmp");
    EXPECT_EQ(close.skinrect, (Rect{53, 1, 96, 31}));
    EXPECT_EQ(close.activeskinrect, (Rect{152, 1, 195, 31}));
    EXPECT_EQ(close.downrect, (Rect{53, 33, 96, 63}));
    EXPECT_EQ(close.inactiveskinrect, (Rect{54, 65, 98, 96}));
    for (const Rect& r : {close.skinrect, close.activeskinrect, close.downrect, close.inactiveskinrect})
        EXPECT_TRUE(Inside(r, active));
    // The glow: 67 x 39, 12 left of and 10 above the button, at opacity 200, with a mask of its size.
    const Bitmap& glow = Picture(close.glowlayerpictureindex);
    EXPECT_EQ(data->activepictures.at(size_t(close.glowlayerpictureindex)), "closelayer.bmp");
    EXPECT_EQ(glow.Width(), 67);
    EXPECT_EQ(glow.Height(), 39);
    const Bitmap& glowMask = Picture(close.glowlayermaskpictureindex);
    EXPECT_EQ(glowMask.Width(), 67);
    EXPECT_EQ(glowMask.Height(), 39);
    EXPECT_EQ(close.glowlayeroffsetx, 12);
    EXPECT_EQ(close.glowlayeroffsety, 10);
    EXPECT_EQ(close.glowlayeralphablendvalue, 200);

    // Maximize and minimize have pictures of their own; the system menu button sits in the
    // caption (it shows the window's icon) and has no glow.
    const auto& max = Object<TskDataSkinStdButton>("maxbutton");
    const auto& min = Object<TskDataSkinStdButton>("minbutton");
    const auto& sys = Object<TskDataSkinStdButton>("sysmenubutton");
    EXPECT_EQ(max.command, cmMaximize);
    EXPECT_EQ(min.command, cmMinimize);
    EXPECT_EQ(sys.command, cmSysMenu);
    EXPECT_EQ(max.restorehint, "Restore");
    EXPECT_TRUE(max.skinrectinapicture && min.skinrectinapicture && sys.skinrectinapicture);
    EXPECT_NE(max.activepictureindex, close.activepictureindex);
    EXPECT_NE(min.activepictureindex, close.activepictureindex);
    EXPECT_NE(max.activepictureindex, min.activepictureindex);
    for (const auto* b : {&max, &min}) {
        EXPECT_EQ(RectWidth(b->skinrect), 43);
        EXPECT_EQ(RectHeight(b->skinrect), 30);
        for (const Rect& r : {b->skinrect, b->activeskinrect, b->downrect, b->inactiveskinrect, b->restorerect,
                              b->restoreactiverect, b->restoredownrect, b->restoreinactiverect})
            EXPECT_TRUE(Inside(r, Picture(b->activepictureindex)));
    }
    EXPECT_EQ(sys.glowlayerpictureindex, -1);
    EXPECT_TRUE(Inside(sys.skinrect, Picture(sys.activepictureindex)));
    // Nothing is named as the dialog close button, which would replace the close button.
    EXPECT_EQ(data->FindObjectIndex("dialogclosebutton"), -1);
}

TEST_F(EmbeddedSkin, Gauges) {
    const auto& gauge = Control<TskDataSkinGaugeControl>("gauge");
    EXPECT_EQ(data->FindControlIndex("Gauge"), -1);
    const Bitmap& picture = Picture(gauge.pictureindex);
    EXPECT_GE(picture.Width(), 690);
    EXPECT_EQ(gauge.skinrect, (Rect{58, 1, 111, 17}));
    EXPECT_EQ(gauge.lefttoppoint, (Point{3, 7}));
    EXPECT_EQ(gauge.righttoppoint, (Point{49, 7}));
    EXPECT_EQ(gauge.leftbottompoint, (Point{}));
    EXPECT_EQ(gauge.rightbottompoint, (Point{}));
    EXPECT_FALSE(gauge.vertical);
    EXPECT_EQ(gauge.maskpictureindex, -1);
    // At the window's width of 321 the progress area grows by 321 - 53 to 1,1,320,15.
    Rect target = gauge.progressarea;
    target.Right += 321 - RectWidth(gauge.skinrect);
    EXPECT_EQ(target, (Rect{1, 1, 320, 15}));
    EXPECT_EQ(RectWidth(gauge.progressrect), 51);
    EXPECT_EQ(RectHeight(gauge.progressrect), 14);
    EXPECT_EQ(gauge.beginoffset, 10);
    EXPECT_EQ(gauge.endoffset, 10);
    EXPECT_EQ(gauge.progressanimationskinrect, (Rect{624, 245, 675, 343}));
    EXPECT_EQ(gauge.progressanimationcountframes, 7);
    EXPECT_EQ(gauge.progressanimationtimerinterval, 35);
    // As wide as the progress picture: its 7 frames lie one below the other, 14 rows each.
    EXPECT_EQ(RectHeight(gauge.progressanimationskinrect) / gauge.progressanimationcountframes, 14);
    for (const Rect& r : {gauge.skinrect, gauge.progressrect, gauge.progressanimationskinrect})
        EXPECT_TRUE(Inside(r, picture));
    EXPECT_EQ(gauge.fontname, "Arial");
    EXPECT_EQ(gauge.fontheight % 2, 0);

    const auto& vgauge = Control<TskDataSkinGaugeControl>("vgauge");
    EXPECT_EQ(vgauge.pictureindex, gauge.pictureindex);
    EXPECT_EQ(vgauge.skinrect, (Rect{113, 19, 129, 72}));
    EXPECT_EQ(vgauge.lefttoppoint, (Point{6, 4}));
    EXPECT_EQ(vgauge.leftbottompoint, (Point{6, 48}));
    EXPECT_EQ(vgauge.righttoppoint, (Point{}));
    EXPECT_EQ(vgauge.rightbottompoint, (Point{}));
    EXPECT_TRUE(vgauge.vertical);
    EXPECT_EQ(RectWidth(vgauge.progressrect), 14);
    EXPECT_EQ(vgauge.progressanimationskinrect, (Rect{592, 188, 690, 239}));
    EXPECT_EQ(vgauge.progressanimationcountframes, 7);
    EXPECT_EQ(RectWidth(vgauge.progressanimationskinrect) / vgauge.progressanimationcountframes, 14);
    for (const Rect& r : {vgauge.skinrect, vgauge.progressrect, vgauge.progressanimationskinrect})
        EXPECT_TRUE(Inside(r, picture));
}

TEST_F(EmbeddedSkin, LayeredBorderAndTheOtherRecords) {
    const TskDataSkinLayerFrame& layer = data->LayerFrame;
    EXPECT_EQ(layer.pictureindex, 21);
    EXPECT_EQ(layer.maskpictureindex, 22);
    EXPECT_EQ(data->activepictures.at(21), "layerframe.bmp");
    EXPECT_EQ(data->activepictures.at(22), "layerframemask.bmp");
    EXPECT_EQ(layer.inactivepictureindex, -1);
    EXPECT_EQ(layer.inactivemaskpictureindex, -1);
    EXPECT_EQ(layer.lefttoppoint, (Point{33, 33}));
    EXPECT_EQ(layer.righttoppoint, (Point{139, 32}));
    EXPECT_EQ(layer.leftbottompoint, (Point{33, 117}));
    EXPECT_EQ(layer.rightbottompoint, (Point{139, 116}));
    EXPECT_EQ(layer.clientrect, (Rect{24, 23, 149, 127}));
    EXPECT_EQ(layer.alphablendvalue, 255);
    EXPECT_EQ(layer.inactivealphablendvalue, 200);
    EXPECT_EQ(layer.borderrect, (Rect{}));
    EXPECT_FALSE(layer.fullborder || layer.fullstretch || layer.hittestenable);
    const Bitmap& picture = Picture(layer.pictureindex);
    const Bitmap& mask = Picture(layer.maskpictureindex);
    EXPECT_EQ(picture.Width(), 175);
    EXPECT_EQ(picture.Height(), 151);
    EXPECT_EQ(mask.Width(), 175);
    EXPECT_EQ(mask.Height(), 151);
    // Transparent over the window, fading towards the outside on every side.
    auto alpha = [&](int x, int y) {
        return (PixelR(mask.At(x, y)) + PixelG(mask.At(x, y)) + PixelB(mask.At(x, y))) / 3;
    };
    EXPECT_EQ(alpha(80, 70), 0);
    EXPECT_EQ(alpha(24, 23), 0);
    EXPECT_GT(alpha(80, 22), alpha(80, 12));
    EXPECT_GT(alpha(80, 12), alpha(80, 1));
    EXPECT_GT(alpha(23, 70), alpha(5, 70));
    EXPECT_GT(alpha(149, 70), alpha(170, 70));
    EXPECT_GT(alpha(80, 127), alpha(80, 148));
    EXPECT_LT(alpha(0, 0), 8);

    // [FORMINFO] and the controls' pictures are all there; the system menu's pop-up frame and
    // the hint frame point at pictures too.
    EXPECT_EQ(data->ActivePictures.size(), 23u);
    for (const auto& c : data->CtrlList) {
        SCOPED_TRACE(c->IDName);
        EXPECT_NE(data->ActivePicture(c->pictureindex), nullptr);
        if (!c->skinrect.Right) continue;
        EXPECT_TRUE(Inside(c->skinrect, *data->ActivePicture(c->pictureindex)));
    }
    EXPECT_NE(data->ActivePicture(data->PopupWindow.windowpictureindex), nullptr);
    EXPECT_NE(data->ActivePicture(data->PopupWindow.maskpictureindex), nullptr);
    EXPECT_NE(data->ActivePicture(data->HintWindow.windowpictureindex), nullptr);
    EXPECT_NE(dynamic_cast<const TskDataSkinMenuItem*>(data->ObjectList.at(5).get()), nullptr);
    EXPECT_EQ(data->skinname, "Tolvar Dark");
}
