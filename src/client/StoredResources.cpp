#include "StoredResources.h"

#include "app/Handles.h"
#include "app/ResourceData.h"
#include "base/SettingsCipher.h"
#include "feed/FeedKey.h"

namespace tolvar {

std::string StoredSkin() { return ReadResourceData("SKIN").value_or(std::string()); }

std::string StoredSettings() { return ReadResourceData(SettingsResourceName).value_or(std::string()); }

std::string StoredUpdateRoot() {
    // Built in when the resource is missing, so the program never reaches an unintended server.
    return ReadResourceData(UpdateRootResourceName).value_or(std::string(TOLVAR_UPDATE_ROOT));
}

// Written by the deployment stamper, or by a build made with a key.
std::optional<std::string> StoredFeedKey() { return ReadResourceData(FeedKeyResourceName); }

std::optional<std::string> FeedKeyOf(const std::string& program) {
    const UniqueModule module(
        LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) return std::nullopt;
    return ReadResourceData(FeedKeyResourceName, module.Get());
}

std::string DecryptSettings(const std::string& cipherText) { return DecryptText(cipherText, SettingsKeyPhrase); }

}  // namespace tolvar
