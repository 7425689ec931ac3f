#pragma once
// Runs the update window's pass inside a test process against a loopback update server, with
// the error report and message boxes caught, and a recording stand-in as the host program.
#include <windows.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "client/DownLoad.h"
#include "testserver/TestServer.h"

namespace tolvar::test {

inline constexpr const char* kServiceDirectory = "C:\\Marvane\\TolvarService\\";

// A message box the pass asked for.
struct ShownBox {
    std::wstring text, caption;
    UINT flags;
};

struct PassOutcome {
    bool closed = false;                // the window closed and the loop ended
    std::vector<ShownBox> boxes;        // error reports and other messages, in order
    std::vector<std::string> started;   // lines the recording stand-in wrote (name|cwd|args)
    std::vector<std::string> requests;  // requests the server logged during the pass
};

class PassHarness {
public:
    // `fixture` names the update server fixture the test was registered with.
    explicit PassHarness(const std::string& fixture);
    ~PassHarness();
    PassHarness(const PassHarness&) = delete;
    PassHarness& operator=(const PassHarness&) = delete;

    const testserver::TTestServer& Server() const { return server_; }
    // The current directory of the pass (the client's own folder).
    const ScratchDir& Work() const { return work_; }

    // Puts a file on the server, below its root ("FTPHome/TolvarService/a.dll").
    void ServeFile(const std::string& relative, const std::string& bytes) const;
    void ServeUpgradeList(const std::vector<std::string>& lines) const;
    void SetFaults(const std::string& json) const { server_.SetFaults(json); }
    // Installs the recording stand-in as the host program (the default) or removes it.
    void SetHostInstalled(bool installed) const;
    // Puts the recording stand-in in the current directory as the staged new client.
    void StageClient() const;

    // The form of the next pass, made and set up but not yet shown; tests may adjust it.
    TfmDownloading* MakeForm(const std::vector<std::string>& args, const std::string& settingsText);
    // Shows the form made last (or makes one) and runs the loop until the window closes, the
    // pass stops at an error report, or the time is up.
    PassOutcome Run(DWORD timeoutMs = 30000);
    PassOutcome RunPass(const std::vector<std::string>& args, const std::string& settingsText, DWORD timeoutMs = 30000);

    TfmDownloading* Form() const { return form_; }
    // Lines the stand-in wrote so far.
    std::vector<std::string> Started() const;
    // Methods and targets ("GET /FTPHome/...") of the logged requests, from index `from` on.
    std::vector<std::string> RequestsSince(size_t from) const;

private:
    testserver::TTestServer server_;
    ScratchDir work_{"pass-work"};
    ScratchDir records_{"pass-records"};
    std::string recordFile_;
    std::string savedCwd_;
    TfmDownloading* form_ = nullptr;
    std::vector<ShownBox> boxes_;
};

}  // namespace tolvar::test
