#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "Release.h"
#include "feedsign/FeedRoot.h"

namespace tolvar {

class TSigningKey;

// The key a root is signed with, and the time until which its manifests hold.
struct TRootSignature {
    const TSigningKey& Key;
    ManifestTime Expires;
};

struct TWrittenRoot {
    size_t Files = 0;
    uint64_t Bytes = 0;
    std::vector<TManifestPlan> Manifests;  // with a key: the manifests signed
};

// Writes the release as an update server root (the folder a server serves as "/"): each file
// to FTPHome + its server folder, the upgrade list to FTPHome/TolvarService/UpGradeList.txt,
// and, given a signature, the manifests as feedsign writes them. The root is made whole under a
// temporary name beside `root` and moved into place last; an existing `root` is replaced only
// then, and only when it is empty or an update root itself (nothing in it but FTPHome), so that
// a mistyped folder is never wiped. On any failure nothing of the new root is left.
TWrittenRoot WriteRoot(const TRelease& release, const std::filesystem::path& root, const TRootSignature* signature);

}  // namespace tolvar
