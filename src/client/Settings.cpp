// What travels inside the program: its skin, and what a deployment sets (the sealed company
// settings and the update server root URL, resources that the deployment stamper can replace).
#include "DownLoad.h"
#include "app/ResourceData.h"
#include "base/SettingsCipher.h"

namespace tolvar {

std::string StoredSkin() { return ReadResourceData("SKIN").value_or(std::string()); }

std::string StoredSettings() { return ReadResourceData(SettingsResourceName).value_or(std::string()); }

std::string StoredUpdateRoot() {
    // Built in when the resource is missing, so the program never reaches an unintended server.
    return ReadResourceData(UpdateRootResourceName).value_or(std::string(TOLVAR_UPDATE_ROOT));
}

std::string DecryptSettings(const std::string& cipherText) { return DecryptText(cipherText, SettingsKeyPhrase); }

}  // namespace tolvar
