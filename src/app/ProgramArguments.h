#pragma once
#include <string>

namespace tolvar {

// This process's command line after its own (possibly quoted) program name, as it was passed.
std::string ArgumentsAfterProgramName();

}  // namespace tolvar
