#pragma once
#include <stdexcept>
#include <string>

namespace tolvar {

// The root of the program's errors: an exception that carries the message the general error
// report shows.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that does not convert to a number, a date or a time.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A failed file or directory operation, with the system's error code.
class EInOutError : public Exception {
public:
    EInOutError(int code, const std::string& message) : Exception(message), ErrorCode(code) {}
    explicit EInOutError(int code);  // the framework's text for that code
    int ErrorCode;
};

// Stream failures: a file that cannot be created or opened, a read past the end.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
    using EStreamError::EStreamError;
};

// A picture that cannot be decoded.
class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception("Bitmap image is not valid") {}
    using Exception::Exception;
};

// The framework's texts for the I/O codes the client meets; others read "I/O error %d".
std::string InOutErrorText(int code);

}  // namespace tolvar
