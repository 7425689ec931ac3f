#pragma once
#include <string>

#include "base/DateTime.h"
#include "base/Text.h"

namespace tolvar {

// The host program's command line: the day code, the placeholder, the mode digit and the
// settings' values, joined by single spaces.
std::string HostCommandLine(const TextLines& settings, bool stopFlag, const DateTime& today);
// The missing-host message, as the dialog shows it.
std::wstring NoHostMessage();

}  // namespace tolvar
