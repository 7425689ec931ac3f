#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "app/Form.h"
#include "app/Timer.h"
#include "base/Text.h"
#include "skin/controls/win/SkinGauge.h"

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

// The update window: a skinned progress gauge and the one update pass it runs per start.
// Everything else it holds is data of the pass, never shown.
class TfmDownloading : public TForm {
public:
    explicit TfmDownloading(TComponent* owner);
    std::string_view ClassName() const override { return "TfmDownloading"; }

    // Members of the designed window.
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
    std::string UpdateRoot;  // the update server root URL, from the program's resources

    // Handlers.
    void FormCreate(TComponent* sender);
    void FormActivate(TComponent* sender);
    void FormClose(TComponent* sender, TCloseAction& action);
    void StartTimerTimer(TComponent* sender);
    void ConnectClick(TComponent* sender);
    void DownLoadClick(TComponent* sender);

    // Steps of the pass.
    void ResetProgress();
    void FinishPass();
    void ParseUpgradeList();
    void FetchUpgradeList();

    // The finish step's stages.
    void CheckCompany();
    void StartStagedClient();
    void LaunchHost();

    // A URL streamed to a local file; true when a complete file arrived.
    bool DownloadFile(const std::string& url, const std::string& localPath);
};

// The settings ciphertext and the update server root URL the program carries.
std::string StoredSettings();
std::string StoredUpdateRoot();
// The settings text sealed in the stored ciphertext.
std::string DecryptSettings(const std::string& cipherText);

}  // namespace tolvar
