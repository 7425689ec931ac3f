#pragma once
#include <string>

#include "http/Url.h"

namespace tolvar {

// The bytes of a request without a body: the request line, the four fixed headers in their
// order, and the empty line.
std::string HTTPRequestBytes(const std::string& method, const TUrl& url);

}  // namespace tolvar
