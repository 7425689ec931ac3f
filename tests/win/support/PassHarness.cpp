#include "PassHarness.h"

#include "Processes.h"
#include "app/Application.h"
#include "base/SettingsCipher.h"
#include "client/CommandLine.h"

namespace tolvar::test {

namespace {
const std::string kRecorder = LocalPath(TOLVAR_RECORDER_EXE);
}  // namespace

PassHarness::PassHarness(const std::string& fixture) : server_(testserver::FindTestServer(fixture)) {
    if (!server_) throw std::runtime_error("no update server: run this test through ctest");
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    savedCwd_ = cwd;
    SetCurrentDirectoryA(work_.Path().c_str());
    recordFile_ = records_ / "started.txt";
    SetEnvironmentVariableA("TOLVAR_RECORD", recordFile_.c_str());
    // A workstation of its own for every test: the service directory and the server root anew.
    RemoveTree(kServiceDirectory);
    RemoveTree(server_.Root());
    CreateDirectoryA(server_.Root().c_str(), nullptr);
    server_.SetFaults("{}");
    SetHostInstalled(true);
}

PassHarness::~PassHarness() {
    DestroyApplication();
    SetCurrentDirectoryA(savedCwd_.c_str());
    SetEnvironmentVariableA("TOLVAR_RECORD", nullptr);
    // Started programs may still hold their files for a moment.
    for (int i = 0; i < 40 && PathExists(kServiceDirectory); ++i) {
        RemoveTree(kServiceDirectory);
        if (PathExists(kServiceDirectory)) Sleep(50);
    }
}

void PassHarness::ServeFile(const std::string& relative, const std::string& bytes) const {
    testserver::WriteWholeFile(server_.Root(relative), bytes);
}

void PassHarness::ServeUpgradeList(const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    ServeFile("FTPHome/TolvarService/UpGradeList.txt", text);
}

void PassHarness::SetHostInstalled(bool installed) const {
    CreateDirectoryA("C:\\Marvane", nullptr);
    CreateDirectoryA("C:\\Marvane\\TolvarService", nullptr);
    const std::string host = std::string(kServiceDirectory) + "TolvarHost.exe";
    if (installed) CopyFileA(kRecorder.c_str(), host.c_str(), FALSE);
    else DeleteFileA(host.c_str());
}

void PassHarness::StageClient() const { CopyFileA(kRecorder.c_str(), (work_ / "Sandrel.exe").c_str(), FALSE); }

TfmDownloading* PassHarness::MakeForm(const std::vector<std::string>& args, const std::string& settingsText) {
    DestroyApplication();
    boxes_.clear();
    SetProgramArguments(args);
    TApplication* app = Application();
    app->SetTitle("TolvarClient");
    app->OnMessageBox = [this](const std::wstring& text, const std::wstring& caption, UINT flags) {
        boxes_.push_back({text, caption, flags});
        return IDOK;
    };
    form_ = app->CreateForm<TfmDownloading>();
    form_->UpdateRoot = server_.Url;
    form_->EncodeMemo = EncryptText(settingsText, SettingsKeyPhrase);
    return form_;
}

PassOutcome PassHarness::Run(DWORD timeoutMs) {
    if (!form_) MakeForm({}, "");
    const size_t requestsBefore = server_.Requests().size();
    const size_t startedBefore = Started().size();
    TApplication* app = Application();
    form_->Show();
    const DWORD start = GetTickCount();
    DWORD stoppedAt = 0;
    while (!app->Terminated() && GetTickCount() - start < timeoutMs) {
        app->ProcessMessages();
        // An error report ends the pass; the window stays idle. Watch a little longer to see
        // that nothing else follows.
        if (!boxes_.empty() && boxes_.front().flags & MB_ICONSTOP) {
            if (!stoppedAt) stoppedAt = GetTickCount();
            else if (GetTickCount() - stoppedAt > 700) break;
        }
        Sleep(2);
    }
    PassOutcome outcome;
    outcome.closed = app->Terminated();
    outcome.boxes = boxes_;
    // What the pass started writes its line a moment later (after those of earlier passes).
    outcome.started = WaitForLines(recordFile_, startedBefore + 1, outcome.closed ? 5000 : 300);
    outcome.requests = RequestsSince(requestsBefore);
    return outcome;
}

PassOutcome PassHarness::RunPass(const std::vector<std::string>& args, const std::string& settingsText,
                                 DWORD timeoutMs) {
    MakeForm(args, settingsText);
    return Run(timeoutMs);
}

std::vector<std::string> PassHarness::Started() const { return WaitForLines(recordFile_, 0, 0); }

std::vector<std::string> PassHarness::RequestsSince(size_t from) const { return server_.RequestsSince(from); }

}  // namespace tolvar::test
