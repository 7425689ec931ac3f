#pragma once

namespace tolvar {

// The client's own version, a setting of the build (each program made from the client's code
// compiles ClientVersion.cpp with its own TOLVAR_CLIENT_VERSION).
extern const char* const kBuiltClientVersion;

}  // namespace tolvar
