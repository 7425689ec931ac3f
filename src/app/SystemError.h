#pragma once
#include <windows.h>

#include <string>

namespace tolvar {

// The system's description of an error code, without its closing blanks and period, as the
// framework puts it into its own messages.
std::string SystemErrorMessage(DWORD code);

}  // namespace tolvar
