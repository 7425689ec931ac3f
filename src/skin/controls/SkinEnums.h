#pragma once
#include <cstdint>

namespace tolvar {

// How a stretched client piece fills its target area (the skin description's "stretchtype").
// The description stores a plain number, so a record may hold a value outside these three; the
// fixed underlying type keeps such a value representable, and the composition draws nothing for it.
enum StretchMode : int32_t {
    stfull = 0,  // scaled to the whole area
    sthorz = 1,  // scaled to the area's height, keeping its width, repeated side by side
    stvert = 2,  // scaled to the area's width, keeping its height, repeated top to bottom
};

}  // namespace tolvar
