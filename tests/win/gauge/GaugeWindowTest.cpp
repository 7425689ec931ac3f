// The gauge as the update window has it: bound to the program's embedded skin, painted through
// the window, repainted when its values say, animated by its own timers; and the GDI text.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <string>
#include <vector>

#include "Capture.h"
#include "GaugeSkins.h"
#include "Pump.h"
#include "WindowTest.h"
#include "app/Application.h"
#include "app/SystemColors.h"
#include "app/Form.h"
#include "app/Handles.h"
#include "app/Timer.h"
#include "client/DownLoad.h"
#include "client/StoredResources.h"
#include "skin/controls/win/GdiTextRenderer.h"
#include "skin/controls/win/SkinGauge.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

using namespace tolvar;
using tolvar::test::PumpUntil;

namespace {

// What a control paints through its window.
Bitmap PaintOf(TWinControl& control) {
    return tolvar::test::CaptureDrawing(control.Width(), control.Height(),
                                        [&](HDC dc) { control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc)); });
}

int TimerCount(const TComponent& c) {
    int n = 0;
    for (size_t i = 0; i < c.ComponentCount(); ++i) n += c.Components(i)->ClassName() == "TTimer";
    return n;
}

// A gauge that counts its paints.
class CountingGauge : public TskSkinGauge {
public:
    using TskSkinGauge::TskSkinGauge;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TskSkinGauge::Paint();
    }
};

// A window like the update window: the embedded skin and one gauge set up as its ProgressBar1.
template <class Gauge = TskSkinGauge>
struct GaugeWindow {
    TForm* form;
    TskSkinData* data;
    Gauge* gauge;
    explicit GaugeWindow(const std::string& name = "gauge") {
        form = Application()->CreateForm<TForm>();
        form->SetClientSize(336, 31);
        auto* stored = Own<TskCompressedStoredSkin>(form);
        stored->ReadCompressedData(StoredSkin());
        data = Own<TskSkinData>(form);
        data->SetCompressedStoredSkin(stored);
        gauge = Own<Gauge>(form);
        gauge->SetBounds(7, 7, 321, 20);
        gauge->SetSkinDataName(name);
        gauge->SetShowProgressText(true);
        gauge->SetValue(0);
        gauge->SetProgressAnimationPause(1000);
        gauge->SetSkinData(data);
        gauge->SetParent(form);
    }
    const Bitmap& Picture() const { return *data->ActivePicture(5); }
};

using Gauge = tolvar::test::WindowTest;

}  // namespace

TEST_F(Gauge, TheUpdateWindowsGaugeTakesTheEmbeddedSkinsGaugeRecord) {
    auto* window = Application()->CreateForm<TfmDownloading>();
    TskSkinGauge* bar = window->ProgressBar1;
    EXPECT_EQ(bar->SkinData(), window->skSkinData1);
    EXPECT_GE(bar->SkinRecordIndex(), 0);
    EXPECT_EQ(bar->BoundsRect(), (Rect{7, 7, 7 + 321, 7 + 16}));  // the record is 16 high
    EXPECT_EQ(bar->TargetProgressArea(), (Rect{1, 1, 320, 15}));
    bar->SetValue(50);
    std::vector<Rect> filled;
    bar->SetOnGaugePaint([&](Bitmap&, const Rect&, const Rect& part) { filled.push_back(part); });
    PaintOf(*bar);
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0], (Rect{1, 1, 160, 15}));
}

TEST_F(Gauge, PaintsTheSkinsPiecesThroughItsWindow) {
    GaugeWindow<> w;
    w.gauge->SetValue(50);
    const Bitmap image = PaintOf(*w.gauge);
    ASSERT_EQ(image.Width(), 321);
    ASSERT_EQ(image.Height(), 16);
    const Bitmap& p = w.Picture();
    // The background: caps of 3 and 4, its 46-pixel middle stretched over 314.
    const auto background = [&](int32_t x, int32_t y) {
        const int32_t sx = x < 3 ? 58 + x : x >= 317 ? 107 + (x - 317) : 61 + (x - 3) * 46 / 314;
        return p.At(sx, 1 + y);
    };
    // The progress picture over (1, 1, 160, 15): caps of 10, its 31-pixel middle over 139;
    // magenta lets the background through.
    const auto progress = [&](int32_t px, int32_t py) {
        const int32_t sx = px >= 149 ? 99 + px - 149 : px < 10 ? 58 + px : 68 + (px - 10) * 31 / 139;
        return p.At(sx, 19 + py);
    };
    int wrong = 0;
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 321; ++x) {
            Pixel want = background(x, y);
            if (x >= 1 && x < 160 && y >= 1 && y < 15) {
                const Pixel v = progress(x - 1, y - 1);
                if (v != MakePixel(255, 0, 255)) want = v;
            }
            if (image.At(x, y) != want && ++wrong < 5) ADD_FAILURE() << "at " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Gauge, TheTextIsCentredInTheSkinsFontAndColour) {
    GaugeWindow<> w;
    w.gauge->SetValue(50);
    const Bitmap plain = PaintOf(*w.gauge);
    w.gauge->SetProgressText("setup.exe");
    const Bitmap text = PaintOf(*w.gauge);
    GdiTextRenderer gdi;
    TextFont font;  // the record's: Arial 14, colour 16314603
    font.Color = 16314603;
    const TextExtent e = gdi.Measure(font, "setup.exe");
    ASSERT_GT(e.Width, 30);
    const Rect box{160 - e.Width / 2, 8 - e.Height / 2, 160 - e.Width / 2 + e.Width, 8 - e.Height / 2 + e.Height};
    int changed = 0, outside = 0, inFontColour = 0;
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 321; ++x) {
            if (plain.At(x, y) == text.At(x, y)) continue;
            ++changed;
            outside += !(x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom);
            inFontColour += text.At(x, y) == ColorToPixel(font.Color);
        }
    EXPECT_GT(changed, 40);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inFontColour, 0);
}

TEST_F(Gauge, ANameNoRecordHasGivesTheDefaultLookAtItsOwnSize) {
    GaugeWindow<> w("Gauge");
    EXPECT_EQ(w.gauge->SkinRecordIndex(), -1);
    EXPECT_EQ(w.gauge->BoundsRect(), (Rect{7, 7, 7 + 321, 7 + 20}));
    w.gauge->SetValue(50);
    const Bitmap image = PaintOf(*w.gauge);
    ASSERT_EQ(image.Height(), 20);
    const Pixel shadow = ColorToPixel(PlatformSystemColor(COLOR_BTNSHADOW));
    EXPECT_EQ(image.At(0, 0), shadow);
    EXPECT_EQ(image.At(320, 19), shadow);
    EXPECT_EQ(image.At(5, 10), MakePixel(182, 189, 210));
    EXPECT_EQ(image.At(159, 10), MakePixel(182, 189, 210));  // area (1, 1, 320, 19): 159 of 319
    EXPECT_EQ(image.At(160, 10), ColorToPixel(PlatformSystemColor(COLOR_WINDOW)));
}

TEST_F(Gauge, RepaintsAfterAValueChangeOnlyWhenTheValueChanges) {
    GaugeWindow<CountingGauge> w;
    w.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return w.gauge->paints > 0; }));
    Application()->ProcessMessages();
    int& paints = w.gauge->paints;
    paints = 0;
    w.gauge->SetValue(0);  // unchanged
    Application()->ProcessMessages();
    EXPECT_EQ(paints, 0);
    w.gauge->SetValue(10);
    EXPECT_EQ(paints, 0);  // deferred to the loop
    Application()->ProcessMessages();
    EXPECT_EQ(paints, 1);
    w.gauge->SetValue(20);
    w.gauge->SetValue(30);
    Application()->ProcessMessages();
    EXPECT_EQ(paints, 2);  // a run of changes without the loop shows only the last
    w.gauge->SetProgressText("a.dll");
    EXPECT_EQ(paints, 3);  // at once
}

TEST_F(Gauge, TheAnimationsTimersLiveFromStartToStop) {
    GaugeWindow<> w;
    w.form->Show();
    EXPECT_EQ(TimerCount(*w.gauge), 0);
    w.gauge->StartProgressAnimation();
    EXPECT_EQ(TimerCount(*w.gauge), 2);
    w.gauge->StartProgressAnimation();
    EXPECT_EQ(TimerCount(*w.gauge), 2);
    EXPECT_TRUE(PumpUntil([&] { return w.gauge->AnimationFrame() > 0; }));
    w.gauge->StopProgressAnimation();
    EXPECT_EQ(TimerCount(*w.gauge), 0);
    EXPECT_EQ(w.gauge->AnimationFrame(), 0);
}

TEST_F(Gauge, ForgetsItsSkinDataWhenThatGoes) {
    GaugeWindow<> w;
    w.gauge->StartProgressAnimation();
    w.form->DestroyComponent(w.data);
    EXPECT_EQ(w.gauge->SkinData(), nullptr);
    const Bitmap image = PaintOf(*w.gauge);  // the default look, at the size the skin gave
    EXPECT_EQ(image.At(0, 0), ColorToPixel(PlatformSystemColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(w.gauge->WindowRegion(), nullptr);
}

TEST_F(Gauge, TheRecordsMaskShapesTheWindowAndARecordWithoutOneMakesItSquareAgain) {
    // A 20 x 8 mask with its four corner pixels cut off, for a horizontal gauge 60 wide.
    Bitmap mask(20, 8, 0);
    for (auto [x, y] : {std::pair{0, 0}, {19, 0}, {0, 7}, {19, 7}}) mask.At(x, y) = 0x00FFFFFFu;
    std::vector<Bitmap> pictures;
    pictures.push_back(test::GaugePicture());
    pictures.push_back(mask);
    test::TestSkin skin(
        test::Controls({{"gauge", "gauge", test::With(test::HorizontalGauge(), {{"maskpictureindex", "1"}})},
                        {"plain", "gauge", test::HorizontalGauge()}}),
        std::move(pictures));
    TForm* form = Application()->CreateForm<TForm>();
    auto* gauge = Own<TskSkinGauge>(form);
    gauge->SetBounds(0, 0, 60, 8);
    gauge->SetSkinData(skin.Data());
    gauge->SetParent(form);
    form->HandleNeeded();  // the gauge's window comes with the form's, and takes the shape then
    ASSERT_TRUE(gauge->HandleAllocated());
    UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(gauge->Handle(), shape.Get()), ERROR);
    EXPECT_NE(gauge->WindowRegion(), nullptr);
    for (auto [x, y, inside] : {std::tuple{0, 0, false},
                                {1, 0, true},
                                {59, 0, false},
                                {0, 7, false},
                                {59, 7, false},
                                {30, 4, true},
                                {58, 7, true}})
        EXPECT_EQ(PtInRegion(shape.Get(), x, y) != 0, inside) << x << "," << y;
    gauge->SetSkinDataName("plain");
    gauge->ChangeSkinData();
    EXPECT_EQ(gauge->WindowRegion(), nullptr);
    EXPECT_EQ(GetWindowRgn(gauge->Handle(), shape.Get()), ERROR);
}

TEST(GdiText, DrawsInsideTheBoxItMeasuresTurnedOrNot) {
    GdiTextRenderer gdi;
    for (int32_t escapement : {0, 900}) {
        SCOPED_TRACE(escapement);
        TextFont font;
        font.Color = RGBColor(255, 255, 255);
        font.Escapement = escapement;
        const TextExtent e = gdi.Measure(font, "setup.exe");
        EXPECT_GT(e.Width, gdi.Measure(font, "setup").Width);
        EXPECT_GE(e.Height, 12);
        Bitmap image(120, 120, 0);
        const Point at{30, 90};
        gdi.Draw(image, font, at, "setup.exe");
        const Rect box = escapement ? Rect{at.X, at.Y - e.Width, at.X + e.Height, at.Y}
                                    : Rect{at.X, at.Y, at.X + e.Width, at.Y + e.Height};
        int lit = 0, outside = 0;
        for (int32_t y = 0; y < 120; ++y)
            for (int32_t x = 0; x < 120; ++x) {
                if (image.At(x, y) == 0) continue;
                ++lit;
                outside += !(x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom);
            }
        EXPECT_GT(lit, 40);
        EXPECT_EQ(outside, 0);
    }
}
