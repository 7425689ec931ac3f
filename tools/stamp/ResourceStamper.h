#pragma once
#include <optional>
#include <string>

namespace tolvar {

struct StampResult {
    std::string SealedSettings;
    std::optional<std::string> UpdateRoot;
};

// Writes a copy of `input` to `output` that carries `sealedSettings` as the SETTINGS resource
// and, when given, `updateRoot` as UPDATEROOT and `feedKey` (the PEM text of the vendor's public
// key) as FEEDKEY, all RCDATA and language neutral; the program's
// other resources stay. The copy is made and checked under a temporary name beside `output` and
// moved into place only when complete, so a failure (an Exception saying why) leaves no
// `output` and no temporary file behind, and an existing `output` untouched.
void StampResources(const std::string& input, const std::string& output, const std::string& sealedSettings,
                    const std::optional<std::string>& updateRoot, const std::optional<std::string>& feedKey);

}  // namespace tolvar
