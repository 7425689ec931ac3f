#pragma once
// A release as the vendor lays it out: folders of program files, each with the server folder it
// is served from and the local folder it goes to on a workstation, and the list's housekeeping
// lines. Planning reads the folders and refuses whatever a workstation could not act on.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Exceptions.h"

namespace tolvar {

struct TFolderSpec {
    std::filesystem::path Source;
    std::string ServerPath;  // SPATH: "/TolvarService"
    std::string ClientPath;  // CPATH: "C:\Marvane\TolvarService"
};

struct TReleaseInput {
    std::vector<TFolderSpec> Folders;
    std::vector<std::string> MakeDirs;  // MKDIR arguments
    std::vector<std::string> Deletes;   // DFILE masks
};

struct TReleaseFile {
    std::string Name;
    std::filesystem::path Source;
    uint64_t Size = 0;
    std::string Date, Time;  // as the FILE line carries them
};

// One SPATH/CPATH pair and the files below it.
struct TListedFolder {
    std::string ServerPath, ClientPath;
    std::vector<TReleaseFile> Files;
};

struct TRelease {
    std::vector<std::string> MakeDirs, Deletes;
    std::vector<TListedFolder> Folders;
};

// Every reason a release is refused, one a line, each naming its file or argument.
class EReleaseRefused : public Exception {
public:
    explicit EReleaseRefused(std::vector<std::string> problems);
    std::vector<std::string> Problems;
};

// Reads the source folders: each folder's files in name order, then each of its sub-folders in
// name order as a pair of its own below the given paths. Raises EReleaseRefused with every
// problem found (nothing else is read from the disk here).
TRelease PlanRelease(const TReleaseInput& input);

// The upgrade list of a release: the MKDIR and DFILE lines, then per folder its SPATH, CPATH and
// FILE lines, each line ending in CR LF.
std::string UpgradeListText(const TRelease& release);

// The largest size a list may carry: the client counts sizes in 32 bits.
inline constexpr uint64_t kMaxListedSize = (uint64_t(1) << 31) - 1;

}  // namespace tolvar
