#pragma once
#include <windows.h>

#include <vector>

#include "app/Handles.h"
#include "base/Geometry.h"

namespace tolvar {

// A region that is the union of the rectangles (they may overlap); an empty list gives an
// empty region.
UniqueRegion RegionFromRects(const std::vector<Rect>& rects);

}  // namespace tolvar
