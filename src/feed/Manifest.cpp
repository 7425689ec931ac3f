#include "Manifest.h"

#include <algorithm>
#include <set>

namespace tolvar {

namespace {

constexpr std::string_view kSignatureWord = "signature ";
constexpr std::string_view kExpiresWord = "expires ";
constexpr std::string_view kTimeForm = "YYYY-MM-DDTHH:MM:SSZ";
constexpr int kFirstYear = 1970, kLastYear = 9999;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;  // upper case too: one spelling per value, as the writer writes it
}

// Exactly 2 × N lowercase hex digits.
template <size_t N>
bool ReadHex(std::string_view text, std::array<uint8_t, N>& out) {
    if (text.size() != 2 * N) return false;
    for (size_t i = 0; i < N; ++i) {
        const int high = HexValue(text[2 * i]), low = HexValue(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        out[i] = uint8_t(high << 4 | low);
    }
    return true;
}

// Why a path cannot stand in a manifest, or null when it can.
const char* PathProblem(std::string_view path) {
    if (path.empty() || path[0] != '/') return "a path must start with \"/\"";
    for (unsigned char c : path)
        if (c < 0x20 || c == 0x7F) return "a path holds a control character";
    return nullptr;
}

[[noreturn]] void Fail(size_t line, const std::string& what) {
    throw EManifestError("manifest line " + std::to_string(line) + ": " + what);
}

// The number of `digits` decimal digits at `text[at]`, or -1.
int Digits(std::string_view text, size_t at, size_t digits) {
    int value = 0;
    for (size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

void AppendDigits(std::string& out, int value, int digits) {
    std::string text = std::to_string(value);
    out.append(size_t(std::max(0, digits - int(text.size()))), '0');
    out += text;
}

}  // namespace

std::string FormatManifestTime(ManifestTime time) {
    using namespace std::chrono;
    const sys_days day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss<seconds> clock(time - day);
    std::string text;
    AppendDigits(text, int(date.year()), 4);
    text += '-';
    AppendDigits(text, int(unsigned(date.month())), 2);
    text += '-';
    AppendDigits(text, int(unsigned(date.day())), 2);
    text += 'T';
    AppendDigits(text, int(clock.hours().count()), 2);
    text += ':';
    AppendDigits(text, int(clock.minutes().count()), 2);
    text += ':';
    AppendDigits(text, int(clock.seconds().count()), 2);
    text += 'Z';
    return text;
}

std::optional<ManifestTime> ParseManifestTime(std::string_view text) {
    using namespace std::chrono;
    if (text.size() != kTimeForm.size()) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = kTimeForm[i] >= 'A' && kTimeForm[i] <= 'Z' && kTimeForm[i] != 'T' && kTimeForm[i] != 'Z';
        if (!digit && text[i] != kTimeForm[i]) return std::nullopt;
    }
    const int y = Digits(text, 0, 4), mo = Digits(text, 5, 2), d = Digits(text, 8, 2);
    const int h = Digits(text, 11, 2), mi = Digits(text, 14, 2), s = Digits(text, 17, 2);
    if (y < kFirstYear || y > kLastYear || mo < 0 || d < 0 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
        return std::nullopt;
    const year_month_day date{year(y), month(unsigned(mo)), day(unsigned(d))};
    if (!date.ok()) return std::nullopt;
    return sys_days(date) + hours(h) + minutes(mi) + seconds(s);
}

bool Expired(const TManifest& manifest, ManifestTime now) { return now >= manifest.Expires; }

ManifestTime ExpiryAfter(ManifestTime now, int validDays) {
    if (validDays < 1 || validDays > kMaxValidDays)
        throw EManifestError("a manifest holds for 1 to " + std::to_string(kMaxValidDays) + " days, not " +
                             std::to_string(validDays));
    const ManifestTime expires = now + std::chrono::days(validDays);
    if (!ParseManifestTime(FormatManifestTime(expires))) throw EManifestError("the expiry is past the year 9999");
    return expires;
}

ManifestTime ManifestNow() { return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()); }

std::string ToHex(const uint8_t* data, size_t size) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * size);
    for (size_t i = 0; i < size; ++i) {
        hex += digits[data[i] >> 4];
        hex += digits[data[i] & 15];
    }
    return hex;
}

TManifest ReadManifest(std::string_view text) {
    if (text.size() > kMaxManifestSize) throw EManifestError("the manifest is larger than a manifest may be");
    TManifest manifest;
    std::set<std::string_view> paths;
    size_t start = 0;
    // The expiry comes first, so that no manifest is read without it.
    {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, std::min(end, kMaxManifestLine + 1));
        if (!line.starts_with(kExpiresWord) || end == std::string_view::npos)
            Fail(1, "the manifest does not start with its expiry line, \"expires " + std::string(kTimeForm) + "\"");
        const std::optional<ManifestTime> expires = ParseManifestTime(line.substr(kExpiresWord.size()));
        if (!expires) Fail(1, "the expiry is not a UTC time written " + std::string(kTimeForm));
        manifest.Expires = *expires;
        start = end + 1;
    }
    for (size_t number = 2;; ++number) {
        if (start == text.size()) Fail(number, "the manifest ends without its signature line");
        const size_t end = text.find('\n', start);
        const size_t length = (end == std::string_view::npos ? text.size() : end) - start;
        if (length > kMaxManifestLine)
            Fail(number, "the line is longer than " + std::to_string(kMaxManifestLine) + " bytes");
        if (end == std::string_view::npos) Fail(number, "the manifest ends in the middle of a line");
        const std::string_view line = text.substr(start, length);

        if (line.starts_with(kSignatureWord)) {
            if (!ReadHex(line.substr(kSignatureWord.size()), manifest.Signature))
                Fail(number, "the signature is not 128 lowercase hex digits");
            if (end + 1 != text.size()) Fail(number + 1, "bytes follow the signature line");
            manifest.SignedLength = start;
            return manifest;
        }
        TManifestEntry entry;
        if (line.size() < 66 || line[64] != ' ' || !ReadHex(line.substr(0, 64), entry.Hash))
            Fail(number, "not a line of a SHA-256 in 64 lowercase hex digits, a space and a path");
        const std::string_view path = line.substr(65);
        if (const char* problem = PathProblem(path)) Fail(number, problem);
        if (!paths.insert(path).second) Fail(number, "the path " + std::string(path) + " comes twice");
        entry.Path = path;
        manifest.Entries.push_back(std::move(entry));
        start = end + 1;
    }
}

std::string ManifestBody(ManifestTime expires, const std::vector<TManifestEntry>& entries) {
    const std::string time = FormatManifestTime(expires);
    if (!ParseManifestTime(time)) throw EManifestError("an expiry outside the years 1970 to 9999: " + time);
    std::string body = std::string(kExpiresWord) + time + '\n';
    std::set<std::string_view> paths;
    for (const TManifestEntry& entry : entries) {
        if (const char* problem = PathProblem(entry.Path)) throw EManifestError(problem + (": " + entry.Path));
        if (!paths.insert(entry.Path).second) throw EManifestError("the path " + entry.Path + " comes twice");
        const std::string line = ToHex(entry.Hash.data(), entry.Hash.size()) + ' ' + entry.Path;
        if (line.size() > kMaxManifestLine) throw EManifestError("the path is too long for a manifest: " + entry.Path);
        body += line;
        body += '\n';
    }
    return body;
}

std::string SignedManifest(std::string_view body, const EcdsaSignature& signature) {
    std::string manifest(body);
    manifest += kSignatureWord;
    manifest += ToHex(signature.data(), signature.size());
    manifest += '\n';
    return manifest;
}

}  // namespace tolvar
