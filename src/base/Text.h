#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tolvar {

// All text of the program is 8-bit, in the system code page: a counted byte string that may
// hold any byte. std::string is that string; these are the operations the program needs on it.
using TextLines = std::vector<std::string>;

// Blanks are every byte up to and including the space (control characters count as blanks).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

std::string UpperCaseAscii(std::string_view s);
std::string LowerCaseAscii(std::string_view s);
bool SameTextAscii(std::string_view a, std::string_view b);

// Splits a text into lines at CR LF, at a lone CR and at a lone LF. Empty lines inside stay
// lines, a final line without a line end is a line, a text that ends with a line end has no
// empty last line, and a NUL byte ends the text.
TextLines TextToLines(std::string_view text);
// How many lines TextToLines makes of the text, without making them.
size_t LineCount(std::string_view text);

// Each line followed by CR LF.
std::string LinesToText(const TextLines& lines);

// Name=Value lookup: the first line whose text before its first "=" equals `name` without
// regard to ASCII case gives the rest of that line after the "=", unchanged; a name that no
// line carries gives the empty value.
std::string ValueOf(const TextLines& lines, std::string_view name);
// The index of that line, or -1.
int IndexOfName(const TextLines& lines, std::string_view name);

}  // namespace tolvar
