#pragma once
#include <string>
#include <string_view>

namespace tolvar {

// Base64 as the stored settings use it. Decoding reads whole groups of four characters only
// (one to three characters left at the end, such as a line break, are ignored); "=" stands for
// a missing value; a group gives three bytes, two when only its fourth character is "=", one
// when its third is; decoding goes on past a padded group. A character outside the alphabet
// counts as the value 0 and still takes its place in its group, so the group count depends on
// the text's length alone.
std::string Base64Decode(std::string_view text);

// Standard Base64 with "=" padding, on one line with no line break.
std::string Base64Encode(std::string_view data);

}  // namespace tolvar
