#include "TestFiles.h"

#include <stdexcept>

namespace tolvar::test {

ScratchDir::ScratchDir(const std::string& name) {
    static int serial = 0;
    CreateDirectoryA("C:\\tolvar-tests", nullptr);
    path_ = "C:\\tolvar-tests\\" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) +
            "\\";
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

ScratchDir::~ScratchDir() {
    // A program a test started may still be on its way out and hold its file for a moment.
    for (int attempt = 0; attempt < 40 && PathExists(path_); ++attempt) {
        RemoveTree(path_);
        if (PathExists(path_)) Sleep(50);
    }
}

void WriteTestFile(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string ReadTestFile(const std::string& path) {
    HANDLE h =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string data(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    ReadFile(h, data.data(), DWORD(data.size()), &read, nullptr);
    CloseHandle(h);
    data.resize(read);
    return data;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
    std::string dir = path;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    const DWORD attr = GetFileAttributesA(dir.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return;
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(dir.c_str());
        return;
    }
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name != "." && name != "..") RemoveTree(dir + "\\" + name);
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

void SetReadOnly(const std::string& path, bool readOnly) {
    SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

uint32_t PackedTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    FILETIME local;
    WORD d = 0, t = 0;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &d, &t);
    return (uint32_t(d) << 16) | t;
}

std::set<std::string> FileNamesIn(const std::string& dir) {
    std::set<std::string> names;
    WIN32_FIND_DATAA fd;
    const HANDLE find = FindFirstFileA((dir + "*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = fd.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return names;
}

}  // namespace tolvar::test
