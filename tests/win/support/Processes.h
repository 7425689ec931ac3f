#pragma once
// Starting programs from tests and waiting for what they leave behind, always bounded.
#include <windows.h>

#include <string>
#include <vector>

#include "testserver/TestServer.h"

namespace tolvar::test {

// Unix paths of the build (from compile definitions) as the Windows side sees them.
using testserver::LocalPath;

// CreateProcessA, tried again a few times when the system reports an internal error: Wine
// under load now and then fails a process start that way, and a test must not fail for it.
BOOL CreateProcessPatiently(const char* application, char* commandLine, BOOL inheritHandles, DWORD flags,
                            const char* cwd, STARTUPINFOA* si, PROCESS_INFORMATION* pi);

struct Started {
    DWORD exitCode = STILL_ACTIVE;
    bool finished = false;
};

// Starts `exe` with `args` in `cwd` and waits up to timeoutMs for it to end; a program still
// running then is killed (and reported as not finished).
Started RunProgram(const std::string& exe, const std::string& args, const std::string& cwd, DWORD timeoutMs);

// Waits until the file holds at least `lines` lines, or the time is up; returns the lines.
std::vector<std::string> WaitForLines(const std::string& path, size_t lines, DWORD timeoutMs);

}  // namespace tolvar::test
