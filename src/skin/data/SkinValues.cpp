#include "SkinValues.h"

#include <algorithm>
#include <array>
#include <climits>

#include "base/DateTime.h"
#include "base/Exceptions.h"

namespace tolvar {

namespace {

// Splits a point or rectangle value into exactly N numbers: digits are kept, commas end
// fields, everything else is skipped. A missing, digitless or too large field fails with its
// kept digits in the message.
template <size_t N>
std::array<int32_t, N> ParseFields(std::string_view value) {
    std::array<int32_t, N> out{};
    size_t field = 0, start = 0;
    int64_t number = 0;
    bool digits = false;
    auto close = [&](size_t end) {
        if (field < N) {
            if (!digits || number > INT32_MAX) {
                std::string kept;
                for (char c : value.substr(start, end - start))
                    if (c >= '0' && c <= '9') kept.push_back(c);
                StrToInt(kept);  // raises the conversion error with the kept digits
            }
            out[field] = int32_t(number);
        }
        ++field, number = 0, digits = false;
    };
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ',') {
            close(i);
            start = i + 1;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (number <= INT32_MAX) number = number * 10 + (c - '0');
        }
    }
    close(value.size());
    if (field < N) StrToInt("");  // fewer fields than needed
    return out;
}

template <class E, size_t N>
E Keyword(const std::string* value, std::string_view def, const std::array<std::string_view, N>& names, E other) {
    const std::string_view v = value ? std::string_view(*value) : def;
    for (size_t i = 0; i < N; ++i)
        if (v == names[i]) return E(i);
    return other;
}

constexpr std::array<std::string_view, 3> kStretch = {"stfull", "sthorz", "stvert"};
constexpr std::array<std::string_view, 6> kEffects = {"iebrightness", "iedarkness",  "iegrayscale",
                                                      "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<std::string_view, 7> kMorph = {"mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
                                                    "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<std::string_view, 7> kCommands = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                                       "cmdefault", "cmrollup",   "cmminimizetotray"};
constexpr std::array<std::string_view, 4> kStyles = {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};

}  // namespace

bool ParseBoolean(const std::string* value) { return ParseInteger(value, 0) == 1; }

int32_t ParseInteger(const std::string* value, int32_t def) {
    if (!value) return def;
    const auto v = TryStrToInt(*value);
    return v ? *v : def;
}

Point ParsePoint(const std::string* value) {
    const auto f = ParseFields<2>(value ? std::string_view(*value) : "0,0");
    return Point{f[0], f[1]};
}

Rect ParseRect(const std::string* value) {
    const auto f = ParseFields<4>(value ? std::string_view(*value) : "0,0,0,0");
    return Rect{f[0], f[1], f[2], f[3]};
}

FontStyles ParseFontStyles(const std::string* value) {
    FontStyles s = 0;
    if (!value) return s;
    for (size_t i = 0; i < kStyles.size(); ++i)
        if (value->find(kStyles[i]) != std::string::npos) s |= FontStyles(1u << i);
    return s;
}

StretchMode ParseStretchMode(const std::string* value) {
    if (!value || *value == "stfull") return stFull;
    return *value == "stvert" ? stVert : stHorz;
}

InactiveEffect ParseInactiveEffect(const std::string* value) {
    return Keyword(value, "iebrightness", kEffects, ieGrayScale);
}

MorphMode ParseMorphMode(const std::string* value) { return Keyword(value, "mkdefault", kMorph, mkDefault); }

TextAlign ParseTextAlign(const std::string* value) {
    if (!value) return taCenter;
    return *value == "taleftjustify" ? taLeftJustify : *value == "tacenter" ? taCenter : taRightJustify;
}

ButtonCommand ParseCommand(const std::string* value) {
    // Only the first six keywords are read; anything else, "cmminimizetotray" included, is 6.
    const std::string_view v = value ? std::string_view(*value) : "cmdefault";
    for (size_t i = 0; i < 6; ++i)
        if (v == kCommands[i]) return ButtonCommand(i);
    return cmMinimizeToTray;
}

bool ReadBoolean(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseBoolean(d.FindValue(section, key));
}
Point ReadPoint(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParsePoint(d.FindValue(section, key));
}
Rect ReadRect(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseRect(d.FindValue(section, key));
}
FontStyles ReadFontStyles(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseFontStyles(d.FindValue(section, key));
}
StretchMode ReadStretchMode(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseStretchMode(d.FindValue(section, key));
}
InactiveEffect ReadInactiveEffect(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseInactiveEffect(d.FindValue(section, key));
}
MorphMode ReadMorphMode(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseMorphMode(d.FindValue(section, key));
}
TextAlign ReadTextAlign(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseTextAlign(d.FindValue(section, key));
}
ButtonCommand ReadCommand(const SkinDescription& d, std::string_view section, std::string_view key) {
    return ParseCommand(d.FindValue(section, key));
}

std::vector<int32_t> NumberedKeys(const SkinDescription& d, std::string_view section, int32_t limit) {
    std::vector<int32_t> numbers;
    const SkinDescription::Section* found = d.FindSection(section);
    if (!found) return numbers;
    for (const auto& [key, line] : found->keys) {
        // Only the canonical decimal spelling is what IntToStr(i) looks up.
        if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) continue;
        int64_t n = 0;
        bool digits = true;
        for (char c : key) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            n = n * 10 + (c - '0');
        }
        if (digits && n < limit) numbers.push_back(int32_t(n));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void ReadStringList(const SkinDescription& d, std::string_view section, std::string_view key, TextLines& list) {
    const int32_t n = std::min(d.ReadInteger(section, std::string(key) + "count", 0), kMaxListEntries);
    if (n <= 0) return;
    // Only the keys that are there are looked up; the others are the empty entries between.
    const size_t base = list.size();
    list.resize(base + size_t(n));
    for (const int32_t i : NumberedKeys(d, section, n))
        list[base + size_t(i)] = d.ReadString(section, std::to_string(i), "");
}

void WriteBoolean(SkinDescription& d, std::string_view section, std::string_view key, bool value) {
    d.WriteInteger(section, key, value ? 1 : 0);
}

void WritePoint(SkinDescription& d, std::string_view section, std::string_view key, Point value) {
    d.WriteString(section, key, std::to_string(value.X) + "," + std::to_string(value.Y));
}

void WriteRect(SkinDescription& d, std::string_view section, std::string_view key, const Rect& value) {
    d.WriteString(section, key,
                  std::to_string(value.Left) + "," + std::to_string(value.Top) + "," + std::to_string(value.Right) +
                      "," + std::to_string(value.Bottom));
}

void WriteFontStyles(SkinDescription& d, std::string_view section, std::string_view key, FontStyles value) {
    std::string text;
    for (size_t i = 0; i < kStyles.size(); ++i)
        if (value & (1u << i)) {
            if (!text.empty()) text += ",";
            text += kStyles[i];
        }
    d.WriteString(section, key, text);
}

void WriteStretchMode(SkinDescription& d, std::string_view section, std::string_view key, StretchMode value) {
    d.WriteString(section, key, kStretch[value <= stVert ? value : stHorz]);
}

void WriteInactiveEffect(SkinDescription& d, std::string_view section, std::string_view key, InactiveEffect value) {
    d.WriteString(section, key, kEffects[value <= ieInvert ? value : ieGrayScale]);
}

void WriteMorphMode(SkinDescription& d, std::string_view section, std::string_view key, MorphMode value) {
    d.WriteString(section, key, kMorph[value <= mkPush ? value : mkDefault]);
}

void WriteTextAlign(SkinDescription& d, std::string_view section, std::string_view key, TextAlign value) {
    d.WriteString(section, key,
                  value == taCenter        ? "tacenter"
                  : value == taLeftJustify ? "taleftjustify"
                                           : "tarightjustify");
}

void WriteCommand(SkinDescription& d, std::string_view section, std::string_view key, ButtonCommand value) {
    d.WriteString(section, key, kCommands[value <= cmMinimizeToTray ? value : cmMinimizeToTray]);
}

void WriteStringList(SkinDescription& d, std::string_view section, std::string_view key, const TextLines& list) {
    d.WriteInteger(section, std::string(key) + "count", int32_t(list.size()));
    for (size_t i = 0; i < list.size(); ++i) d.WriteString(section, std::to_string(i), list[i]);
}

}  // namespace tolvar
