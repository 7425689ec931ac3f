// The company's folder on the update server: the stop flag, a newer client and the logo.
#include <windows.h>

#include <array>

#include "CommandLine.h"
#include "DownLoad.h"
#include "LocalFiles.h"
#include "Paths.h"
#include "PumpingRequests.h"

namespace tolvar {

const std::array<const char*, 5> LogoFiles = {"mark.png", "mark.jpg", "mark.gif", "mark.bmp", "mark.ico"};

void TfmDownloading::CheckCompany() {
    if (IsLocalhostRun()) return;
    const std::string code = ValueOf(DecodeMemo, "CompanyCode");
    if (Trim(code).empty()) return;
    SetCaption("Update Checking...");
    CompanyFolderUrl = UpdateRoot + "/FTPHome/TolvarService/CompanyCode/" + code;
    Feed.LoadCompanyManifest(UpdateRoot, CompanyFolderUrl, *Proxy);

    StopFlag = ServerFileExists("StopCheck.txt");

    if (IsNewerClientAvailable()) {
        const std::string staged = InCurrentDir(kStagedClientName);
        DeleteFileA(staged.c_str());
        SetCaption("Update...");
        ShowNextItem(kStagedClientName);
        // The finish step looks only at whether the staged client is there afterwards.
        DownloadFile(CompanyFolderUrl + "/" + kStagedClientName, staged, {TFeedFolder::Company, std::nullopt});
    }

    for (const char* name : LogoFiles)
        if (ServerFileExists(name)) RefreshLogo(name);
}

bool TfmDownloading::ServerFileExists(const std::string& name) {
    const std::string url = CompanyFolderUrl + "/" + name;
    // A stop flag or logo the vendor did not sign into the company's manifest is not there, whatever
    // else may name it.
    if (!Feed.Covers(TFeedFolder::Company, url)) return false;
    try {
        return Feed.Matches(TFeedFolder::Company, url, FetchTextPumping(url, *Proxy));
    } catch (const std::exception&) {
        return false;
    }
}

bool TfmDownloading::IsNewerClientAvailable() {
    try {
        VersionCheckMemo.clear();
        const std::string url = CompanyFolderUrl + "/vercheck.txt";
        if (!Feed.Covers(TFeedFolder::Company, url)) return false;
        const std::string text = FetchTextPumping(url, *Proxy);
        if (!Feed.Matches(TFeedFolder::Company, url, text)) return false;
        VersionCheckMemo = TextToLines(text);
        // Text, not numbers: byte by byte, a string that starts the other one is the smaller.
        return ClientVersion < ValueOf(VersionCheckMemo, "TolvarClient");
    } catch (const std::exception&) {
        return false;
    }
}

void TfmDownloading::RefreshLogo(const std::string& name) {
    const std::string path = std::string(kLogoDir) + name;
    if (const std::optional<uint32_t> age = FileAge(path)) {
        if (const auto stamp = TryUnpackDosDateTime(*age); stamp && DateToStr(*stamp) == DateToStr(Now())) return;
    }
    ShowNextItem(name);
    const TDownloadResult result =
        DownloadFile(CompanyFolderUrl + "/" + name, path, {TFeedFolder::Company, std::nullopt});
    if (result == TDownloadResult::Complete) KeepOnlyLogo(name);
}

void TfmDownloading::KeepOnlyLogo(const std::string& name) {
    for (const char* other : LogoFiles)
        if (name != other) DeleteFileA((std::string(kLogoDir) + other).c_str());
}

}  // namespace tolvar
