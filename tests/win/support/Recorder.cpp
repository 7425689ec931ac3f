// A stand-in for the programs the client starts (the host, a new client): it appends one line
// to the file that TOLVAR_RECORD names: its own file name, its working directory and its
// command line after the program name, separated by "|".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/ProgramArguments.h"

int main() {
    const char* record = std::getenv("TOLVAR_RECORD");
    if (!record) return 2;
    char exe[MAX_PATH], cwd[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string name = exe;
    name = name.substr(name.find_last_of('\\') + 1);
    const std::string args = tolvar::ArgumentsAfterProgramName();
    // Several starts may record at once: open for append with retries.
    for (int attempt = 0; attempt < 50; ++attempt) {
        HANDLE h = CreateFileA(record, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            const std::string line = name + "|" + cwd + "|" + args + "\n";
            DWORD written;
            WriteFile(h, line.data(), DWORD(line.size()), &written, nullptr);
            CloseHandle(h);
            return 0;
        }
        Sleep(20);
    }
    return 1;
}
