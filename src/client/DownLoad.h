#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "SignedFeed.h"
#include "app/Form.h"
#include "app/Timer.h"
#include "base/DateTime.h"
#include "base/TransferPace.h"
#include "base/Text.h"
#include "http/ProxyChoice.h"
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
// Open in all; and the body must keep moving: every span of Stall brings at least 1 KiB, and
// after the Rate floor's grace its average since the body began stays above the floor's rate,
// or the transfer has stalled. A server that goes silent, sends a byte now and then, or a
// kilobyte just within every span, thus costs at most about half a minute per file, while a
// slow line of a few KiB/s still gets its files. These are the program's values; tests of
// stalled servers may shorten them.
struct TDownloadLimits {
    std::chrono::milliseconds Open{30000};
    std::chrono::milliseconds Stall{30000};
    TRateFloor Rate;
};

// What vouches for a download in a build with the vendor's key: the manifest of its folder,
// and for a listed file the length the signed list gives it (its Size). The company folder's
// manifest gives no lengths; its files are refused above kMaxCompanyFileSize instead.
struct TSignedSource {
    TFeedFolder Folder;
    std::optional<int32_t> Size;
};
inline constexpr int32_t kMaxCompanyFileSize = 64 * 1024 * 1024;

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
    // The roads of the pass's requests, from the system's proxy settings: the HTTP client's and
    // the downloads' alike. Tests may give the pass others.
    std::shared_ptr<TProxyChooser> Proxy;
    TDownloadLimits DownloadLimits;
    // The upgrade list's record of the host program, when the list names it: a build with the
    // vendor's key starts the host only as that record's signed file.
    std::optional<TFileRecord> ListedHost;

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

    // Downloads: a URL streamed to a local file, which is replaced only by a complete one (and,
    // in a build with the vendor's key, only by what `source` signed for it).
    TDownloadResult DownloadFile(const std::string& url, const std::string& localPath, const TSignedSource& source);
    // A listed file downloaded, stamped with the list's time and checked as the download stage
    // does it: deleted again when it is still not the listed one.
    TDownloadResult DownloadListed(const TFileRecord& r);
    // Whether the local file of a listed record is what the list's manifest signed (always, in
    // a build without the key). A file that is not, however fresh it looks, is fetched again.
    bool IsSignedOnDisk(const TFileRecord& r);
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
    // In a build with the vendor's key, whether the staged client carries the same key: one
    // that does not would run everything unchecked from then on, so it is deleted instead.
    bool StagedClientKeepsTheKey();
    void LaunchHost();
    // The host's launch copy made and started only when it is the list's signed host program.
    bool StartSignedHost(const std::string& commandLine);
};

}  // namespace tolvar
