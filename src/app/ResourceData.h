#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace tolvar {

// The resources a company build carries (RCDATA, language neutral): the sealed settings, one
// line of Base64, and the update server root URL as text.
inline constexpr char SettingsResourceName[] = "SETTINGS";
inline constexpr char UpdateRootResourceName[] = "UPDATEROOT";

// The bytes of the RCDATA resource `name` of `module` (the running program when null), or
// nothing when the module has no such resource. A module loaded as a data file serves too.
std::optional<std::string> ReadResourceData(const char* name, HMODULE module = nullptr);

}  // namespace tolvar
