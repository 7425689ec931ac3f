#pragma once
#include <cstdint>

#include "base/Geometry.h"

namespace tolvar {

// The platform's system colours, for ResolveColor.
Color PlatformSystemColor(uint8_t index);

}  // namespace tolvar
