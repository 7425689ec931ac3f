#include "RootWriter.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/Exceptions.h"
#include "base/ListLine.h"
#include "feed/FeedScope.h"
#include "feedsign/SigningKey.h"

namespace tolvar {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

[[noreturn]] void Fail(const std::string& what) { throw Exception(what + ": " + std::strerror(errno)); }

// A root under construction: removed again unless it was moved into place.
class TemporaryRoot {
public:
    explicit TemporaryRoot(const fs::path& root) {
        std::string pattern = (root.parent_path() / ("." + root.filename().string() + ".tolvarpub-XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) Fail("cannot make a folder beside " + Quoted(root));
        path_ = pattern;
        ::chmod(path_.c_str(), 0755);  // served to everyone, as any release folder
    }
    ~TemporaryRoot() {
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove_all(path_, ignored);
        }
    }
    TemporaryRoot(const TemporaryRoot&) = delete;
    TemporaryRoot& operator=(const TemporaryRoot&) = delete;

    // After a swap the temporary name holds the old root, which goes as the new one would have.
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// Copies the file and gives the copy the source's modification time, checking that the source
// stayed what was planned while it was copied: the list must describe the bytes served.
void CopyReleaseFile(const TReleaseFile& file, const fs::path& target) {
    fs::create_directories(target.parent_path());
    std::error_code error;
    if (!fs::copy_file(file.Source, target, fs::copy_options::overwrite_existing, error))
        throw Exception("cannot copy " + Quoted(file.Source) + " to " + Quoted(target) + ": " + error.message());
    struct stat source {
    }, copy{};
    if (::stat(file.Source.c_str(), &source) != 0) Fail("cannot read " + Quoted(file.Source));
    if (::stat(target.c_str(), &copy) != 0) Fail("cannot read " + Quoted(target));
    if (uint64_t(source.st_size) != file.Size || uint64_t(copy.st_size) != file.Size)
        throw Exception(Quoted(file.Source) + " changed while it was copied: publish again once it stays put");
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::utimensat(AT_FDCWD, target.c_str(), times, 0) != 0) Fail("cannot set the time of " + Quoted(target));
}

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    if (!out.flush()) throw Exception("cannot write " + Quoted(file));
}

// An existing root may be replaced when it holds nothing but what this tool writes.
void CheckReplaceable(const fs::path& root) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(root, error);
    if (!fs::exists(status)) return;
    if (!fs::is_directory(status))
        throw Exception(Quoted(root) + " exists and is not a folder: name a new folder or an earlier update root");
    for (const fs::directory_entry& entry : fs::directory_iterator(root))
        if (entry.path().filename() != "FTPHome")
            throw Exception(Quoted(root) + " exists and holds " + Quoted(entry.path().filename()) +
                            ", so it is no update root written by tolvarpub: name a new folder or an earlier root");
}

}  // namespace

TWrittenRoot WriteRoot(const TRelease& release, const fs::path& root, const TRootSignature* signature) {
    const fs::path target = fs::absolute(root).lexically_normal();
    if (target.filename().empty()) throw Exception("cannot write a root to " + Quoted(root));
    CheckReplaceable(target);
    fs::create_directories(target.parent_path());

    TemporaryRoot temporary(target);
    TWrittenRoot written;
    for (const TListedFolder& folder : release.Folders) {
        // The client asks for ServerFolderOf(SPATH) + name; the root holds it at the same path.
        const std::string served = ServerFolderOf(folder.ServerPath);
        for (const TReleaseFile& file : folder.Files) {
            CopyReleaseFile(file, temporary.Path() / (served.substr(1) + file.Name));
            ++written.Files;
            written.Bytes += file.Size;
        }
    }
    WriteText(temporary.Path() / std::string(kUpgradeListFile.substr(1)), UpgradeListText(release));
    if (signature) written.Manifests = SignRoot(signature->Key, temporary.Path(), signature->Expires);
    for (TManifestPlan& plan : written.Manifests)
        plan.ManifestFile = target / plan.ManifestFile.lexically_relative(temporary.Path());

    // Into place in one step: the new root and an old one trade places, or the new one takes a
    // free name; either way a server never sees half a root.
    if (fs::exists(fs::symlink_status(target))) {
        if (::renameat2(AT_FDCWD, temporary.Path().c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0)
            return written;
        if (errno != EINVAL && errno != ENOSYS) Fail("cannot put the new root in place of " + Quoted(target));
        // A file system that cannot swap two names: the old root steps aside for a moment.
        const fs::path aside = temporary.Path().string() + ".old";
        if (::rename(target.c_str(), aside.c_str()) != 0) Fail("cannot move " + Quoted(target) + " aside");
        if (::rename(temporary.Path().c_str(), target.c_str()) != 0) {
            const int reason = errno;
            ::rename(aside.c_str(), target.c_str());
            errno = reason;
            Fail("cannot put the new root in place of " + Quoted(target));
        }
        std::error_code ignored;
        fs::remove_all(aside, ignored);
    } else if (::renameat2(AT_FDCWD, temporary.Path().c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
        Fail("cannot move the new root to " + Quoted(target));
    }
    return written;
}

}  // namespace tolvar
