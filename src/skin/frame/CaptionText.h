#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "skin/controls/TextRenderer.h"

namespace tolvar {

class TskDataSkinCaption;

// The caption's text: its area in the caption, its font, its fit, its place and its effects
// (light, shadow, plate, reflection, plate glow, halo), drawn onto a composed image.

// The text area of a caption record relative to the caption object's rectangle `objectRect`
// (window coordinates): the record's textrect grown with the caption, moved right past
// `quickButtons` buttons of `quickImageWidth`, and narrowed by the plate's text rect.
Rect CaptionTextArea(const TskDataSkinCaption& caption, const Rect& objectRect, int32_t quickButtons = 0,
                     int32_t quickImageWidth = 0);

// The text shortened from its end until it plus "..." fits `width`, then followed by "...";
// unchanged when it fits, and empty when not even "..." fits, so that it never runs past the area.
std::string FitCaptionText(TextRenderer& text, const TextFont& font, const std::string& caption, int32_t width);

// Where a text of `extent` starts in `area`: vertically centred (one pixel higher for an odd
// font height), horizontally by `align` (or centred when `centred`).
Point PlaceCaptionText(const TextExtent& extent, const Rect& area, TextAlign align, bool centred, int32_t fontHeight);

// What the caption text step needs besides the record.
struct CaptionTextRequest {
    std::string Text;                       // the form's caption
    Rect TextArea;                          // relative to the caption object's rectangle (CaptionTextArea)
    Point Origin;                           // where the caption object's top-left corner lies in the target
    TextFont Font;                          // the caption font, its colour already chosen for the state
    bool Active = false;                    // the caption's active state
    const Bitmap* ActivePicture = nullptr;  // the caption's own picture, for the plate
    int32_t CaptionWidth = 0;               // of the caption object, for a full-width plate
    int32_t ButtonsOffset = 0;
    bool Centred = false;  // quick buttons centre the text whatever the alignment
};

// Draws the caption text step: fit, place, plate, light, shadow, and the text by the first
// effect that applies (reflection, plate glow, halo, plain). Nothing for an empty text or
// text area.
void DrawCaptionText(Bitmap& target, TextRenderer& text, const TskDataSkinCaption& caption,
                     const CaptionTextRequest& request);

// The text at `r` (its measured rectangle in the target) with a mirrored copy below it that
// fades from about 0.7 opacity at the text's foot to nothing at 30 % of its height, in colour
// `c`, its top edge at r.Bottom + offset; then the text itself in the font's colour.
void DrawReflectedText(Bitmap& target, TextRenderer& text, const TextFont& font, const Rect& r, std::string_view s,
                       Color c, int32_t offset);

// The text at `at` over a blurred halo of `size` pixels in colour `c`, shifted by `offset`.
void DrawHaloText(Bitmap& target, TextRenderer& text, const TextFont& font, Point at, std::string_view s, int32_t size,
                  Color c, int32_t offset);

// The text at `at` over a soft glowing plate in colour `c`.
void DrawPlateGlowText(Bitmap& target, TextRenderer& text, const TextFont& font, Point at, std::string_view s, Color c);

}  // namespace tolvar
