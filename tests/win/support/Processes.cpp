#include "Processes.h"

#include "TestFiles.h"

namespace tolvar::test {

BOOL CreateProcessPatiently(const char* application, char* commandLine, BOOL inheritHandles, DWORD flags,
                            const char* cwd, STARTUPINFOA* si, PROCESS_INFORMATION* pi) {
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessA(application, commandLine, nullptr, nullptr, inheritHandles, flags, nullptr, cwd, si, pi))
            return TRUE;
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 4) return FALSE;
        Sleep(200);
    }
}

Started RunProgram(const std::string& exe, const std::string& args, const std::string& cwd, DWORD timeoutMs) {
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty()) cmd += " " + args;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    Started result;
    if (!CreateProcessPatiently(nullptr, cmd.data(), FALSE, 0, cwd.empty() ? nullptr : cwd.c_str(), &si, &pi))
        return result;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        result.finished = true;
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
    } else {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

std::vector<std::string> WaitForLines(const std::string& path, size_t lines, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    std::vector<std::string> result;
    for (;;) {
        result.clear();
        const std::string text = ReadTestFile(path);
        size_t from = 0;
        for (size_t nl; (nl = text.find('\n', from)) != std::string::npos; from = nl + 1)
            result.push_back(text.substr(from, nl - from));
        if (result.size() >= lines || GetTickCount() - start > timeoutMs) return result;
        Sleep(50);
    }
}

}  // namespace tolvar::test
