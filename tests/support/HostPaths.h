#pragma once
// The build machine's paths as the running test names them: a Windows program under Wine
// reaches the Unix path /x/y as Z:\x\y.
#include <algorithm>
#include <string>

namespace tolvar::test {

// A path of the build machine as this process names it.
inline std::string LocalPath(const std::string& unixPath) {
#ifdef _WIN32
    std::string path = unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.size() >= 2 && path[0] == '\\' && path[1] != '\\') path = "Z:" + path;
    return path;
#else
    return unixPath;
#endif
}

// The path of the build machine that a path of this process names: Z:\x\y under Wine is /x/y.
inline std::string UnixPath(const std::string& localPath) {
#ifdef _WIN32
    std::string path = localPath;
    if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path.erase(0, 2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
#else
    return localPath;
#endif
}

}  // namespace tolvar::test
