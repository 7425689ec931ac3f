#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvar {

// The header lines of one response, in arrival order. A name may occur more than once; the
// first occurrence is the one that counts.
class THTTPHeaders {
public:
    // One header line: "Name: value", or a continuation (it begins with a space or a tab)
    // that is joined to the header above with one space.
    void AddLine(std::string_view line);
    void Clear() { entries_.clear(); }

    // The value of the first header of that name (ASCII case ignored), blanks trimmed.
    std::optional<std::string> Value(std::string_view name) const;
    bool Has(std::string_view name) const { return Value(name).has_value(); }

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace tolvar
