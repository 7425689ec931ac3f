#include "TemporaryFile.h"

#include <windows.h>

namespace tolvar {

TTemporaryFile::TTemporaryFile(const std::string& folder, const char* prefix) {
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), prefix, 0, name)) path_ = name;
}

TTemporaryFile::~TTemporaryFile() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
}

bool TTemporaryFile::MoveOver(const std::string& target) {
    if (!MoveFileExA(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
    path_.clear();
    return true;
}

}  // namespace tolvar
