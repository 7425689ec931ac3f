#pragma once
#include <string>

#include "base/Exceptions.h"

namespace tolvar {

// Every failure of an HTTP request. When a response arrived, the error carries its status code
// and status line; otherwise the code is -1 and the line is empty.
class EHTTPProtocolError : public Exception {
public:
    explicit EHTTPProtocolError(const std::string& message, int statusCode = -1, std::string statusLine = {})
        : Exception(message), StatusCode(statusCode), StatusLine(std::move(statusLine)) {}
    int StatusCode;
    std::string StatusLine;
};

// The transport failed: the host is unknown or unreachable, the connection broke.
class ESocketError : public EHTTPProtocolError {
public:
    using EHTTPProtocolError::EHTTPProtocolError;
};

// A connect or a read waited longer than the client's time-out.
class ETimeoutError : public ESocketError {
public:
    using ESocketError::ESocketError;
};

}  // namespace tolvar
