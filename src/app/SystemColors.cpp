#include "SystemColors.h"

#include <windows.h>

namespace tolvar {

Color PlatformSystemColor(uint8_t index) { return Color(GetSysColor(index)); }

}  // namespace tolvar
