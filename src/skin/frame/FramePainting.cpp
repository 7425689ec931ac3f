#include "FramePainting.h"

#include <algorithm>

#include "CaptionText.h"
#include "FrameLimits.h"
#include "ImageEffects.h"
#include "skin/controls/BitmapFill.h"
#include "skin/controls/SkinGeometry.h"
#include "skin/data/SkinData.h"

namespace tolvar {

namespace {

bool Intersects(const Rect& a, const Rect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

Pixel SystemPixel(uint8_t index) { return ColorToPixel(ResolveColor(SystemColor(index))); }

}  // namespace

FramePicture ComposeFrame(const TskSkinData& skin, const FrameSkinInfo& info, const FrameGeometry& g,
                          int32_t frameWidth, int32_t frameHeight, bool formActive, ActiveObjectList& objects,
                          const std::optional<Rect>& part) {
    FramePicture f;
    const Bitmap& picture = !formActive && !skin.InactivePicture.Empty() ? skin.InactivePicture : skin.MainPicture;
    if (picture.Empty() || frameWidth <= 0 || frameHeight <= 0) return f;
    const PieceGeometry piece = FramePiece(info, picture.Width(), picture.Height(), info.ClientRect);
    const TargetGeometry target = FrameTarget(g, g.SizedClientRect);
    const BandStretch bands{skin.leftstretch, skin.topstretch, skin.rightstretch, skin.bottomstretch};
    // A repaint of a part (a button's fade step) composes only that part of the strips.
    ComposeBorderStrips(piece, target, picture, frameWidth, frameHeight, bands, f.Strips, part);

    // Objects below the top of the client area go into the bottom strip, the others into the top.
    const int32_t bottomTop = frameHeight - f.Strips.Bottom.Height();
    for (auto& o : objects) {
        if (!o->ObjectVisible) continue;
        if (part && !Intersects(*part, o->ObjectRect)) continue;
        if (o->ObjectRect.Bottom > g.SizedClientRect.Top) o->Draw(f.Strips.Bottom, {0, bottomTop}, false);
        else o->Draw(f.Strips.Top, {0, 0}, false);
    }
    if (!formActive && skin.autorenderinginactiveimage) {
        for (Bitmap* strip : {&f.Strips.Top, &f.Strips.Left, &f.Strips.Right, &f.Strips.Bottom})
            ApplyInactiveEffect(*strip, skin.inactiveeffect);
    }
    f.TopAt = {0, 0};
    f.LeftAt = {0, f.Strips.Top.Height()};
    f.RightAt = {frameWidth - f.Strips.Right.Width(), f.Strips.Top.Height()};
    f.BottomAt = {0, bottomTop};
    return f;
}

Bitmap ComposeClientBackground(const TskSkinData* skin, int32_t clientWidth, int32_t clientHeight, int32_t frameWidth,
                               int32_t frameHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return {};
    Bitmap target(clientWidth, clientHeight, SystemPixel(COLOR_INDEX_BTNFACE));
    if (!skin || skin->Empty()) return target;
    const Bitmap* tile = &skin->MainPicture;
    Rect piece = skin->clientrect;
    if (skin->bgpictureindex != kNoPicture) {
        tile = skin->ActivePicture(skin->bgpictureindex);
        if (!tile) return target;
        piece = {0, 0, tile->Width(), tile->Height()};
    } else if (IsEmptyRect(piece)) {
        return target;
    }
    const Rect client{0, 0, clientWidth, clientHeight};
    // Stretched across the window's height (or width) as the skin says, and cut to the client.
    Rect area = client;
    if (skin->stretcheffect && skin->stretchtype != stFull) area = {0, 0, frameWidth, frameHeight};
    FillClientPiece(target, *tile, piece, area, skin->stretcheffect, skin->stretchtype, client);
    return target;
}

Bitmap ComposeDefaultFrame(int32_t width, int32_t height, int32_t captionHeight, bool active, ActiveObjectList& objects,
                           TextRenderer& text, const TextFont& font, const std::string& caption) {
    if (width <= 0 || height <= 0) return {};
    Bitmap frame(width, height, SystemPixel(COLOR_INDEX_BTNFACE));
    FrameBitmapRect(frame, {0, 0, width, height}, SystemPixel(COLOR_INDEX_BTNSHADOW));
    const Pixel band = ColorToPixel(ResolveColor(SystemColor(active ? 2 : 3)));  // (in)active caption
    const Rect bar{kDefaultBorder, kDefaultBorder, width - kDefaultBorder, captionHeight + kDefaultBorder};
    FillBitmapRect(frame, bar, band);
    if (!caption.empty()) {
        // Left of the buttons, cut off with "..." like the skinned caption.
        int32_t right = bar.Right;
        for (const auto& o : objects)
            if (o->ObjectVisible) right = std::min(right, o->ObjectRect.Left);
        const Rect area{bar.Left + 4, bar.Top, right - 2, bar.Bottom};
        const std::string shown = FitCaptionText(text, font, caption, RectWidth(area));
        const TextExtent e = text.Measure(font, shown);
        text.Draw(frame, font, PlaceCaptionText(e, area, taLeftJustify, false, font.Height), shown);
    }
    for (auto& o : objects)
        if (o->ObjectVisible) o->Draw(frame, {0, 0}, true);
    return frame;
}

}  // namespace tolvar
