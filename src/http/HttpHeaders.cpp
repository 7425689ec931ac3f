#include "http/HttpHeaders.h"

#include "base/Text.h"

namespace tolvar {

void THTTPHeaders::AddLine(std::string_view line) {
    if (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        // A continuation without a header above it has nothing to continue.
        if (entries_.empty()) return;
        // Appended in place: a value folded over many lines is not copied again for each one.
        // Values are kept trimmed, so one blank between the parts is all the joining needs.
        std::string& value = entries_.back().second;
        const std::string part = Trim(line);
        if (part.empty()) return;
        if (!value.empty()) value += ' ';
        value += part;
        return;
    }
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    entries_.emplace_back(std::string(line.substr(0, colon)), Trim(line.substr(colon + 1)));
}

std::optional<std::string> THTTPHeaders::Value(std::string_view name) const {
    for (const auto& [entryName, value] : entries_)
        if (SameTextAscii(entryName, name)) return value;
    return std::nullopt;
}

}  // namespace tolvar
