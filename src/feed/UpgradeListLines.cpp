#include "UpgradeListLines.h"

#include <string_view>

#include "base/Text.h"

namespace tolvar {

namespace {

// The text before the first space, trimmed, and the rest after that space; with no space,
// the empty text and the rest unchanged.
std::string CutField(std::string& rest) {
    const size_t space = rest.find(' ');
    if (space == std::string::npos) return {};
    std::string field = Trim(std::string_view(rest).substr(0, space));
    rest.erase(0, space + 1);
    return field;
}

}  // namespace

TListLine SplitListLine(const std::string& line) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) return {};
    return {UpperCaseAscii(line.substr(0, space)), line.substr(space + 1)};
}

TListedFile SplitFileArgument(std::string argument) {
    TListedFile file;
    file.FileName = CutField(argument);
    file.Size = CutField(argument);
    file.Date = CutField(argument);
    file.Time = std::move(argument);
    return file;
}

std::string ServerFolderOf(const std::string& spathArgument) {
    std::string folder = "/FTPHome" + spathArgument;
    if (spathArgument.empty() || spathArgument.back() != '/') folder += '/';
    return folder;
}

}  // namespace tolvar
