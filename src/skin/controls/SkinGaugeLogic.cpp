#include "SkinGaugeLogic.h"

#include <algorithm>
#include <cmath>

#include "BitmapDrawing.h"
#include "BitmapFill.h"
#include "SkinComposition.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"

namespace tolvar {

namespace {

// A rectangle from 64-bit edges: sums of skin values saturate instead of wrapping.
Rect Box(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return {Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

// Trunc of a length times a fraction. The fraction can be far outside 0 .. 1 when the bounds
// were set out of order, so the product is bounded before it becomes an integer.
int64_t TruncLength(int64_t length, double f) {
    const double v = double(length) * f;
    if (!(v == v)) return 0;  // not a number
    return int64_t(std::trunc(std::clamp(v, -1e15, 1e15)));
}

constexpr Pixel kDefaultFill = MakePixel(182, 189, 210);

}  // namespace

Rect ProgressRectFor(const Rect& area, int32_t value, int32_t minValue, int32_t maxValue, bool vertical) {
    const double f = maxValue == minValue ? 0.0 : (double(value) - minValue) / (double(maxValue) - minValue);
    Rect r = area;
    if (vertical) r.Top = Saturate(int64_t(area.Bottom) - TruncLength(int64_t(area.Bottom) - area.Top, f));
    else r.Right = Saturate(int64_t(area.Left) + TruncLength(int64_t(area.Right) - area.Left, f));
    return r;
}

int64_t ProgressPercent(int32_t value, int32_t minValue, int32_t maxValue) {
    if (maxValue == minValue) return 0;
    // Exact: the truncated quotient of the integers, which a floating-point fraction times 100
    // misses for values such as 29 of 100.
    return (int64_t(value) - minValue) * 100 / (int64_t(maxValue) - minValue);
}

SkinGaugeLogic::SkinGaugeLogic(SkinControlHost& host, std::unique_ptr<TextRenderer> text,
                               std::unique_ptr<AnimationTimerFactory> timers)
    : SkinCustomControlLogic(host),
      text_(std::move(text)),
      timers_(std::move(timers)),
      animation_(
          *timers_, [this] { return record_.progressanimationcountframes; }, [this] { Host().RepaintNow(); }) {
    SetSkinDataName("gauge");
}

SkinGaugeLogic::~SkinGaugeLogic() { animation_.Stop(); }

void SkinGaugeLogic::Apply(TskGaugeValueModel::Repaint repaint) {
    switch (repaint) {
    case TskGaugeValueModel::Repaint::None: break;
    case TskGaugeValueModel::Repaint::Deferred: Host().RepaintLater(); break;
    case TskGaugeValueModel::Repaint::Immediate: Host().RepaintNow(); break;
    }
}

void SkinGaugeLogic::SetValue(int32_t v) {
    const int32_t before = values_.Value();
    const TskGaugeValueModel::Repaint repaint = values_.SetValue(v);
    // A download sets the value after every 1 KiB read, most of which move the bar by less than
    // a pixel: a value that changes nothing drawn is not worth a paint. A paint handler of the
    // user's own may draw anything, so it is always asked.
    if (repaint == TskGaugeValueModel::Repaint::Deferred && !OnGaugePaint && DrawsAlike(before, values_.Value()))
        return;
    Apply(repaint);
}

bool SkinGaugeLogic::DrawsAlike(int32_t a, int32_t b) const {
    const Rect plain{1, 1, Width() - 1, Height() - 1};
    if (ProgressRectFor(targetProgressArea_, a) != ProgressRectFor(targetProgressArea_, b) ||
        ProgressRectFor(plain, a) != ProgressRectFor(plain, b))
        return false;
    return !values_.ShowPercent() || ProgressPercent(a, values_.MinValue(), values_.MaxValue()) ==
                                         ProgressPercent(b, values_.MinValue(), values_.MaxValue());
}

void SkinGaugeLogic::SetVertical(bool vertical) {
    vertical_ = vertical;
    if (!Host().IsDesigning() || Host().IsLoading()) return;
    // Designing: the orientation brings its record and a size that fits it.
    SetSkinDataName(vertical ? "vgauge" : "gauge");
    ControlBounds b = Host().Bounds();
    if ((vertical && b.Height < b.Width) || (!vertical && b.Width < b.Height)) {
        std::swap(b.Width, b.Height);
        SetBounds(b);
    }
    if (vertical) {
        SetDefaultWidth(DefaultHeight());
        SetDefaultHeight(0);
    } else {
        SetDefaultHeight(DefaultWidth());
        SetDefaultWidth(0);
    }
}

void SkinGaugeLogic::LoadSkinValues() {
    SkinCustomControlLogic::LoadSkinValues();
    if (!HasSkinRecord()) return;
    const auto* g = dynamic_cast<const TskDataSkinGaugeControl*>(SkinRecord());
    if (!g) return;
    // A gauge that keeps its own size does not take the skin's shape.
    if (!useSkinSize_ && g->maskpictureindex != -1) SetMaskPicture(nullptr);
    vertical_ = g->vertical;
    record_ = *g;
}

void SkinGaugeLogic::FitSize(int32_t& width, int32_t& height) {
    const int32_t requestedWidth = width, requestedHeight = height;
    SkinCustomControlLogic::FitSize(width, height);
    targetProgressArea_ = record_.progressarea;
    const Rect& s = Piece().SkinRect;
    if (Sizing() == smBoth || Sizing() == smHorizontal || Sizing() == smVertical) {
        if (vertical_)
            targetProgressArea_.Bottom =
                Saturate(int64_t(record_.progressarea.Bottom) + height - (int64_t(s.Bottom) - s.Top));
        else
            targetProgressArea_.Right =
                Saturate(int64_t(record_.progressarea.Right) + width - (int64_t(s.Right) - s.Left));
    }
    if (!useSkinSize_) {
        // The gauge keeps the size it was given; its skin image is stretched to it.
        width = requestedWidth;
        height = requestedHeight;
    }
}

Rect SkinGaugeLogic::ProgressRectFor(const Rect& area, int32_t value) const {
    return tolvar::ProgressRectFor(area, value, values_.MinValue(), values_.MaxValue(), vertical_);
}

Rect SkinGaugeLogic::AnimationFrameRect() const {
    return tolvar::AnimationFrameRect(record_.progressanimationskinrect, record_.progressanimationcountframes,
                                      record_.progressrect, animation_.Frame());
}

void SkinGaugeLogic::DrawProgressText(Bitmap& image, int32_t value) {
    TextFont font;
    if (!HasSkinRecord()) {
        font = DefaultFont();
    } else if (UseSkinFont()) {
        font.Name = record_.fontname;
        font.Height = record_.fontheight;
        font.Style = record_.fontstyle;
        font.Color = record_.fontcolor;
    } else {
        font = DefaultFont();
        font.Color = record_.fontcolor;
    }
    const TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    font.CharSet = strings ? strings->CharSet : DefaultFont().CharSet;

    std::string text;
    if (values_.ShowProgressText()) text = values_.ProgressText();
    if (values_.ShowPercent())
        text += std::to_string(ProgressPercent(value, values_.MinValue(), values_.MaxValue())) + "%";
    if (text.empty()) return;

    const int32_t width = Width(), height = Height();
    Point at;
    if (!vertical_) {
        const TextExtent e = text_->Measure(font, text);
        at = {width / 2 - e.Width / 2, height / 2 - e.Height / 2};
    } else {
        // Turned to read from the bottom up; the starting point is the text's lower end.
        font.Escapement = 900;
        const TextExtent e = text_->Measure(font, text);
        at = {width / 2 - e.Height / 2, height / 2 + e.Width / 2};
    }
    if (font.Height % 2 != 0) at.Y -= 1;
    text_->Draw(image, font, at, text);
}

void SkinGaugeLogic::DrawDefaultImage(Bitmap& image) {
    const int32_t width = Width(), height = Height();
    FillBitmapRect(image, {0, 0, width, height}, ColorToPixel(ResolveColor(SystemColor(COLOR_INDEX_WINDOW))));
    FrameBitmapRect(image, {0, 0, width, height}, ColorToPixel(ResolveColor(SystemColor(COLOR_INDEX_BTNSHADOW))));
    const Rect area{1, 1, width - 1, height - 1};
    const Rect filled = ProgressRectFor(area, PaintValue());
    if (OnGaugePaint) {
        OnGaugePaint(image, area, filled);
        return;
    }
    if (!IsEmptyRect(filled)) FillBitmapRect(image, filled, kDefaultFill);
    DrawProgressText(image, PaintValue());
}

bool SkinGaugeLogic::ComposeProgress(const Rect& filled, const Rect& visible, Bitmap& progress) const {
    // The picture is laid out over the whole filled part, but only its visible part is made:
    // every target rectangle below is in filled-part coordinates, moved by the visible part's
    // offset, and the copies clip to the bitmap.
    progress.SetSize(RectWidth(visible), RectHeight(visible));
    const int64_t ox = int64_t(visible.Left) - filled.Left, oy = int64_t(visible.Top) - filled.Top;
    const auto at = [&](int64_t left, int64_t top, int64_t right, int64_t bottom) {
        return Box(left - ox, top - oy, right - ox, bottom - oy);
    };
    const Bitmap& picture = Source();
    const Rect& pr = record_.progressrect;
    const int64_t b = record_.beginoffset, e = record_.endoffset;
    const int64_t pw = int64_t(filled.Right) - filled.Left, ph = int64_t(filled.Bottom) - filled.Top;
    const bool showing = animation_.FrameShowing();
    // While a frame is on show its middle takes the place of the picture's, always stretched.
    const Rect source = showing && record_.progressanimationcountframes != 0 ? AnimationFrameRect() : pr;
    const bool stretch = record_.progressstretch || showing;

    if (!vertical_) {
        if (pw - b - e > 0) {
            const Rect d = at(b, 0, pw - e, ph);
            const Rect s = Box(int64_t(source.Left) + b, source.Top, int64_t(source.Right) - e, source.Bottom);
            if (RectWidth(s) <= 0) return false;  // a middle of no length: no progress at all
            if (stretch) StretchBitmapRect(progress, d, picture, s);
            else TileBitmapRectX(progress, d, picture, s);
        }
        CopyBitmapRect(progress, at(0, 0, b, ph), picture, Box(pr.Left, pr.Top, pr.Left + b, pr.Bottom));
        CopyBitmapRect(progress, at(pw - e, 0, pw, ph), picture, Box(pr.Right - e, pr.Top, pr.Right, pr.Bottom));
        return true;
    }

    if (ph - b - e > 0) {
        const int64_t dTop = b, dBottom = ph - e;
        const Rect s = Box(source.Left, int64_t(source.Top) + b, source.Right, int64_t(source.Bottom) - e);
        if (RectHeight(s) <= 0) return false;
        if (stretch) {
            StretchBitmapRect(progress, at(0, dTop, pw, dBottom), picture, s);
        } else {
            // Tiled from the bottom up, the topmost tile losing its upper rows. Tiles above the
            // visible part are skipped.
            const int64_t length = RectHeight(s), span = dBottom - dTop;
            for (int64_t k = 0; k <= span / length; ++k) {
                const int64_t top = dBottom - (k + 1) * length;
                if (top + length <= oy) break;
                const int64_t cut = std::max<int64_t>(0, (k + 1) * length - span);
                CopyBitmapRect(progress, at(0, top + cut, pw, dBottom - k * length), picture,
                               Box(s.Left, int64_t(s.Top) + cut, s.Right, s.Bottom));
            }
        }
    }
    CopyBitmapRect(progress, at(0, 0, pw, b), picture, Box(pr.Left, pr.Top, pr.Right, pr.Top + b));
    CopyBitmapRect(progress, at(0, ph - e, pw, ph), picture, Box(pr.Left, pr.Bottom - e, pr.Right, pr.Bottom));
    return true;
}

void SkinGaugeLogic::DrawSkinImage(Bitmap& image) {
    SkinCustomControlLogic::DrawSkinImage(image);
    const Rect filled = ProgressRectFor(targetProgressArea_, PaintValue());
    if (OnGaugePaint) {
        OnGaugePaint(image, targetProgressArea_, filled);
        return;
    }
    // An empty filled part (also one whose bounds went out of order) shows no progress.
    if (IsEmptyRect(filled)) {
        if (useSkinSize_) DrawProgressText(image, PaintValue());
        return;
    }
    // Only the part of the progress picture that lands on the image is made: a value whose
    // bounds went out of order can reach far beyond it.
    const Rect visible{std::max(filled.Left, 0), std::max(filled.Top, 0), std::min(filled.Right, image.Width()),
                       std::min(filled.Bottom, image.Height())};
    Bitmap progress;
    if (!ComposeProgress(filled, visible, progress)) return;
    if (record_.progresstransparent)
        PlaceBitmapTransparent(image, {visible.Left, visible.Top}, progress,
                               ColorToPixel(ResolveColor(record_.progresstransparentcolor)));
    else PlaceBitmap(image, {visible.Left, visible.Top}, progress);
    if (useSkinSize_) DrawProgressText(image, PaintValue());
}

void SkinGaugeLogic::ChangeSkinData() {
    // A new skin restarts the animation from its first frame, or ends it without a strip.
    const bool animating = animation_.Started();
    if (animating) StopProgressAnimation();
    SkinCustomControlLogic::ChangeSkinData();
    if (animating) StartProgressAnimation();
}

void SkinGaugeLogic::StartProgressAnimation() {
    if (!HasSkinRecord() || IsEmptyRect(record_.progressanimationskinrect)) return;
    animation_.Start(animationPause_, record_.progressanimationtimerinterval);
}

Bitmap SkinGaugeLogic::PaintImage() {
    if (Width() < 1 || Height() < 1) return {};
    LoadSkinValues();
    if (useSkinSize_ || !HasSkinRecord()) return SkinCustomControlLogic::PaintImage();
    // The skin's image at the size the skin gives, stretched to the gauge's; the text after
    // the stretch, so that it keeps its size.
    Bitmap image(Width(), Height());
    Bitmap skin;
    DrawSkinImage(skin);
    StretchBitmap(image, {0, 0, Width(), Height()}, skin);
    if (!OnGaugePaint) DrawProgressText(image, PaintValue());
    return image;
}

}  // namespace tolvar
