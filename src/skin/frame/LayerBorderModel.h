#pragma once
#include <cstdint>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"

namespace tolvar {

class TskDataSkinLayerFrame;

// The soft border around the window: the skin's layer picture, made translucent by its mask,
// cut into four pieces that surround the window. Pieces are 32-bit images (colour plus alpha
// plane) with premultiplied colours, ready for a per-pixel-alpha window.

// A copy of `picture` whose alpha is, per pixel, the brightness of the mask pixel at the same
// place ((r + g + b) / 3 to the nearest integer: white opaque, black transparent). A pixel the
// mask does not cover is transparent.
Bitmap AlphaFromMask(const Bitmap& picture, const Bitmap& mask);

// Limits every colour channel to its pixel's alpha (c := min(c, a)), which makes the colours
// valid premultiplied ones as the platform wants them. Layer pictures are drawn for this: their
// colours are already scaled by the alpha their mask gives (drawn over black), so the limit
// leaves them as drawn and only mends a pixel brighter than its opacity allows.
void Premultiply(Bitmap& image);

// A constant opacity scaled by a (0 .. 255): value * a / 255 to the nearest integer, both
// limited to 0 .. 255 first.
uint8_t ScaleOpacity(int32_t value, int32_t a);

// The layer frame's values the pieces are cut by.
struct LayerFrameInfo {
    int32_t PictureWidth = 0, PictureHeight = 0;
    Point LT, RT, LB, RB;
    Rect ClientRect;  // where the window lies inside the picture
    int32_t LeftOffset = 0, TopOffset = 0, WidthOffset = 0, HeightOffset = 0;
    bool FullStretch = false;
    static LayerFrameInfo From(const TskDataSkinLayerFrame& frame, const Bitmap& picture);
};

// The border's outer rectangle for a window at `form` (screen coordinates).
Rect LayerOuterRect(const LayerFrameInfo& info, const Rect& form);

// The four pieces for an outer size; a piece with no height or width is empty.
struct LayerPieces {
    Bitmap Top, Bottom, Left, Right;
};
LayerPieces ComposeLayerPieces(const LayerFrameInfo& info, const Bitmap& source, int32_t outerWidth,
                               int32_t outerHeight);

// Where the pieces go for an outer rectangle (screen coordinates); a side piece with no height
// is not shown.
struct LayerPlaces {
    Rect Top, Bottom, Left, Right;
    bool SidesShown = true;
};
LayerPlaces PlaceLayerPieces(const Rect& outer, const LayerPieces& pieces);

// The glow over a hovered caption button: the picture with alpha from its mask, premultiplied.
Bitmap GlowImage(const Bitmap& picture, const Bitmap& mask);

// A fade-in's opacities, from the first step to `target` (limited to 0 .. 255): steps of
// target / 15 (at least 1), the last one landing on the target; none for a target of 0.
std::vector<uint8_t> FadeInSteps(int32_t target);

// The glow's fade-in: from 0 to the target in steps of a tenth of it (at least 1), one step a
// tick; Tick answers whether the fade goes on.
class GlowFade {
public:
    explicit GlowFade(int32_t target);
    uint8_t Opacity() const { return current_; }
    uint8_t Target() const { return target_; }
    bool Done() const { return current_ >= target_; }
    bool Tick();

private:
    uint8_t target_;
    uint8_t step_;
    uint8_t current_ = 0;
};

}  // namespace tolvar
