#include "LocalFiles.h"

#include <windows.h>

#include <vector>

#include "app/Handles.h"
#include "base/Exceptions.h"
#include "base/Text.h"
#include "feed/win/Sha256.h"

namespace tolvar {

bool FileExists(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CurrentDir() {
    char buf[MAX_PATH + 1];
    const DWORD n = GetCurrentDirectoryA(sizeof(buf), buf);
    std::string dir(buf, n < sizeof(buf) ? n : 0);
    // A drive root comes back with its "\"; the callers add their own.
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
}

std::string InCurrentDir(const std::string& name) { return CurrentDir() + "\\" + name; }

std::optional<Sha256Digest> Sha256OfLocalFile(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    return Sha256OfFile(file.Get());
}

namespace {
std::optional<std::string> FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return std::nullopt;
    return std::string(full, n);
}
}  // namespace

bool SameLocalPath(const std::string& a, const std::string& b) {
    const std::optional<std::string> fullA = FullPath(a), fullB = FullPath(b);
    return fullA && fullB && SameTextAscii(*fullA, *fullB);
}

void CreateDirPath(const std::string& path) {
    for (size_t i = 3; i < path.size(); ++i) {  // position i + 1, counted from 1, is greater than 3
        if (path[i] != '\\') continue;
        // No directory past the platform's limit can be made (nor looked at): the same error as
        // for one that cannot be created, at once.
        if (i >= MAX_PATH) throw EInOutError(ERROR_FILENAME_EXCED_RANGE);
        const std::string prefix = path.substr(0, i);
        if (!DirectoryExists(prefix) && !CreateDirectoryA(prefix.c_str(), nullptr))
            throw EInOutError(int(GetLastError()));
    }
}

std::string DirectoryPart(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

void CreateDirectoryWithParents(std::string dir) {
    // Walked up to the first directory that exists, then made from the top down: a loop, so
    // that no path, however deep, runs the stack out.
    std::vector<std::string> missing;
    for (;;) {
        while (!dir.empty() && dir.back() == '\\') dir.pop_back();
        if (dir.empty()) throw EInOutError(0, "Unable to create directory");
        // A folder past the platform's limit can hold no file: the error of a directory that
        // cannot be made, before any of its parents is.
        if (dir.size() >= MAX_PATH) throw EInOutError(ERROR_FILENAME_EXCED_RANGE);
        if (DirectoryExists(dir) || (dir.size() == 2 && dir[1] == ':')) break;
        missing.push_back(dir);
        std::string parent = DirectoryPart(dir);
        if (parent.empty() || parent == dir) break;
        dir = std::move(parent);
    }
    for (auto d = missing.rbegin(); d != missing.rend(); ++d) CreateDirectoryA(d->c_str(), nullptr);
}

void DeleteMatchingFiles(const std::string& mask) {
    const std::string dir = DirectoryPart(mask);
    WIN32_FIND_DATAA fd;
    UniqueFind find(FindFirstFileA(mask.c_str(), &fd));
    if (!find) return;
    do {
        DeleteFileA((dir + fd.cFileName).c_str());
    } while (FindNextFileA(find.Get(), &fd));
}

void DeleteIfExists(const std::string& path) {
    if (FileExists(path)) DeleteFileA(path.c_str());
}

std::optional<uint32_t> FileAge(const std::string& path) {
    WIN32_FIND_DATAA fd;
    {
        UniqueFind find(FindFirstFileA(path.c_str(), &fd));
        if (!find) return std::nullopt;
    }
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    FILETIME local;
    WORD date, time;
    if (!FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return std::nullopt;
    return (uint32_t(date) << 16) | time;
}

namespace {
std::optional<uint32_t> PackedListTime(const std::string& date, const std::string& time) {
    return PackDosDateTime(CombineDateTime(StrToDate(date), StrToTime(time)));
}
}  // namespace

void StampFileTime(const std::string& path, const std::string& date, const std::string& time) {
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::optional<uint32_t> packed = PackedListTime(date, time);
    if (!packed) return;  // before 1980 or after 2107: the file keeps its time
    FILETIME local, utc;
    if (DosDateTimeToFileTime(WORD(*packed >> 16), WORD(*packed & 0xFFFF), &local) &&
        LocalFileTimeToFileTime(&local, &utc))
        SetFileTime(file.Get(), nullptr, nullptr, &utc);
}

bool NeedsDownload(const std::string& directory, const std::string& fileName, const std::string& size,
                   const std::string& date, const std::string& time) {
    const std::string path = directory + fileName;
    const std::optional<uint32_t> actual = FileAge(path);
    if (!actual) return true;

    int32_t fileSize;
    {
        UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throw EInOutError(int(GetLastError()));
        fileSize = int32_t(GetFileSize(file.Get(), nullptr));
    }

    // Compared as packed times: the stamp drops an odd listed second, so the listed time is
    // taken at the same resolution, or a correct file would never count as fresh.
    const std::optional<uint32_t> listed = PackedListTime(date, time);
    if (!listed || *listed != *actual) return true;
    return StrToInt(size) != fileSize;
}

}  // namespace tolvar
