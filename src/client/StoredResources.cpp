#include "StoredResources.h"

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

std::string DecryptSettings(const std::string& cipherText) { return DecryptText(cipherText, SettingsKeyPhrase); }

}  // namespace tolvar
