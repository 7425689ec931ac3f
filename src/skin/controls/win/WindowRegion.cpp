#include "WindowRegion.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace tolvar {

UniqueRegion RegionFromRects(const std::vector<Rect>& rects) {
    if (rects.empty()) return UniqueRegion(CreateRectRgn(0, 0, 0, 0));
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(rects.size());
    header.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    RECT* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < rects.size(); ++i) {
        const Rect& r = rects[i];
        RECT rc{r.Left, r.Top, r.Right, r.Bottom};
        std::memcpy(out + i, &rc, sizeof(RECT));
        bounds.left = std::min<LONG>(bounds.left, rc.left);
        bounds.top = std::min<LONG>(bounds.top, rc.top);
        bounds.right = std::max<LONG>(bounds.right, rc.right);
        bounds.bottom = std::max<LONG>(bounds.bottom, rc.bottom);
    }
    header.rcBound = bounds;
    std::memcpy(data.data(), &header, sizeof(header));
    return UniqueRegion(ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace tolvar
