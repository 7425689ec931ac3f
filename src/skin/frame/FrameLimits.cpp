#include "FrameLimits.h"

namespace tolvar {

int32_t MinFrameWidth(const FrameSkinInfo* skin, const FrameLimitSettings& s) {
    if (!skin) return s.MinWidth > 0 ? s.MinWidth : 120;
    const int32_t w = skin->PictureWidth;
    if (w < s.MinWidth && !s.Minimized) return s.MinWidth;
    if (skin->FormMinWidth > 0)
        return skin->FormMinWidth >= s.MinWidth || s.Minimized ? skin->FormMinWidth : s.MinWidth;
    return w;
}

int32_t MinFrameHeight(const FrameSkinInfo* skin, const FrameLimitSettings& s) {
    const bool small = s.RolledUp || s.Minimized;
    const auto atLeastOwn = [&](int32_t v) { return v >= s.MinHeight || small ? v : s.MinHeight; };
    if (!skin) return atLeastOwn(DefaultCaptionHeight(s.ToolWindow) + 6);
    const int32_t borders = skin->PictureHeight - RectHeight(skin->ClientRect);
    if (s.FullBorderLayer) return borders >= s.MinHeight || small ? 10 : s.MinHeight;
    if (skin->FormMinHeight != 0) return atLeastOwn(skin->FormMinHeight);
    return atLeastOwn(borders);
}

}  // namespace tolvar
