#pragma once
#include <string>

#include "HostPaths.h"

namespace tolvar::test {

inline std::string SkinDir() { return LocalPath(TOLVAR_SKIN_DIR); }
inline std::string TestData() { return LocalPath(TOLVAR_SKIN_TEST_DATA); }
inline std::string BmpSuite() { return std::string(TOLVAR_BMPSUITE).empty() ? "" : LocalPath(TOLVAR_BMPSUITE); }

}  // namespace tolvar::test
