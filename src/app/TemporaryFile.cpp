#include "TemporaryFile.h"

#include <windows.h>

#include <cctype>

#include "app/Handles.h"
#include "base/Text.h"

namespace tolvar {

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
    const std::string lower = LowerCaseAscii(name);
    const std::string head = LowerCaseAscii(prefix);
    const std::string tail = ".tmp";
    if (lower.size() < head.size() + 1 + tail.size() || lower.size() > head.size() + 4 + tail.size()) return false;
    if (lower.compare(0, head.size(), head) != 0 || lower.compare(lower.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    for (size_t i = head.size(); i < lower.size() - tail.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(lower[i]))) return false;
    return true;
}

void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != ':') dir += '\\';
    WIN32_FIND_DATAA found;
    UniqueFind find(FindFirstFileA((dir + prefix + "*.tmp").c_str(), &found));
    if (!find) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        // A file the other process still writes is open without sharing: it cannot go.
        if (IsTemporaryName(found.cFileName, prefix)) DeleteFileA((dir + found.cFileName).c_str());
    } while (FindNextFileA(find.Get(), &found));
}

TTemporaryFile::TTemporaryFile(const std::string& folder, const char* prefix) {
    RemoveLeftovers(folder, prefix);
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), prefix, 0, name)) path_ = name;
}

TTemporaryFile::~TTemporaryFile() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
}

bool TTemporaryFile::MoveOver(const std::string& target) {
    // The content reaches the disk before the name does: after a power cut the target is the
    // old file or the whole new one, never a new name over data that was still in the cache.
    {
        const UniqueFile file(
            CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) FlushFileBuffers(file.Get());
    }
    if (!MoveFileExA(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
    path_.clear();
    return true;
}

}  // namespace tolvar
