#pragma once
#include <string>

#include "http/Url.h"

namespace tolvar {

// How the request line names its target: the path alone to the server itself, the whole URL
// to a proxy that forwards the request.
enum class TRequestTarget { Origin, Absolute };

// The bytes of a request without a body: the request line, the four fixed headers in their
// order, and the empty line. Through a proxy only the request line differs.
std::string HTTPRequestBytes(const std::string& method, const TUrl& url,
                             TRequestTarget target = TRequestTarget::Origin);

// The request that asks a proxy for a tunnel to the URL's host and port, through which the
// client then speaks TLS to the server itself.
std::string HTTPConnectBytes(const TUrl& url);

}  // namespace tolvar
