// The native build speaks plain HTTP only: its client serves the tests of the protocol, and TLS
// is the platform's (Schannel), tested where it runs.
#include "http/ByteStream.h"
#include "http/HttpErrors.h"

namespace tolvar {

std::unique_ptr<TByteStream> StartTls(std::unique_ptr<TByteStream>, const std::string& host, Milliseconds) {
    throw ESocketError("TLS is not available in the native build (" + host + ")");
}

}  // namespace tolvar
