#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"
#include "base/Text.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

// The value kinds of the skin description, read and written by their rules. Readers never
// fail except ReadPoint and ReadRect, which raise EConvertError "'%s' is not a valid integer
// value" for a missing, digitless or too large field.

// True only when the value reads as the integer 1.
bool ReadBoolean(const SkinDescription& d, std::string_view section, std::string_view key);
// Digits are kept, commas end fields, everything else is skipped: "-5, 7" is (5,7). Fields
// past the second (fourth) are ignored.
Point ReadPoint(const SkinDescription& d, std::string_view section, std::string_view key);
Rect ReadRect(const SkinDescription& d, std::string_view section, std::string_view key);
// Every style whose keyword occurs anywhere in the value.
FontStyles ReadFontStyles(const SkinDescription& d, std::string_view section, std::string_view key);
StretchMode ReadStretchMode(const SkinDescription& d, std::string_view section, std::string_view key);
InactiveEffect ReadInactiveEffect(const SkinDescription& d, std::string_view section, std::string_view key);
MorphMode ReadMorphMode(const SkinDescription& d, std::string_view section, std::string_view key);
TextAlign ReadTextAlign(const SkinDescription& d, std::string_view section, std::string_view key);
ButtonCommand ReadCommand(const SkinDescription& d, std::string_view section, std::string_view key);
// K + "count" gives n; the keys 0 .. n-1 give the entries, absent ones empty. A list holds at
// most kMaxListEntries entries (a skin has a few), so that an absurd count or key cannot fill
// the memory; keys at or past it are not read.
constexpr int32_t kMaxListEntries = 4096;
void ReadStringList(const SkinDescription& d, std::string_view section, std::string_view key, TextLines& list);

// The same rules on a value already looked up; none stands for an absent key.
bool ParseBoolean(const std::string* value);
int32_t ParseInteger(const std::string* value, int32_t def);
Point ParsePoint(const std::string* value);
Rect ParseRect(const std::string* value);
FontStyles ParseFontStyles(const std::string* value);
StretchMode ParseStretchMode(const std::string* value);
InactiveEffect ParseInactiveEffect(const std::string* value);
MorphMode ParseMorphMode(const std::string* value);
TextAlign ParseTextAlign(const std::string* value);
ButtonCommand ParseCommand(const std::string* value);

// The numbers n below `limit` whose key written in decimal is present, in ascending order.
std::vector<int32_t> NumberedKeys(const SkinDescription& d, std::string_view section, int32_t limit);

// The written forms.
void WriteBoolean(SkinDescription& d, std::string_view section, std::string_view key, bool value);
void WritePoint(SkinDescription& d, std::string_view section, std::string_view key, Point value);
void WriteRect(SkinDescription& d, std::string_view section, std::string_view key, const Rect& value);
void WriteFontStyles(SkinDescription& d, std::string_view section, std::string_view key, FontStyles value);
void WriteStretchMode(SkinDescription& d, std::string_view section, std::string_view key, StretchMode value);
void WriteInactiveEffect(SkinDescription& d, std::string_view section, std::string_view key, InactiveEffect value);
void WriteMorphMode(SkinDescription& d, std::string_view section, std::string_view key, MorphMode value);
void WriteTextAlign(SkinDescription& d, std::string_view section, std::string_view key, TextAlign value);
void WriteCommand(SkinDescription& d, std::string_view section, std::string_view key, ButtonCommand value);
void WriteStringList(SkinDescription& d, std::string_view section, std::string_view key, const TextLines& list);

}  // namespace tolvar
