#include "DownLoad.h"

#include <windows.h>
#include <shellapi.h>

#include "ClientVersion.h"
#include "CommandLine.h"
#include "LocalFiles.h"
#include "Paths.h"
#include "StoredResources.h"
#include "app/Application.h"
#include "http/win/SystemProxy.h"
#include "skin/controls/win/ApplicationNoticeRoute.h"

namespace tolvar {

TfmDownloading::TfmDownloading(TComponent* owner) : TForm(owner) {
    SetName("fmDownloading");
    SetCaption("Update Checking...");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(0);
    SetPosition(TPosition::poScreenCenter);
    SetClientSize(336, 31);

    // The stored skin, and the skin data that loads it at once. A skin that cannot be read is
    // reported; the window then goes on in its default look.
    InstallApplicationSkinNoticeRoute();
    skCompressedStoredSkin1 = Own<TskCompressedStoredSkin>(this);
    skCompressedStoredSkin1->SetName("skCompressedStoredSkin1");
    skCompressedStoredSkin1->ReadCompressedData(StoredSkin());
    skSkinData1 = Own<TskSkinData>(this);
    skSkinData1->SetName("skSkinData1");
    try {
        skSkinData1->SetCompressedStoredSkin(skCompressedStoredSkin1);
    } catch (const std::exception& e) {
        Application()->HandleException(e);
    }

    // The window's frame, drawn from the same skin.
    skSkinForm1 = Own<TskSkinForm>(this);
    skSkinForm1->SetName("skSkinForm1");
    skSkinForm1->SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu));
    skSkinForm1->SetShowIcon(true);
    skSkinForm1->SetSkinData(skSkinData1);

    ProgressBar1 = Own<TskSkinGauge>(this);
    ProgressBar1->SetName("ProgressBar1");
    ProgressBar1->SetBounds(7, 7, 321, 20);
    ProgressBar1->SetSkinDataName("gauge");
    ProgressBar1->SetDefaultFont(TextFont{"Arial", 14});
    ProgressBar1->SetDefaultWidth(0);
    ProgressBar1->SetDefaultHeight(0);
    ProgressBar1->SetUseSkinFont(true);
    ProgressBar1->SetUseSkinSize(true);
    ProgressBar1->SetVertical(false);
    ProgressBar1->SetSkinData(skSkinData1);
    ProgressBar1->SetShowProgressText(true);
    ProgressBar1->SetShowPercent(false);
    ProgressBar1->SetMinValue(0);
    ProgressBar1->SetMaxValue(100);
    ProgressBar1->SetValue(0);
    ProgressBar1->SetProgressAnimationPause(1000);
    ProgressBar1->SetParent(this);

    StartTimer = Own<TTimer>(this);
    StartTimer->SetName("StartTimer");
    StartTimer->SetEnabled(false);
    StartTimer->SetInterval(100);
    StartTimer->SetOnTimer([this](TComponent* s) { StartTimerTimer(s); });

    EncodeMemo = StoredSettings();
    UpdateRoot = StoredUpdateRoot();
    Feed.SetKey(StoredFeedKey());
    Proxy = NewSystemProxyChooser();

    OnCreate = [this](TComponent* s) { FormCreate(s); };
    OnActivate = [this](TComponent* s) { FormActivate(s); };
    OnClose = [this](TComponent* s, TCloseAction& a) { FormClose(s, a); };
}

void TfmDownloading::FormCreate(TComponent*) {
    Activated = false;
    StopFlag = false;
    ClientVersion = kBuiltClientVersion;
    // The host's launch copy of an earlier run; it may still be in use, which is fine.
    DeleteFileA(kHostLaunchCopy);
}

void TfmDownloading::FormActivate(TComponent*) {
    if (Activated) return;
    // Frame and gauge drawn before the work starts.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Activated = true;
    FormatSettings().ShortDateFormat = "yyyy-mm-dd";
    FormatSettings().DateSeparator = '-';
    CreateDirPath(kServiceDirCreate);
    DecodeMemo = TextToLines(DecryptSettings(EncodeMemo));
    ProgressBar1->StartProgressAnimation();
    StartTimer->SetEnabled(true);
}

void TfmDownloading::StartTimerTimer(TComponent* sender) {
    StartTimer->SetEnabled(false);
    ConnectClick(sender);
}

void TfmDownloading::ConnectClick(TComponent* sender) {
    // A "localhost" start goes straight to the finish; the staged client is not deleted first.
    if (!IsLocalhostRun()) {
        DeleteFileA(InCurrentDir(kStagedClientName).c_str());
        FetchUpgradeList();
        ParseUpgradeList();
        if (!FTPView.empty()) DownLoadClick(sender);
    }
    // The pass's one way out, whichever stages ran.
    FinishPass();
    Close();
}

void TfmDownloading::DownLoadClick(TComponent*) {
    SetCaption("Update...");
    while (!FTPView.empty()) {
        const TFileRecord r = FTPView.front();
        ShowNextItem(r.FileName);
        if (DownloadListed(r) == TDownloadResult::Failed) break;  // this record and the rest stay undone
        FTPView.pop_front();
    }
}

TDownloadResult TfmDownloading::DownloadListed(const TFileRecord& r) {
    const std::string path = r.ClientPath + r.FileName;
    const TDownloadResult result =
        DownloadFile(r.ServerPath + r.FileName, path, {TFeedFolder::List, TryStrToInt(r.Size)});
    if (result == TDownloadResult::Complete) {
        StampFileTime(path, r.Date, r.Time);
        if (NeedsDownload(r.ClientPath, r.FileName, r.Size, r.Date, r.Time)) DeleteIfExists(path);
    }
    return result;
}

void TfmDownloading::ResetProgress() {
    ProgressBar1->SetValue(0);
    Application()->ProcessMessages();
}

void TfmDownloading::ShowNextItem(const std::string& name) {
    ResetProgress();
    ProgressBar1->SetProgressText(name);
    Application()->ProcessMessages();
}

void TfmDownloading::FinishPass() {
    CheckCompany();
    if (FileExists(InCurrentDir(kStagedClientName)) && StagedClientKeepsTheKey()) StartStagedClient();
    else LaunchHost();
}

bool TfmDownloading::StagedClientKeepsTheKey() {
    if (!Feed.Keyed()) return true;
    // Read from its file as data: the new client is not run to ask it.
    const std::string staged = InCurrentDir(kStagedClientName);
    if (Feed.SameKey(FeedKeyOf(staged))) return true;
    DeleteFileA(staged.c_str());
    return false;
}

void TfmDownloading::StartStagedClient() {
    ShellExecuteA(Handle(), "open", kStagedClientName, "copy", CurrentDir().c_str(), SW_SHOWNORMAL);
}

void TfmDownloading::FormClose(TComponent*, TCloseAction&) { ProgressBar1->StopProgressAnimation(); }

}  // namespace tolvar
