#include "Manifest.h"

#include <set>

namespace tolvar {

namespace {

constexpr std::string_view kSignatureWord = "signature ";

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

}  // namespace

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
    for (size_t number = 1;; ++number) {
        if (start == text.size()) Fail(number, "the manifest ends without its signature line");
        const size_t end = text.find('\n', start);
        const size_t length = (end == std::string_view::npos ? text.size() : end) - start;
        if (length > kMaxManifestLine) Fail(number, "the line is longer than " + std::to_string(kMaxManifestLine) + " bytes");
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

std::string ManifestBody(const std::vector<TManifestEntry>& entries) {
    std::string body;
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
