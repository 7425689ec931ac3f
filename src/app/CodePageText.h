#pragma once
#include <windows.h>

#include <string>

namespace tolvar {

// 8-bit text in a code page (the system's unless given) to UTF-16, for the platform's wide
// functions.
std::wstring AnsiToWide(const std::string& s, UINT codePage = CP_ACP);

}  // namespace tolvar
