#include "ResourceData.h"

namespace tolvar {

std::optional<std::string> ReadResourceData(const char* name, HMODULE module) {
    // RT_RCDATA spelled for the ANSI call whatever UNICODE says.
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));
    if (!info) return std::nullopt;
    // Resource memory belongs to the module and is never freed by the caller.
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    return std::string(static_cast<const char*>(data), SizeofResource(module, info));
}

}  // namespace tolvar
