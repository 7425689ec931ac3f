#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tolvar {

// The whole content of a file, byte for byte; an Exception naming the file and the reason when
// it cannot be read (missing, a folder, no permission).
std::string ReadWholeFile(const std::string& path, std::string_view what);

// A company's plain settings file. An empty one is refused: it would seal to nothing, and a
// resource of no bytes cannot be written.
std::string ReadSettingsFile(const std::string& path);

// The names of the Name=Value lines of a settings text, in order (lines without "=" skipped),
// for telling what was sealed without showing the values.
std::vector<std::string> SettingNames(std::string_view plainText);

}  // namespace tolvar
