#include "CopyMode.h"

#include <windows.h>
#include <shellapi.h>

#include "LocalFiles.h"
#include "Paths.h"
#include "StoredResources.h"
#include "app/TemporaryFile.h"
#include "feed/FeedKey.h"

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

// A client that carries the vendor's key is replaced only by one that carries the same key
// (both read from their files, as data): one without it would run whatever a server sends from
// then on. A client without a key takes any staged client, as it always has.
bool KeepsTheKey(const std::string& staged, const std::string& client) {
    const std::optional<std::string> installed = FeedKeyOf(client);
    if (!installed) return true;
    const std::optional<std::string> incoming = FeedKeyOf(staged);
    return incoming && SameFeedKey(*installed, *incoming);
}

}  // namespace

void RunCopyMode() {
    Sleep(1000);
    const std::string staged = InCurrentDir(kStagedClientName);
    const std::string client = InCurrentDir(kClientName);
    const DWORD start = GetTickCount();
    if (FileExists(staged) && KeepsTheKey(staged, client)) {
        while (FileExists(staged) && !ReplaceClient(staged, client) && GetTickCount() - start < kReplaceLimitMs)
            Sleep(kRetryRestMs);
    }
    ShellExecuteA(nullptr, "open", kClientName, nullptr, CurrentDir().c_str(), SW_SHOWNORMAL);
}

}  // namespace tolvar
