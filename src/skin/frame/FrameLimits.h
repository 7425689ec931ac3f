#pragma once
#include <cstdint>

#include "FrameGeometry.h"

namespace tolvar {

// The size limits of a skinned window and what they depend on besides the skin.
struct FrameLimitSettings {
    int32_t MinWidth = 0;  // the component's own limits; 0 means none
    int32_t MinHeight = 0;
    int32_t MaxWidth = 0;
    int32_t MaxHeight = 0;
    bool ToolWindow = false;  // a tool-window border: smaller default caption and buttons
    bool Minimized = false;
    bool RolledUp = false;
    bool FullBorderLayer = false;  // the soft border draws the whole frame
};

// The unskinned frame's caption height and caption button size.
constexpr int32_t DefaultCaptionHeight(bool toolWindow) { return toolWindow ? 15 : 19; }
constexpr int32_t DefaultButtonSize(bool toolWindow) { return toolWindow ? 13 : 17; }
// The unskinned frame's border width on every side.
constexpr int32_t kDefaultBorder = 3;

// The smallest window the frame can be drawn in; `skin` is null without a skin.
int32_t MinFrameWidth(const FrameSkinInfo* skin, const FrameLimitSettings& s);
int32_t MinFrameHeight(const FrameSkinInfo* skin, const FrameLimitSettings& s);
// The largest: the own limit when set, else the work area (or monitor) given.
constexpr int32_t MaxFrameSize(int32_t limit, int32_t area) { return limit != 0 ? limit : area; }

}  // namespace tolvar
