#include "Release.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "ListRules.h"
#include "base/ListLine.h"
#include "base/Text.h"
#include "feed/FeedScope.h"

namespace tolvar {

namespace fs = std::filesystem;

namespace {

// A release tree deeper than this is taken for a folder link that loops.
constexpr int kMaxDepth = 32;

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

std::string JoinServer(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}
std::string JoinLocal(const std::string& folder, const std::string& name) { return WithBackslash(folder) + name; }

// Without the final separator, but a root stays a root.
std::string WithoutFinal(std::string path, char separator, size_t rootLength) {
    if (path.size() > rootLength && path.back() == separator) path.pop_back();
    return path;
}

class Planner {
public:
    explicit Planner(const TReleaseInput& input) : input_(input) {}

    TRelease Plan() {
        for (const std::string& dir : input_.MakeDirs) {
            if (const std::string problem = LocalPathProblem(dir); !problem.empty())
                Refuse("--mkdir " + dir + ": " + problem);
            // MKDIR makes the folders along the path up to its last "\": with it, the last one too.
            else release_.MakeDirs.push_back(WithBackslash(dir));
        }
        for (const std::string& mask : input_.Deletes) {
            if (const std::string problem = MaskProblem(mask); !problem.empty())
                Refuse("--delete " + mask + ": " + problem);
            else release_.Deletes.push_back(mask);
        }
        if (input_.Folders.empty()) Refuse("no --folder SOURCE SPATH CPATH given: a release lists at least one folder");
        for (const TFolderSpec& folder : input_.Folders) PlanFolder(folder);
        for (const std::string& mask : release_.Deletes)
            for (const auto& [key, file] : localFiles_)
                if (MaskMatches(mask, file.Local))
                    Refuse("--delete " + mask + " matches the listed file " + file.Local + " (" + file.Source +
                           "): every start would delete it and fetch it again");
        if (!problems_.empty()) throw EReleaseRefused(std::move(problems_));
        return std::move(release_);
    }

private:
    struct Placed {
        std::string Local, Source;
    };

    void Refuse(std::string problem) { problems_.push_back(std::move(problem)); }

    void PlanFolder(const TFolderSpec& folder) {
        const std::string what =
            "--folder " + folder.Source.string() + " " + folder.ServerPath + " " + folder.ClientPath;
        bool usable = true;
        if (const std::string problem = ServerPathProblem(folder.ServerPath); !problem.empty()) {
            Refuse(what + ": SPATH " + folder.ServerPath + ": " + problem);
            usable = false;
        }
        if (const std::string problem = LocalPathProblem(folder.ClientPath); !problem.empty()) {
            Refuse(what + ": CPATH " + folder.ClientPath + ": " + problem);
            usable = false;
        }
        std::error_code error;
        if (!fs::exists(folder.Source, error)) {
            Refuse(Quoted(folder.Source) + ": no such folder");
            return;
        }
        if (!fs::is_directory(folder.Source, error)) {
            Refuse(Quoted(folder.Source) + ": not a folder");
            return;
        }
        if (!usable) return;
        const size_t before = fileCount_;
        Walk(folder.Source, WithoutFinal(folder.ServerPath, '/', 1), WithoutFinal(folder.ClientPath, '\\', 3), 0);
        if (fileCount_ == before) Refuse(Quoted(folder.Source) + ": the folder holds no files");
    }

    void Walk(const fs::path& source, const std::string& serverPath, const std::string& clientPath, int depth) {
        if (depth > kMaxDepth) {
            Refuse(Quoted(source) + ": folders nested deeper than " + std::to_string(kMaxDepth) +
                   " (a folder link that loops?)");
            return;
        }
        std::vector<fs::path> files, folders;
        std::error_code error;
        for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
            std::error_code kind;
            if (it->is_directory(kind)) folders.push_back(it->path());
            else files.push_back(it->path());
        }
        if (error) {
            Refuse(Quoted(source) + ": cannot be read: " + error.message());
            return;
        }
        std::sort(files.begin(), files.end());
        std::sort(folders.begin(), folders.end());

        TListedFolder listed{serverPath, clientPath, {}};
        for (const fs::path& file : files)
            if (std::optional<TReleaseFile> planned = PlanFile(file, serverPath, clientPath))
                listed.Files.push_back(std::move(*planned));
        if (!listed.Files.empty()) release_.Folders.push_back(std::move(listed));

        for (const fs::path& folder : folders) {
            const std::string name = folder.filename().string();
            if (const std::string problem = FileNameProblem(name, true); !problem.empty()) {
                Refuse(Quoted(folder) + ": the folder's name has " + problem);
                continue;
            }
            Walk(folder, JoinServer(serverPath, name), JoinLocal(clientPath, name), depth + 1);
        }
    }

    std::optional<TReleaseFile> PlanFile(const fs::path& file, const std::string& serverPath,
                                         const std::string& clientPath) {
        ++fileCount_;
        const std::string name = file.filename().string();
        bool usable = true;
        if (const std::string problem = FileNameProblem(name, true); !problem.empty()) {
            Refuse(Quoted(file) + ": the name has " + problem);
            usable = false;
        }
        struct stat info {};
        if (::stat(file.c_str(), &info) != 0) {
            Refuse(Quoted(file) + ": " + std::strerror(errno));
            return std::nullopt;
        }
        if (!S_ISREG(info.st_mode)) {
            Refuse(Quoted(file) + ": not a regular file");
            return std::nullopt;
        }
        if (uint64_t(info.st_size) > kMaxListedSize) {
            Refuse(Quoted(file) + ": " + std::to_string(info.st_size) +
                   " bytes, 2 GiB or more: the client counts sizes in 32 bits");
            usable = false;
        }
        const std::optional<TListedTime> listed = ListedTimeOf(int64_t(info.st_mtim.tv_sec));
        if (!listed) {
            Refuse(Quoted(file) +
                   ": its modification time lies before 1980 or after 2107, which no file time of a "
                   "workstation can hold: give it a current one (touch " +
                   Quoted(file) + ")");
            usable = false;
        }
        if (!usable) return std::nullopt;

        const std::string local = JoinLocal(clientPath, name);
        if (local.size() > kMaxLocalPath)
            Refuse(Quoted(file) + ": goes to " + local + ", longer than the " + std::to_string(kMaxLocalPath) +
                   " characters Windows opens");
        const Placed placed{local, Quoted(file)};
        const auto [at, added] = localFiles_.emplace(LocalKey(local), placed);
        if (!added) {
            Refuse(at->second.Source + " and " + placed.Source + " both go to " + local +
                   (at->second.Local == local ? std::string(": one local file cannot be two")
                                              : " and " + at->second.Local +
                                                    ": names that differ only in case are one file on a workstation"));
            return std::nullopt;
        }
        const std::string served = ServerFolderOf(serverPath) + name;
        const std::string servedKey = UpperCaseAscii(served);
        if (servedKey == UpperCaseAscii(kUpgradeListFile) || servedKey == UpperCaseAscii(kListManifestFile))
            Refuse(Quoted(file) + ": would be served as " + served + ", the upgrade list's own place");
        else if (const auto [other, fresh] = servedFiles_.emplace(servedKey, placed);
                 !fresh && other->second.Source != placed.Source)
            Refuse(other->second.Source + " and " + placed.Source + " would both be served as " + served);
        return TReleaseFile{name, file, uint64_t(info.st_size), listed->Date, listed->Time};
    }

    const TReleaseInput& input_;
    TRelease release_;
    std::vector<std::string> problems_;
    std::map<std::string, Placed> localFiles_, servedFiles_;
    size_t fileCount_ = 0;
};

}  // namespace

EReleaseRefused::EReleaseRefused(std::vector<std::string> problems)
    : Exception(problems.empty() ? std::string("refused") : problems.front()), Problems(std::move(problems)) {}

TRelease PlanRelease(const TReleaseInput& input) { return Planner(input).Plan(); }

std::string UpgradeListText(const TRelease& release) {
    TextLines lines;
    for (const std::string& dir : release.MakeDirs) lines.push_back("MKDIR " + dir);
    for (const std::string& mask : release.Deletes) lines.push_back("DFILE " + mask);
    for (const TListedFolder& folder : release.Folders) {
        lines.push_back("SPATH " + folder.ServerPath);
        lines.push_back("CPATH " + folder.ClientPath);
        for (const TReleaseFile& file : folder.Files)
            lines.push_back("FILE " + file.Name + " " + std::to_string(file.Size) + " " + file.Date + " " + file.Time);
    }
    return LinesToText(lines);
}

}  // namespace tolvar
