#include "SignedFeed.h"

#include <set>
#include <utility>

#include "PumpingRequests.h"
#include "base/Text.h"
#include "feed/FeedKey.h"
#include "feed/FeedScope.h"

namespace tolvar {

TBodyCheck::TBodyCheck(const std::optional<Sha256Digest>& expected) : checks_(true), expected_(expected) {
    if (!expected_) return;
    try {
        hash_ = std::make_unique<TBackgroundSha256>();
    } catch (const std::exception&) {
        // A system that cannot hash passes no signed body: the download fails as unverified.
    }
}

TBodyCheck::~TBodyCheck() = default;
TBodyCheck::TBodyCheck(TBodyCheck&&) noexcept = default;

void TBodyCheck::Update(const void* data, size_t size) {
    if (hash_) hash_->Update(data, size);
}

bool TBodyCheck::Matches() {
    if (!checks_) return true;
    if (!expected_ || !hash_) return false;
    const std::optional<Sha256Digest> digest = hash_->Final();
    return digest && *digest == *expected_;
}

void TSignedFeed::SetKey(const std::optional<std::string>& pem) {
    keyed_ = pem.has_value();
    key_.reset();
    verifier_.reset();
    listManifest_.reset();
    for (auto& files : signed_) files.clear();
    if (!pem) return;
    try {
        key_ = ReadFeedPublicKey(*pem);
        verifier_ = std::make_unique<TFeedVerifier>(*key_);
    } catch (const EFeedKeyError&) {
    }
}

bool TSignedFeed::SameKey(const std::optional<std::string>& pem) const {
    if (!key_ || !pem) return false;
    try {
        return ReadFeedPublicKey(*pem) == *key_;
    } catch (const EFeedKeyError&) {
        return false;
    }
}

std::optional<TManifest> TSignedFeed::FetchManifest(const std::string& url, TProxyChooser& proxy) const {
    if (!verifier_) return std::nullopt;
    try {
        return verifier_->VerifiedManifest(FetchTextPumping(url, proxy), clock_());
    } catch (const std::exception&) {
        return std::nullopt;  // unreachable, or missing: the same as unsigned
    }
}

void TSignedFeed::Add(TFeedFolder folder, const std::string& root, const TManifest& manifest) {
    for (const TManifestEntry& entry : manifest.Entries) signed_[size_t(folder)][root + entry.Path] = entry.Hash;
}

bool TSignedFeed::LoadListManifest(const std::string& root, TProxyChooser& proxy) {
    if (!keyed_) return true;
    listManifest_ = FetchManifest(root + std::string(kListManifestFile), proxy);
    return listManifest_.has_value();
}

bool TSignedFeed::AcceptList(const std::string& root, std::string_view listText) {
    if (!keyed_) return true;
    if (!listManifest_) return false;
    const TManifest manifest = *std::exchange(listManifest_, std::nullopt);
    std::set<std::string> named;
    const TManifestEntry* list = nullptr;
    for (const TManifestEntry& entry : manifest.Entries) {
        named.insert(entry.Path);
        if (entry.Path == kUpgradeListFile) list = &entry;
    }
    // A manifest that names more or less than the list does is not this list's.
    if (!list || list->Hash != Sha256Of(listText) || named != ListManifestScope(TextToLines(listText))) return false;
    Add(TFeedFolder::List, root, manifest);
    return true;
}

void TSignedFeed::LoadCompanyManifest(const std::string& root, const std::string& folderUrl, TProxyChooser& proxy) {
    if (!keyed_ || !folderUrl.starts_with(root)) return;
    const std::optional<TManifest> manifest = FetchManifest(folderUrl + "/" + std::string(kCompanyManifestName), proxy);
    if (!manifest) return;
    // Only this folder's own files: a manifest copied from another company's folder names that
    // company's paths.
    const std::set<std::string> scope = CompanyManifestScope(std::string_view(folderUrl).substr(root.size()));
    for (const TManifestEntry& entry : manifest->Entries)
        if (!scope.contains(entry.Path)) return;
    Add(TFeedFolder::Company, root, *manifest);
}

std::optional<Sha256Digest> TSignedFeed::SignedHash(TFeedFolder folder, const std::string& url) const {
    const auto& files = signed_[size_t(folder)];
    const auto found = files.find(url);
    if (found == files.end()) return std::nullopt;
    return found->second;
}

bool TSignedFeed::Covers(TFeedFolder folder, const std::string& url) const {
    return !keyed_ || SignedHash(folder, url).has_value();
}

bool TSignedFeed::Matches(TFeedFolder folder, const std::string& url, std::string_view body) const {
    if (!keyed_) return true;
    const std::optional<Sha256Digest> hash = SignedHash(folder, url);
    return hash && *hash == Sha256Of(body);
}

TBodyCheck TSignedFeed::BodyCheckFor(TFeedFolder folder, const std::string& url) const {
    if (!keyed_) return TBodyCheck();
    return TBodyCheck(SignedHash(folder, url));
}

}  // namespace tolvar
