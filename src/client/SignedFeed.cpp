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
    verifier_.reset();
    listManifest_.reset();
    signed_.clear();
    if (!pem) return;
    try {
        verifier_ = std::make_unique<TFeedVerifier>(ReadFeedPublicKey(*pem));
    } catch (const EFeedKeyError&) {
    }
}

std::optional<TManifest> TSignedFeed::FetchManifest(const std::string& url) const {
    if (!verifier_) return std::nullopt;
    try {
        return verifier_->VerifiedManifest(FetchTextPumping(url), clock_());
    } catch (const std::exception&) {
        return std::nullopt;  // unreachable, or missing: the same as unsigned
    }
}

void TSignedFeed::Add(const std::string& root, const TManifest& manifest) {
    for (const TManifestEntry& entry : manifest.Entries) signed_[root + entry.Path] = entry.Hash;
}

bool TSignedFeed::LoadListManifest(const std::string& root) {
    if (!keyed_) return true;
    listManifest_ = FetchManifest(root + std::string(kListManifestFile));
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
    Add(root, manifest);
    return true;
}

void TSignedFeed::LoadCompanyManifest(const std::string& root, const std::string& folderUrl) {
    if (!keyed_ || !folderUrl.starts_with(root)) return;
    const std::optional<TManifest> manifest = FetchManifest(folderUrl + "/" + std::string(kCompanyManifestName));
    if (!manifest) return;
    // Only this folder's own files: a manifest copied from another company's folder names that
    // company's paths.
    const std::set<std::string> scope = CompanyManifestScope(std::string_view(folderUrl).substr(root.size()));
    for (const TManifestEntry& entry : manifest->Entries)
        if (!scope.contains(entry.Path)) return;
    Add(root, *manifest);
}

bool TSignedFeed::Covers(const std::string& url) const { return !keyed_ || signed_.contains(url); }

bool TSignedFeed::Matches(const std::string& url, std::string_view body) const {
    if (!keyed_) return true;
    const auto found = signed_.find(url);
    return found != signed_.end() && found->second == Sha256Of(body);
}

TBodyCheck TSignedFeed::BodyCheckFor(const std::string& url) const {
    if (!keyed_) return TBodyCheck();
    const auto found = signed_.find(url);
    return TBodyCheck(found == signed_.end() ? std::nullopt : std::optional(found->second));
}

}  // namespace tolvar
