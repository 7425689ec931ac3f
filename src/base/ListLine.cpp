#include "ListLine.h"

#include "Text.h"

namespace tolvar {

namespace {

// The text before the first space, trimmed, and the rest after that space; with no space, the
// empty text and the rest unchanged.
std::string CutField(std::string_view& rest) {
    const size_t space = rest.find(' ');
    if (space == std::string_view::npos) return {};
    std::string field = Trim(rest.substr(0, space));
    rest.remove_prefix(space + 1);
    return field;
}

}  // namespace

TListLine SplitListLine(std::string_view line) {
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) return {};
    return {UpperCaseAscii(line.substr(0, space)), std::string(line.substr(space + 1))};
}

TFileFields SplitFileFields(std::string_view argument) {
    TFileFields f;
    f.FileName = CutField(argument);
    f.Size = CutField(argument);
    f.Date = CutField(argument);
    f.Time = std::string(argument);
    return f;
}

std::string ServerFolderOf(std::string_view spathArgument) {
    std::string folder = "/FTPHome" + std::string(spathArgument);
    if (spathArgument.empty() || spathArgument.back() != '/') folder += '/';
    return folder;
}

}  // namespace tolvar
