#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "SignedFeed.h"
#include "app/Form.h"
#include "app/Timer.h"
#include "base/DateTime.h"
#include "base/Text.h"
#include "skin/controls/win/SkinGauge.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

namespace tolvar {

// One entry of the download queue: the fields of a FILE line and the paths in effect there.
struct TFileRecord {
    std::string FileName;
    std::string Size;
    std::string Date;
    std::string Time;
    std::string ServerPath;  // URL of the server folder, ending in "/"
    std::string ClientPath;  // local folder, ending in "\"
    friend bool operator==(const TFileRecord&, const TFileRecord&) = default;
};

// What a download came to. A length probe that fails (no answer, an error status, a redirect)
// says nothing about the file: the local file is left as it was and the pass goes on. A file
// that is not what the vendor signed (a build with the vendor's key) is Unverified: nothing of
// it is written, the old file stays, and the pass goes on with the next one.
enum class TDownloadResult { Complete, Failed, ProbeFailed, Unverified };

// How long a download waits. The GET's answer, status line and headers, must be there within
// Open in all; and the body must keep moving: every span of Stall brings at least 1 KiB, or the
// transfer has stalled. A server that goes silent, or sends a byte now and then, thus costs at
// most about that much per file. These are the program's values; tests of stalled servers may
// shorten them.
struct TDownloadLimits {
    std::chrono::milliseconds Open{30000};
    std::chrono::milliseconds Stall{30000};
};

// The update window: a skinned progress gauge and the one update pass it runs per start.
// Everything else it holds is data of the pass, never shown.
class TfmDownloading : public TForm {
public:
    explicit TfmDownloading(TComponent* owner);
    std::string_view ClassName() const override { return "TfmDownloading"; }

    // Members of the designed window.
    TskCompressedStoredSkin* skCompressedStoredSkin1 = nullptr;
    TskSkinData* skSkinData1 = nullptr;
    TskSkinForm* skSkinForm1 = nullptr;
    TskSkinGauge* ProgressBar1 = nullptr;
    TTimer* StartTimer = nullptr;
    std::deque<std::string> ListBox1;  // the line queue
    std::deque<TFileRecord> FTPView;   // the download queue
    std::string EncodeMemo;            // the stored settings ciphertext
    TextLines DecodeMemo;              // the settings, Name=Value
    TextLines VersionCheckMemo;        // the lines of the fetched version file
    bool Activated = false;
    bool StopFlag = false;
    std::string ClientVersion;
    std::string UpdateRoot;        // the update server root URL, from the program's resources
    std::string CompanyFolderUrl;  // the company's folder on the server, set by CheckCompany
    TSignedFeed Feed;              // what the vendor signed, when the program carries its key
    TDownloadLimits DownloadLimits;

    // Handlers.
    void FormCreate(TComponent* sender);
    void FormActivate(TComponent* sender);
    void FormClose(TComponent* sender, TCloseAction& action);
    void StartTimerTimer(TComponent* sender);
    void ConnectClick(TComponent* sender);
    void DownLoadClick(TComponent* sender);

    // Steps of the pass.
    void ResetProgress();
    // The gauge emptied and labelled with the item that comes next, drawn before it starts.
    void ShowNextItem(const std::string& name);
    void FinishPass();
    void ParseUpgradeList();
    void FetchUpgradeList();

    // Downloads: a URL streamed to a local file, which is replaced only by a complete one.
    TDownloadResult DownloadFile(const std::string& url, const std::string& localPath);
    // The length a HEAD announces (-1 when none), or nothing when the request fails.
    std::optional<int32_t> GetServerFileSize(const std::string& url);
    void ShowProgress(int32_t received, int32_t expected);

    // The finish step's stages.
    void CheckCompany();
    bool ServerFileExists(const std::string& name);
    bool IsNewerClientAvailable();
    void RefreshLogo(const std::string& name);
    void KeepOnlyLogo(const std::string& name);
    void StartStagedClient();
    void LaunchHost();
};

}  // namespace tolvar
