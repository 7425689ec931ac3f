#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "feed/FeedKey.h"
#include "feed/Manifest.h"
#include "feed/win/BackgroundSha256.h"
#include "feed/win/FeedVerifier.h"
#include "feed/win/Sha256.h"
#include "http/ProxyChoice.h"

namespace tolvar {

// The hash of a body as it streams in, against what the vendor signed for it.
class TBodyCheck {
public:
    TBodyCheck() = default;  // passes every body: a build without a key
    // Passes only a body of that hash; given none, no body at all (a file nobody signed).
    explicit TBodyCheck(const std::optional<Sha256Digest>& expected);
    ~TBodyCheck();
    TBodyCheck(TBodyCheck&&) noexcept;

    void Update(const void* data, size_t size);
    bool Matches();  // once, after the last Update

private:
    bool checks_ = false;
    std::optional<Sha256Digest> expected_;
    std::unique_ptr<TBackgroundSha256> hash_;
};

// The two folders a manifest vouches for, each for its own files only: the upgrade list's
// manifest for the list and the files it lists, the company folder's for the company files. A
// list that names a company file (its stop flag, say) does not make that file count as the
// company's.
enum class TFeedFolder { List, Company };

// What the vendor signed, as far as the pass has read it. A build that carries the vendor's
// public key reads the upgrade list and the company folder only through their manifests and
// uses a file only when its hash is the signed one. A build without a key trusts the server as
// it always has: it fetches no manifest, and everything passes.
//
// Files are known by their URLs (the update server root and the path a manifest names).
class TSignedFeed {
public:
    // The PEM text of the vendor's public key, or none. A key that cannot be read makes a
    // build that verifies nothing, never one that trusts everything.
    void SetKey(const std::optional<std::string>& pem);
    bool Keyed() const { return keyed_; }
    // Whether a program whose FEEDKEY resource is `pem` (none: it has no key) carries the very
    // key this build has, so that it goes on using only what the vendor signed.
    bool SameKey(const std::optional<std::string>& pem) const;
    // The clock a manifest's expiry is read against: the system's; tests may move it.
    void SetClock(std::function<ManifestTime()> clock) { clock_ = std::move(clock); }

    // Fetches the list's manifest from the server `root` and checks its signature and expiry;
    // false when it is missing, unreadable, expired or not the vendor's. Without a key: true,
    // and nothing fetched. Manifests are fetched through the pass's proxies, as everything is.
    bool LoadListManifest(const std::string& root, TProxyChooser& proxy);
    // Takes the fetched list when its hash is the signed one and the manifest names the list
    // and exactly the files it lists; its files are then the ones downloads may write.
    bool AcceptList(const std::string& root, std::string_view listText);
    // Fetches and checks the company folder's manifest (`folderUrl` below `root`). One that
    // fails leaves nothing of the folder usable.
    void LoadCompanyManifest(const std::string& root, const std::string& folderUrl, TProxyChooser& proxy);

    // The hash the folder's manifest gives the file, or none when it names no such file.
    std::optional<Sha256Digest> SignedHash(TFeedFolder folder, const std::string& url) const;
    // Whether the file may be fetched at all: the vendor signed it (always, without a key).
    bool Covers(TFeedFolder folder, const std::string& url) const;
    // Whether a body fetched whole is the signed one.
    bool Matches(TFeedFolder folder, const std::string& url, std::string_view body) const;
    // The check of a body that streams in.
    TBodyCheck BodyCheckFor(TFeedFolder folder, const std::string& url) const;

private:
    std::optional<TManifest> FetchManifest(const std::string& url, TProxyChooser& proxy) const;
    void Add(TFeedFolder folder, const std::string& root, const TManifest& manifest);

    bool keyed_ = false;
    std::optional<EcPublicPoint> key_;  // none for a key that cannot be read
    std::function<ManifestTime()> clock_ = ManifestNow;
    std::unique_ptr<const TFeedVerifier> verifier_;  // null for a key that cannot be read
    std::optional<TManifest> listManifest_;          // read and verified, waiting for its list
    std::map<std::string, Sha256Digest> signed_[2];  // URL -> hash, by folder, of the manifests accepted
};

}  // namespace tolvar
