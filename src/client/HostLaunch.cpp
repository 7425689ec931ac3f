// The last act of the pass: the host program started through its launch copy, with a command
// line from today's date, the stop flag and the settings.
#include "HostLaunch.h"

#include <windows.h>
#include <shellapi.h>

#include "DownLoad.h"
#include "LocalFiles.h"
#include "Paths.h"
#include "app/Application.h"
#include "app/CodePageText.h"
#include "app/Handles.h"
#include "app/PumpingCall.h"
#include "feed/win/Sha256.h"

namespace tolvar {

namespace {

// "The server cannot be reached. Please try again in a little while.", in Korean, code page 949.
constexpr const char kNoHostMessage949[] =
    "\xBC\xAD\xB9\xF6\xBF\xCD \xC1\xA2\xBC\xD3\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9. "
    "\xC0\xE1\xBD\xC3\xC8\xC4 \xBB\xE7\xBF\xEB\xC7\xD8 \xC1\xD6\xBC\xBC\xBF\xE4.";
constexpr UINT kKoreanCodePage = 949;

}  // namespace

std::string HostCommandLine(const TextLines& settings, bool stopFlag, const DateTime& today) {
    // Values go in as they are: no quoting, no trimming; only the last three have a stand-in.
    std::string line = std::to_string((today.Year - today.Month) * today.Day);
    line += " `";
    line += stopFlag ? " 2" : " 1";
    for (const char* name : {"CompanyCode", "DomainIP", "DomainPort", "MainIP", "MainPort"}) {
        line += ' ';
        line += ValueOf(settings, name);
    }
    for (const char* name : {"CompanyName", "CompanyTel", "HomePage"}) {
        const std::string value = ValueOf(settings, name);
        line += ' ';
        line += value.empty() ? std::string("`") : value;
    }
    return line;
}

std::wstring NoHostMessage() { return AnsiToWide(kNoHostMessage949, kKoreanCodePage); }

void TfmDownloading::LaunchHost() {
    const std::string commandLine = HostCommandLine(DecodeMemo, StopFlag, Now());
    if (FileExists(kHostProgram) && Feed.Keyed() && ListedHost) {
        // A build with the vendor's key never starts a host the list signed otherwise: one that
        // is not the signed file is fetched again first, and when even that does not give the
        // signed file, the host counts as missing.
        if (StartSignedHost(commandLine)) return;
        if (!IsSignedOnDisk(*ListedHost)) {
            SetCaption("Update...");
            ShowNextItem(ListedHost->FileName);
            DownloadListed(*ListedHost);
        }
        if (StartSignedHost(commandLine)) return;
    } else if (FileExists(kHostProgram)) {
        // A launch copy still in use by an earlier host is started as it is.
        CopyFileA(kHostProgram, kHostLaunchCopy, FALSE);
        ShellExecuteA(Handle(), "open", "TH.exe", commandLine.c_str(), kServiceDir, SW_SHOWNORMAL);
        return;
    }
    Application()->MessageBoxW(NoHostMessage(), AnsiToWide(Application()->Title()), MB_OK);
}

bool TfmDownloading::StartSignedHost(const std::string& commandLine) {
    const std::optional<Sha256Digest> expected =
        Feed.SignedHash(TFeedFolder::List, ListedHost->ServerPath + ListedHost->FileName);
    if (!expected) return false;
    CopyFileA(kHostProgram, kHostLaunchCopy, FALSE);
    // The launch copy is what starts, so that is what is checked; and it stays open, shared for
    // reading alone, from the check until it has started, so that nothing can change it between.
    // A copy that failed (a launch copy still in use) is started only when it too is the signed one.
    const UniqueFile launchCopy(CreateFileA(kHostLaunchCopy, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!launchCopy) return false;
    const HANDLE file = launchCopy.Get();
    if (CallPumping([file] { return Sha256OfFile(file); }) != expected) return false;
    ShellExecuteA(Handle(), "open", "TH.exe", commandLine.c_str(), kServiceDir, SW_SHOWNORMAL);
    return true;
}

}  // namespace tolvar
