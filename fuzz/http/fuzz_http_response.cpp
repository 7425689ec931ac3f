// A response read from a scripted byte stream: the first bytes choose the request and how the
// rest is cut into reads, the rest is what the server sends before it closes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "http/HttpClient.h"

namespace {

class ScriptedStream final : public tolvar::TByteStream {
public:
    ScriptedStream(std::string_view bytes, size_t piece) : bytes_(bytes), piece_(piece) {}
    void WriteAll(std::string_view, tolvar::Milliseconds) override {}
    size_t Read(char* buffer, size_t size, tolvar::Milliseconds) override {
        const size_t n = std::min({size, piece_, bytes_.size()});
        std::memcpy(buffer, bytes_.data(), n);
        bytes_.remove_prefix(n);
        return n;
    }
    void Close() noexcept override {}

private:
    std::string_view bytes_;
    size_t piece_;
};

constexpr uint64_t kBodyLimit = 64 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const bool head = data[0] & 1;
    const size_t piece = 1 + data[1];  // reads of 1 to 256 bytes
    const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

    tolvar::THTTPClient client([&](const std::string&, uint16_t, tolvar::Milliseconds) {
        return std::make_unique<ScriptedStream>(bytes, piece);
    });
    client.SetBodyLimit(kBodyLimit);
    try {
        if (head) {
            // Any decimal the header holds, negative ones included, is the answer.
            client.FetchContentLength("http://fuzz.test/a.dll");
        } else {
            const std::string body = client.FetchText("http://fuzz.test/UpGradeList.txt");
            // Nothing comes out that was not sent, and never more than the limit.
            if (body.size() > bytes.size() || body.size() > kBodyLimit) __builtin_trap();
        }
    } catch (const tolvar::EHTTPProtocolError&) {
        // Failures are the answer to many inputs; only crashes and hangs are findings.
    }
    return 0;
}
