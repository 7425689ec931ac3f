#include "CopyMode.h"

#include <windows.h>
#include <shellapi.h>

#include "LocalFiles.h"
#include "Paths.h"
#include "app/TemporaryFile.h"

namespace tolvar {

namespace {

// The client that started us may still hold its file after the first wait (a slow exit, a
// virus scanner): the copy is tried again for this long before the client that is there is
// started as it is.
constexpr DWORD kReplaceLimitMs = 30000;
constexpr DWORD kRetryRestMs = 250;

// Puts a copy of the staged client in the client's place in one step: the copy is written
// whole under a temporary name beside the client and then renamed over it, so that a power cut
// or a full disk leaves either the old client or the new one, never a part of either.
bool ReplaceClient(const std::string& staged, const std::string& client) {
    TTemporaryFile copy(CurrentDir() + "\\", kTemporaryPrefix);
    return copy && CopyFileA(staged.c_str(), copy.Path().c_str(), FALSE) && copy.MoveOver(client);
}

}  // namespace

void RunCopyMode() {
    Sleep(1000);
    const std::string staged = InCurrentDir(kStagedClientName);
    const std::string client = InCurrentDir(kClientName);
    const DWORD start = GetTickCount();
    while (FileExists(staged) && !ReplaceClient(staged, client) && GetTickCount() - start < kReplaceLimitMs)
        Sleep(kRetryRestMs);
    ShellExecuteA(nullptr, "open", kClientName, nullptr, CurrentDir().c_str(), SW_SHOWNORMAL);
}

}  // namespace tolvar
