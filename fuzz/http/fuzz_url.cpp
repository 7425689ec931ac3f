// The URL parser: whatever it accepts has parts that cannot smuggle a header line, and a host
// header and a port that the request can use.
#include <cstddef>
#include <cstdint>
#include <string>

#include "http/HttpErrors.h"
#include "http/HttpRequest.h"
#include "http/Url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const tolvar::TUrl url = tolvar::ParseUrl(text);
        const std::string request = tolvar::HTTPRequestBytes("GET", url);
        // One request: its head ends once, at its end, and no part adds a line of its own.
        if (request.find("\r\n\r\n") != request.size() - 4) __builtin_trap();
        for (const std::string* part : {&url.Host, &url.Port, &url.Target})
            if (part->find_first_of(std::string("\r\n\0", 3)) != std::string::npos) __builtin_trap();
        if (url.Target.find('#') != std::string::npos || url.Target.find('\\') != std::string::npos) __builtin_trap();
        if (url.PortNumber() == 0) __builtin_trap();
        url.HostHeader();
        url.ConnectHost();
    } catch (const tolvar::EHTTPProtocolError&) {
    }
    return 0;
}
