#include "Text.h"

namespace tolvar {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
}  // namespace

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string UpperCaseAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = UpperAscii(c);
    return r;
}

std::string LowerCaseAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = LowerAscii(c);
    return r;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

TextLines TextToLines(std::string_view text) {
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    TextLines lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

size_t LineCount(std::string_view text) {
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    size_t count = 0, start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            ++count;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    return count + (start < text.size() ? 1 : 0);
}

std::string LinesToText(const TextLines& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

int IndexOfName(const TextLines& lines, std::string_view name) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t eq = line.find('=');
        if (eq != std::string::npos && SameTextAscii(std::string_view(line).substr(0, eq), name)) return int(i);
    }
    return -1;
}

std::string ValueOf(const TextLines& lines, std::string_view name) {
    const int i = IndexOfName(lines, name);
    if (i < 0) return {};
    const std::string& line = lines[size_t(i)];
    return line.substr(line.find('=') + 1);
}

}  // namespace tolvar
