#include "ClientVersion.h"

#ifndef TOLVAR_CLIENT_VERSION
#error TOLVAR_CLIENT_VERSION must be defined by the build
#endif

namespace tolvar {

const char* const kBuiltClientVersion = TOLVAR_CLIENT_VERSION;

}  // namespace tolvar
