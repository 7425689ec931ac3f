#pragma once
#include <string>

namespace skintest {

// A Unix path from the build as the running program reaches it: under Wine the Unix root is
// drive Z:.
inline std::string HostPath(const std::string& unixPath) {
#ifdef _WIN32
    if (!unixPath.empty() && unixPath[0] == '/') return "Z:" + unixPath;
#endif
    return unixPath;
}

inline std::string SkinDir() { return HostPath(TOLVAR_SKIN_DIR); }
inline std::string TestData() { return HostPath(TOLVAR_SKIN_TEST_DATA); }
inline std::string BmpSuite() { return std::string(TOLVAR_BMPSUITE).empty() ? "" : HostPath(TOLVAR_BMPSUITE); }

}  // namespace skintest
