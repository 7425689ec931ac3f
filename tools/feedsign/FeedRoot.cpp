#include "FeedRoot.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "base/Exceptions.h"
#include "base/ListLine.h"
#include "base/Text.h"
#include "feed/FeedScope.h"
#include "feed/Manifest.h"
#include "feedsign/SigningKey.h"

namespace tolvar {

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Exception("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path Below(const fs::path& root, std::string_view path) { return root / fs::path(path.substr(1)); }

void WriteManifest(const fs::path& file, const std::string& manifest) {
    const fs::path temporary = file.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(manifest.data(), std::streamsize(manifest.size()));
        if (!out.flush()) throw Exception("cannot write " + temporary.string());
    }
    fs::rename(temporary, file);
}

}  // namespace

fs::path FileOfPath(const fs::path& root, const std::string& path) {
    if (path.empty() || path[0] != '/') throw Exception("the path " + path + " does not start with /");
    for (size_t from = 1; from <= path.size();) {
        const size_t slash = std::min(path.find('/', from), path.size());
        const std::string_view part = std::string_view(path).substr(from, slash - from);
        if (part == "." || part == "..") throw Exception("the path " + path + " leaves its folder");
        from = slash + 1;
    }
    const fs::path file = Below(root, path);
    if (!fs::is_regular_file(file))
        throw Exception("the path " + path + " names no file of the root (" + file.string() + ")");
    return file;
}

std::vector<TManifestPlan> PlanManifests(const fs::path& root) {
    if (!fs::is_directory(root)) throw Exception(root.string() + " is not a folder");
    std::vector<TManifestPlan> plans;

    const fs::path list = Below(root, kUpgradeListFile);
    if (fs::is_regular_file(list)) {
        const std::string text = ReadFile(list);
        if (const size_t lines = LineCount(text); lines > kMaxUpgradeListLines)
            throw Exception("the list has " + std::to_string(lines) + " lines, more than the " +
                            std::to_string(kMaxUpgradeListLines) + " a client reads");
        const TListedPaths listed = ListedPaths(TextToLines(text));
        if (!listed.WithoutFolder.empty())
            throw Exception("the list names " + listed.WithoutFolder.front() +
                            " before any SPATH line: no client can fetch it");
        TManifestPlan plan{Below(root, kListManifestFile), {{std::string(kUpgradeListFile), list}}};
        for (const std::string& path : listed.Paths) plan.Files.push_back({path, FileOfPath(root, path)});
        plans.push_back(std::move(plan));
    }

    const fs::path companies = Below(root, kCompanyFolders);
    if (fs::is_directory(companies)) {
        std::vector<fs::path> folders;
        for (const fs::directory_entry& entry : fs::directory_iterator(companies))
            if (entry.is_directory()) folders.push_back(entry.path());
        std::sort(folders.begin(), folders.end());
        for (const fs::path& folder : folders) {
            TManifestPlan plan{folder / std::string(kCompanyManifestName), {}};
            for (std::string_view name : kCompanyFiles) {
                const fs::path file = folder / std::string(name);
                if (fs::is_regular_file(file))
                    plan.Files.push_back(
                        {std::string(kCompanyFolders) + folder.filename().string() + "/" + std::string(name), file});
            }
            plans.push_back(std::move(plan));
        }
    }
    if (plans.empty())
        throw Exception("nothing to sign in " + root.string() + ": no " + std::string(kUpgradeListFile.substr(1)) +
                        " and no company folder");
    return plans;
}

std::vector<TManifestPlan> SignRoot(const TSigningKey& key, const fs::path& root, ManifestTime expires) {
    std::vector<std::pair<TManifestPlan, std::string>> manifests;
    for (TManifestPlan& plan : PlanManifests(root)) {
        std::vector<TManifestEntry> entries;
        for (const TManifestPlan::File& file : plan.Files) entries.push_back({Sha256OfFile(file.Local), file.Path});
        manifests.emplace_back(std::move(plan), SignManifest(key, expires, entries));
    }
    std::vector<TManifestPlan> written;
    for (auto& [plan, manifest] : manifests) {
        WriteManifest(plan.ManifestFile, manifest);
        written.push_back(std::move(plan));
    }
    return written;
}

}  // namespace tolvar
