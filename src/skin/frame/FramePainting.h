#pragma once
#include <cstdint>
#include <optional>

#include "ActiveObjects.h"
#include "FrameGeometry.h"
#include "skin/controls/SkinComposition.h"
#include "skin/controls/TextRenderer.h"

namespace tolvar {

class TskSkinData;

// The frame as it goes on the window: four strips, each copied in one operation at its place,
// the client area left out.
struct FramePicture {
    BorderStrips Strips;
    Point TopAt, LeftAt, RightAt, BottomAt;
    bool Empty() const {
        return Strips.Top.Empty() && Strips.Bottom.Empty() && Strips.Left.Empty() && Strips.Right.Empty();
    }
};

// Composes the frame for a window of frameWidth x frameHeight: the border strips of the frame
// picture (the inactive picture for an inactive form when the skin has one), the visible
// objects drawn into them, and the inactive effect when the skin asks for it. With `part`,
// only what will be copied of it counts: the strips are composed only there and objects
// outside it are not drawn.
FramePicture ComposeFrame(const TskSkinData& skin, const FrameSkinInfo& info, const FrameGeometry& g,
                          int32_t frameWidth, int32_t frameHeight, bool formActive, ActiveObjectList& objects,
                          const std::optional<Rect>& part = std::nullopt);

// The client area's background, `clientWidth` x `clientHeight`, from the skin's client piece or
// background picture (button face without one) for a window of frameWidth x frameHeight.
Bitmap ComposeClientBackground(const TskSkinData* skin, int32_t clientWidth, int32_t clientHeight, int32_t frameWidth,
                               int32_t frameHeight);

// The unskinned frame: a 3-pixel border and a default caption, the caption text and the glyph
// buttons drawn in, as one picture of the whole window (the client area is left out when
// copied).
Bitmap ComposeDefaultFrame(int32_t width, int32_t height, int32_t captionHeight, bool active, ActiveObjectList& objects,
                           TextRenderer& text, const TextFont& font, const std::string& caption);

}  // namespace tolvar
