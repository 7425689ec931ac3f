#pragma once
#include <string>
#include <string_view>

namespace tolvar {

// Why `url` cannot be the update server root, or empty when it can. The client appends
// "/FTPHome/..." to the root, so it is "http://" or "https://" and a host with an optional port
// 1 to 65535 and nothing else: no path (not even a final "/"), no user information, no query.
// The stamper and the build both refuse a root by this rule.
std::string UpdateRootProblem(std::string_view url);

}  // namespace tolvar
