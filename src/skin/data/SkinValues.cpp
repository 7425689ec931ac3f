#include "SkinValues.h"

#include <algorithm>
#include <array>

#include "base/DateTime.h"
#include "base/Exceptions.h"

namespace tolvar {

namespace {

// Splits a point or rectangle value into exactly `n` numbers.
template <size_t N>
std::array<int32_t, N> ReadFields(const SkinDescription& d, std::string_view section, std::string_view key,
                                  std::string_view def) {
    const std::string value = d.ReadString(section, key, def);
    std::array<std::string, N> fields;
    size_t count = 0;
    std::string current;
    for (char c : value) {
        if (c == ',') {
            if (count < N) fields[count] = current;
            ++count;
            current.clear();
        } else if (c >= '0' && c <= '9') {
            current.push_back(c);
        }
    }
    if (count < N) fields[count] = current;
    ++count;
    std::array<int32_t, N> out{};
    for (size_t i = 0; i < N; ++i) out[i] = StrToInt(i < count ? fields[i] : std::string());
    return out;
}

template <class E, size_t N>
E Keyword(const SkinDescription& d, std::string_view section, std::string_view key, std::string_view def,
          const std::array<std::string_view, N>& names, E other) {
    const std::string v = d.ReadString(section, key, def);
    for (size_t i = 0; i < N; ++i)
        if (v == names[i]) return E(i);
    return other;
}

constexpr std::array<std::string_view, 3> kStretch = {"stfull", "sthorz", "stvert"};
constexpr std::array<std::string_view, 6> kEffects = {"iebrightness", "iedarkness", "iegrayscale",
                                                      "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<std::string_view, 7> kMorph = {"mkdefault",    "mkgradient",   "mkleftgradient", "mkrightgradient",
                                                    "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<std::string_view, 7> kCommands = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                                       "cmdefault", "cmrollup",   "cmminimizetotray"};
constexpr std::array<std::string_view, 4> kStyles = {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};

}  // namespace

bool ReadBoolean(const SkinDescription& d, std::string_view section, std::string_view key) {
    return d.ReadInteger(section, key, 0) == 1;
}

Point ReadPoint(const SkinDescription& d, std::string_view section, std::string_view key) {
    const auto f = ReadFields<2>(d, section, key, "0,0");
    return Point{f[0], f[1]};
}

Rect ReadRect(const SkinDescription& d, std::string_view section, std::string_view key) {
    const auto f = ReadFields<4>(d, section, key, "0,0,0,0");
    return Rect{f[0], f[1], f[2], f[3]};
}

FontStyles ReadFontStyles(const SkinDescription& d, std::string_view section, std::string_view key) {
    const std::string v = d.ReadString(section, key, "");
    FontStyles s = 0;
    for (size_t i = 0; i < kStyles.size(); ++i)
        if (v.find(kStyles[i]) != std::string::npos) s |= FontStyles(1u << i);
    return s;
}

StretchMode ReadStretchMode(const SkinDescription& d, std::string_view section, std::string_view key) {
    const std::string v = d.ReadString(section, key, "stfull");
    return v == "stfull" ? stFull : v == "stvert" ? stVert : stHorz;
}

InactiveEffect ReadInactiveEffect(const SkinDescription& d, std::string_view section, std::string_view key) {
    return Keyword(d, section, key, "iebrightness", kEffects, ieGrayScale);
}

MorphMode ReadMorphMode(const SkinDescription& d, std::string_view section, std::string_view key) {
    return Keyword(d, section, key, "mkdefault", kMorph, mkDefault);
}

TextAlign ReadTextAlign(const SkinDescription& d, std::string_view section, std::string_view key) {
    const std::string v = d.ReadString(section, key, "tacenter");
    return v == "taleftjustify" ? taLeftJustify : v == "tacenter" ? taCenter : taRightJustify;
}

ButtonCommand ReadCommand(const SkinDescription& d, std::string_view section, std::string_view key) {
    // Only the first six keywords are read; anything else, "cmminimizetotray" included, is 6.
    const std::string v = d.ReadString(section, key, "cmdefault");
    for (size_t i = 0; i < 6; ++i)
        if (v == kCommands[i]) return ButtonCommand(i);
    return cmMinimizeToTray;
}

int32_t LastNumberedKey(const SkinDescription& d, std::string_view section, int32_t limit) {
    const SkinDescription::Section* found = d.FindSection(section);
    if (!found) return -1;
    int32_t last = -1;
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
        if (digits && n < limit && n > last) last = int32_t(n);
    }
    return last;
}

void ReadStringList(const SkinDescription& d, std::string_view section, std::string_view key, TextLines& list) {
    const int32_t n = d.ReadInteger(section, std::string(key) + "count", 0);
    if (n <= 0) return;
    const int32_t last = LastNumberedKey(d, section, n);
    for (int32_t i = 0; i <= last; ++i) list.push_back(d.ReadString(section, std::to_string(i), ""));
    const int64_t trailing = std::min<int64_t>(int64_t(n) - 1 - last, kMaxTrailingListEntries);
    list.insert(list.end(), size_t(trailing), std::string());
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
    d.WriteString(section, key, value == taCenter ? "tacenter" : value == taLeftJustify ? "taleftjustify" : "tarightjustify");
}

void WriteCommand(SkinDescription& d, std::string_view section, std::string_view key, ButtonCommand value) {
    d.WriteString(section, key, kCommands[value <= cmMinimizeToTray ? value : cmMinimizeToTray]);
}

void WriteStringList(SkinDescription& d, std::string_view section, std::string_view key, const TextLines& list) {
    d.WriteInteger(section, std::string(key) + "count", int32_t(list.size()));
    for (size_t i = 0; i < list.size(); ++i) d.WriteString(section, std::to_string(i), list[i]);
}

}  // namespace tolvar
