#include "FeedScope.h"

#include "base/ListLine.h"

namespace tolvar {

TListedPaths ListedPaths(const TextLines& listLines) {
    TListedPaths listed;
    std::string folder;
    bool haveFolder = false;
    for (const std::string& line : listLines) {
        const TListLine split = SplitListLine(line);
        if (split.Command == "SPATH") {
            folder = ServerFolderOf(split.Argument);
            haveFolder = true;
        } else if (split.Command == "FILE") {
            const std::string name = SplitFileFields(split.Argument).FileName;
            if (haveFolder) listed.Paths.insert(folder + name);
            else listed.WithoutFolder.push_back(name);
        }
    }
    return listed;
}

std::set<std::string> ListManifestScope(const TextLines& listLines) {
    std::set<std::string> scope = ListedPaths(listLines).Paths;
    scope.emplace(kUpgradeListFile);
    return scope;
}

std::set<std::string> CompanyManifestScope(std::string_view folderPath) {
    std::set<std::string> scope;
    for (std::string_view name : kCompanyFiles) scope.insert(std::string(folderPath) + "/" + std::string(name));
    return scope;
}

}  // namespace tolvar
