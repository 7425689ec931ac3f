#pragma once
#include <optional>
#include <string>

namespace tolvar {

// What travels inside the program: its skin, and what a deployment sets (the sealed company
// settings, the update server root URL and the vendor's public key, resources that the
// deployment stamper can replace).

std::string StoredSkin();
std::string StoredSettings();
std::string StoredUpdateRoot();
// The vendor's public key a company build carries (its FEEDKEY resource), or none.
std::optional<std::string> StoredFeedKey();
// The FEEDKEY resource of another program, read from its file as data without running it;
// none when it has none or is no program.
std::optional<std::string> FeedKeyOf(const std::string& program);

// The settings text sealed in the stored ciphertext.
std::string DecryptSettings(const std::string& cipherText);

}  // namespace tolvar
