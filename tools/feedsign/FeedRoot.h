#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "feed/Manifest.h"

namespace tolvar {

class TSigningKey;

// One manifest to write into a server root: its file, and the files it names, each by the path
// the client requests it by and by where it lies in the root.
struct TManifestPlan {
    struct File {
        std::string Path;  // "/FTPHome/TolvarService/a.dll"
        std::filesystem::path Local;
    };
    std::filesystem::path ManifestFile;
    std::vector<File> Files;
};

// The manifests of a server root (the folder the update server serves as "/"): the upgrade
// list's, naming the list and every file it lists, when the root has a list; and one for each
// company folder, naming those of its files the client reads. A list that names a file the
// root does not hold, or one the client could not fetch, raises an Exception saying which:
// a signed list must not promise what no client can get.
std::vector<TManifestPlan> PlanManifests(const std::filesystem::path& root);

// The file of the root that a requested path names; raises for a path that could leave the
// root ("." or ".." as a part) or names no file.
std::filesystem::path FileOfPath(const std::filesystem::path& root, const std::string& path);

// Signs the root with the key: every manifest of PlanManifests, each holding until `expires`.
// All are made before the first is written, so that a root that cannot be signed whole keeps
// the manifests it had; each is written under a temporary name and renamed into place, so that
// a server never serves half a manifest. Returns the manifests written.
std::vector<TManifestPlan> SignRoot(const TSigningKey& key, const std::filesystem::path& root, ManifestTime expires);

}  // namespace tolvar
