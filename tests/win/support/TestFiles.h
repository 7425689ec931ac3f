#pragma once
// Small helpers for tests that work on real files in the Wine prefix.
#include <windows.h>

#include <set>
#include <string>

namespace tolvar::test {

// A fresh directory under C:\tolvar-tests, removed with everything in it at the end.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }  // ends in "\"
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

void WriteTestFile(const std::string& path, const std::string& bytes);
std::string ReadTestFile(const std::string& path);  // empty when missing
bool PathExists(const std::string& path);
// The names of the files and folders in a directory (ending in "\").
std::set<std::string> FileNamesIn(const std::string& dir);
void RemoveTree(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);
// The packed local last-write time, as the client reads it.
uint32_t PackedTimeOf(const std::string& path);

}  // namespace tolvar::test
