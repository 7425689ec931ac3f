#include "http/HttpClient.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

#include "base/Text.h"
#include "http/HttpHeaders.h"
#include "http/HttpRequest.h"
#include "http/StreamReader.h"
#include "http/Url.h"

namespace tolvar {

namespace {

// A server that answers with nothing but "100 Continue" for ever must not keep us reading.
constexpr int MaxInterimResponses = 100;
// A response head is a few hundred bytes. These bounds leave room for any real server and
// stop one that sends header lines without end; they count the interim responses too.
constexpr int MaxHeadLines = 256;
constexpr uint64_t MaxHeadBytes = 64 * 1024;
// The failing response's body is read for the connection's sake only: an error page is small,
// and what goes beyond this is left unread.
constexpr uint64_t MaxDrainBytes = 1024 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A decimal integer with an optional sign, as a length header writes it.
std::optional<int64_t> ParseDecimal(std::string_view s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size() || s.size() - i > 18) return std::nullopt;
    int64_t value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + (s[i] - '0');
    }
    return negative ? -value : value;
}

// The second blank-separated token of the status line, or -1 when it is not a number.
int StatusCodeOf(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    while (i < line.size() && IsBlank(line[i])) ++i;
    size_t end = i;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    const std::string_view token = line.substr(i, end - i);
    if (token.empty() || token.size() > 9) return -1;
    if (!std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; })) return -1;
    return static_cast<int>(*ParseDecimal(token));
}

// The chunk size at the start of a size line. Chunk extensions follow a ";", with or without
// blanks before it, so both end the number.
std::optional<uint64_t> ParseChunkSize(std::string_view line) {
    const std::string_view digits = line.substr(0, line.find_first_of(" \t;"));
    if (digits.empty() || digits.size() > 15) return std::nullopt;
    uint64_t size = 0;
    for (const char c : digits) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        size = size * 16 + static_cast<uint64_t>(digit);
    }
    return size;
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
    return LowerCaseAscii(text).find(LowerCaseAscii(word)) != std::string::npos;
}

[[noreturn]] void RaiseTooLarge() { throw ESocketError("Response body too large"); }

// Reads a chunked body; past `limit` bytes a body to keep fails, one to drop is left unread.
void ReadChunked(TStreamReader& reader, std::string* sink, uint64_t limit) {
    uint64_t total = 0;
    for (;;) {
        const auto sizeLine = reader.ReadLine();
        if (!sizeLine) throw ESocketError("Connection closed inside a chunked body");
        const auto size = ParseChunkSize(*sizeLine);
        if (size && *size > limit - total) {
            if (sink) RaiseTooLarge();
            return;
        }
        if (!size || *size == 0) {
            // The line after the last chunk carries nothing the body needs; whatever happens
            // while it is read, the body is complete.
            try {
                reader.ReadLine();
            } catch (const EHTTPProtocolError&) {
            }
            return;
        }
        if (reader.Read(*size, sink) < *size) throw ESocketError("Connection closed inside a chunk");
        total += *size;
        reader.ReadLine();  // the line end after the chunk's bytes
    }
}

}  // namespace

struct THTTPClient::Response {
    int StatusCode = -1;
    std::string StatusLine;
    THTTPHeaders Headers;
};

namespace {

// Reads the body by the response's rules into `sink`, or drops it when `sink` is null. A body
// to keep that would pass `limit` bytes fails as a broken transfer does, before it is read
// where its length is announced; a body to drop is read up to `limit` and left there.
void ReadBody(TStreamReader& reader, int statusCode, const THTTPHeaders& headers, std::string* sink, uint64_t limit) {
    if (statusCode == 204) return;
    const auto lengthText = headers.Value("Content-Length");
    const auto length = lengthText ? ParseDecimal(*lengthText) : std::nullopt;
    if (length && *length > 0) {
        if (sink && static_cast<uint64_t>(*length) > limit) RaiseTooLarge();
        // A server that closes early leaves the body at what arrived.
        reader.Read(std::min(static_cast<uint64_t>(*length), limit), sink);
        return;
    }
    if (const auto coding = headers.Value("Transfer-Encoding"); coding && ContainsNoCase(*coding, "chunked")) {
        ReadChunked(reader, sink, limit);
        return;
    }
    if (!lengthText && reader.Read(limit + 1, sink) > limit) RaiseTooLarge();
}

}  // namespace

THTTPClient::THTTPClient() : THTTPClient(ConnectSocket) {}

THTTPClient::THTTPClient(Connector connect, TlsLayer tls) : connect_(std::move(connect)), tls_(std::move(tls)) {}

THTTPClient::Response THTTPClient::ReadHead(TStreamReader& reader) const {
    // The head as a whole within one read time-out: a server that sends it a byte at a time
    // never lets a single read wait that long.
    reader.SetDeadline(TStreamReader::Clock::now() + readTimeout_);
    Response response;
    int headLines = 0;
    uint64_t headBytes = 0;
    const auto readHeadLine = [&] {
        auto line = reader.ReadLine();
        if (!line) return line;
        headBytes += line->size() + 2;
        if (++headLines > MaxHeadLines || headBytes > MaxHeadBytes)
            throw EHTTPProtocolError("Response head too large", response.StatusCode, response.StatusLine);
        return line;
    };
    for (int interim = 0;; ++interim) {
        if (interim > MaxInterimResponses) throw EHTTPProtocolError("Too many interim responses");
        const auto statusLine = readHeadLine();
        if (!statusLine) throw ESocketError("Connection closed without a response");
        response.StatusLine = *statusLine;
        response.StatusCode = StatusCodeOf(response.StatusLine);
        response.Headers.Clear();
        for (;;) {
            const auto line = readHeadLine();
            if (!line)
                throw ESocketError("Connection closed inside the response headers", response.StatusCode,
                                   response.StatusLine);
            if (line->empty()) break;
            response.Headers.AddLine(*line);
        }
        if (response.StatusCode != 100) break;
    }
    reader.ClearDeadline();
    return response;
}

void THTTPClient::OpenTunnel(TByteStream& proxy, const TUrl& url) const {
    proxy.WriteAll(HTTPConnectBytes(url), readTimeout_);
    TStreamReader reader(proxy, readTimeout_);
    const Response answer = ReadHead(reader);
    // A proxy that wants a sign-in (407) fails the request as a server's 401 does: there are no
    // credentials to give. A redirect or an error page from the proxy is no tunnel either.
    if (answer.StatusCode < 200 || answer.StatusCode > 299)
        throw EHTTPProtocolError("Proxy refused the tunnel: " + answer.StatusLine, answer.StatusCode,
                                 answer.StatusLine);
    // The server speaks first in the tunnel only after our hello: anything the proxy sent
    // beyond its answer is not the server's.
    if (reader.Buffered() != 0)
        throw EHTTPProtocolError("Proxy sent more than its answer to the tunnel's request", answer.StatusCode,
                                 answer.StatusLine);
}

THTTPClient::Response THTTPClient::Request(const std::string& method, const std::string& address, std::string* body) {
    const TUrl url = ParseUrl(address);
    std::unique_ptr<TByteStream> stream;
    if (proxy_.Direct()) {
        stream = connect_(url.ConnectHost(), url.PortNumber(), connectTimeout_);
    } else {
        stream = connect_(proxy_.Host, proxy_.Port, connectTimeout_);
        if (url.Secure()) OpenTunnel(*stream, url);
    }
    if (url.Secure()) stream = tls_(std::move(stream), url.ConnectHost(), connectTimeout_);
    const bool forwarded = !proxy_.Direct() && !url.Secure();
    stream->WriteAll(HTTPRequestBytes(method, url, forwarded ? TRequestTarget::Absolute : TRequestTarget::Origin),
                     readTimeout_);

    TStreamReader reader(*stream, readTimeout_);
    const Response response = ReadHead(reader);

    const int code = response.StatusCode;
    const auto location = response.Headers.Value("Location");
    const bool redirected = (location && !location->empty()) || (code >= 300 && code <= 399 && code != 304);
    if (redirected || code < 200 || code > 299) {
        // The request has failed already: the drain gets its time-out once, in all.
        reader.SetTimeout(DrainTimeout);
        reader.SetDeadline(TStreamReader::Clock::now() + DrainTimeout);
        try {
            ReadBody(reader, code, response.Headers, nullptr, MaxDrainBytes);
        } catch (const Exception&) {
            // The request has failed already; a drain that breaks off changes nothing.
        }
        throw EHTTPProtocolError(response.StatusLine, code, response.StatusLine);
    }
    if (body) {
        // A body that trickles in just fast enough for every span would still keep the pass
        // waiting for hours: its average must hold up too.
        reader.SetRateFloor(rateFloor_);
        ReadBody(reader, code, response.Headers, body, bodyLimit_);
    }
    stream->Close();
    return response;
}

std::string THTTPClient::FetchText(const std::string& url) {
    std::string body;
    Request("GET", url, &body);
    return body;
}

int32_t THTTPClient::FetchContentLength(const std::string& url) {
    const Response response = Request("HEAD", url, nullptr);
    const auto text = response.Headers.Value("Content-Length");
    const auto length = text ? ParseDecimal(*text) : std::nullopt;
    if (!length || *length < std::numeric_limits<int32_t>::min() || *length > std::numeric_limits<int32_t>::max())
        return -1;
    return static_cast<int32_t>(*length);
}

std::string FetchText(const std::string& url) { return THTTPClient().FetchText(url); }

int32_t FetchContentLength(const std::string& url) { return THTTPClient().FetchContentLength(url); }

}  // namespace tolvar
