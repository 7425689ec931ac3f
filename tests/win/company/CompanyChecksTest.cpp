// The company's folder on the update server: the stop flag, a newer client and the logo, and
// the requests they make, in their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "CompanyPass.h"
#include "client/LocalFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

using Requests = std::vector<std::string>;

const char* const kAcme = "CompanyCode=ACME\r\n";
const char* const kLogos[] = {"mark.png", "mark.jpg", "mark.gif", "mark.bmp", "mark.ico"};

std::string WorkDir(const PassHarness& pass) {
    std::string d = pass.Work().Path();
    d.pop_back();
    return d;
}

// One listed file to fetch, so that the download stage sets its caption before the finish.
void ServeOneDownload(const PassHarness& pass) {
    pass.ServeUpgradeList(
        {"SPATH /TolvarService", "CPATH C:\\Marvane\\TolvarService", "FILE a.dll 3 2007-05-01 12:00:00"});
    pass.ServeFile("FTPHome/TolvarService/a.dll", "abc");
}

// Sets a file's modification time to this moment a day ago.
void MakeItYesterdays(const std::string& path) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= 24ull * 60 * 60 * 10'000'000;
    const FILETIME then{t.LowPart, t.HighPart};
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    SetFileTime(h, nullptr, nullptr, &then);
    CloseHandle(h);
}

bool Requested(const Requests& requests, const std::string& request) {
    return std::find(requests.begin(), requests.end(), request) != requests.end();
}

Requests ProbesOfEveryLogo() {
    Requests r;
    for (const char* name : kLogos) r.push_back(GetOf(name));
    return r;
}

class CompanyChecks : public ::testing::Test {
protected:
    PassHarness pass{"company_server"};
    void Serve(const std::string& name, const std::string& bytes) const { pass.ServeFile(kAcmeFolder + name, bytes); }
};

}  // namespace

TEST_F(CompanyChecks, AskTheFolderInTheirOrderAndStartTheNewerClientInsteadOfTheHost) {
    Serve("StopCheck.txt", "stop");
    Serve("vercheck.txt", "TolvarClient=1.4\r\n");
    const std::string newClient = RecorderBytes();
    Serve("Sandrel.exe", newClient);
    Serve("mark.png", "png");
    Serve("mark.gif", "gif");

    TfmDownloading* form = pass.MakeForm({}, kAcme);
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(out.requests, (Requests{kListRequest, GetOf("StopCheck.txt"), GetOf("vercheck.txt"), GetOf("Sandrel.exe"),
                                      HeadOf("Sandrel.exe"), GetOf("mark.png"), GetOf("mark.png"), HeadOf("mark.png"),
                                      GetOf("mark.jpg"), GetOf("mark.gif"), GetOf("mark.gif"), HeadOf("mark.gif"),
                                      GetOf("mark.bmp"), GetOf("mark.ico")}));
    EXPECT_TRUE(form->StopFlag);
    EXPECT_EQ(form->Caption(), "Update...") << "the self-update download's caption";
    EXPECT_EQ(ReadTestFile(pass.Work() / "Sandrel.exe"), newClient) << "staged in the current directory";
    ASSERT_EQ(out.started.size(), 1u) << "the new client, and not the host";
    EXPECT_EQ(out.started[0], "Sandrel.exe|" + WorkDir(pass) + "|copy");
    EXPECT_FALSE(FileExists(InService("TH.exe")));
}

TEST(CompanyChecksSkip, ForABlankCompanyCode) {
    for (const char* settings :
         {"DomainIP=10.0.0.1\r\n", "CompanyCode=\r\nDomainIP=10.0.0.1\r\n", "CompanyCode=   \r\n"}) {
        SCOPED_TRACE(settings);
        PassHarness pass{"company_server"};
        ServeOneDownload(pass);
        // What a pass that took the empty code for a folder name would find.
        pass.ServeFile("FTPHome/TolvarService/CompanyCode/StopCheck.txt", "stop");
        TfmDownloading* form = pass.MakeForm({}, settings);
        const PassOutcome out = pass.Run();
        EXPECT_TRUE(out.closed);
        EXPECT_EQ(out.requests,
                  (Requests{kListRequest, "GET /FTPHome/TolvarService/a.dll", "HEAD /FTPHome/TolvarService/a.dll"}))
            << "no company request";
        EXPECT_EQ(form->Caption(), "Update...") << "left as the download stage set it";
        EXPECT_FALSE(form->StopFlag);
        ASSERT_EQ(out.started.size(), 1u);
        EXPECT_EQ(Words(ParseLaunch(out.started[0]).args).at(2), "1");
    }
}

TEST_F(CompanyChecks, AStopFileOfAnyContentGivesTheHostModeTwo) {
    ServeOneDownload(pass);
    Serve("StopCheck.txt", "");  // only its presence counts
    TfmDownloading* form = pass.MakeForm({}, kAcme);
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(form->StopFlag);
    EXPECT_EQ(form->Caption(), "Update Checking...") << "set again when the checks start";
    ASSERT_EQ(out.started.size(), 1u);
    const Launch host = ParseLaunch(out.started[0]);
    EXPECT_EQ(host.name, "TH.exe");
    EXPECT_EQ(Words(host.args).at(2), "2");
}

TEST_F(CompanyChecks, TheVersionFileNamesANewerClientByComparingText) {
    TfmDownloading* form = pass.MakeForm({}, kAcme);
    ASSERT_EQ(form->ClientVersion, "1.3");
    form->CompanyFolderUrl = pass.Server().Url + "/" + kAcmeFolder.substr(0, kAcmeFolder.size() - 1);
    const std::string file = pass.Server().Root(kAcmeFolder + "vercheck.txt");
    const struct {
        const char* text;  // nullptr: no version file on the server
        bool newer;
    } cases[] = {
        {"TolvarClient=1.4\r\n", true},  {"TolvarClient=2", true},         {"Other=1\r\nTolvarClient=1.3.1\r\n", true},
        {"TolvarClient=1.3 \r\n", true},  // the trailing blank makes it the longer text
        {"TolvarClient=\xC0\r\n", true},  // bytes compare as unsigned values
        {"TolvarClient=1.3\r\n", false}, {"TolvarClient=1.10\r\n", false}, {"TolvarClient=1.2\r\n", false},
        {"TolvarClient=\r\n", false},    {"Other=9.9\r\n", false},         {nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(no file)");
        if (c.text) Serve("vercheck.txt", c.text);
        else DeleteFileA(file.c_str());
        const size_t before = pass.Server().Requests().size();
        EXPECT_EQ(form->IsNewerClientAvailable(), c.newer);
        EXPECT_EQ(pass.RequestsSince(before), Requests{GetOf("vercheck.txt")});
        if (c.text) EXPECT_EQ(form->VersionCheckMemo, TextToLines(c.text));
        else EXPECT_TRUE(form->VersionCheckMemo.empty());
    }
}

TEST_F(CompanyChecks, ALogoFromYesterdayIsFetchedAgainAndTheOtherNamesGo) {
    for (const char* name : kLogos) WriteTestFile(InService(name), "old");
    MakeItYesterdays(InService("mark.png"));
    Serve("mark.png", "new png");
    const PassOutcome out = pass.RunPass({}, kAcme);
    EXPECT_TRUE(out.closed);
    EXPECT_EQ(out.requests, (Requests{kListRequest, GetOf("StopCheck.txt"), GetOf("vercheck.txt"), GetOf("mark.png"),
                                      GetOf("mark.png"), HeadOf("mark.png"), GetOf("mark.jpg"), GetOf("mark.gif"),
                                      GetOf("mark.bmp"), GetOf("mark.ico")}));
    EXPECT_EQ(ReadTestFile(InService("mark.png")), "new png");
    for (const char* other : {"mark.jpg", "mark.gif", "mark.bmp", "mark.ico"})
        EXPECT_FALSE(PathExists(InService(other))) << other;
}

TEST_F(CompanyChecks, ALogoWrittenTodayIsKeptEvenWhenTheServersChanged) {
    WriteTestFile(InService("mark.png"), "today's");
    WriteTestFile(InService("mark.jpg"), "jpg");
    Serve("mark.png", "changed on the server");
    const PassOutcome out = pass.RunPass({}, kAcme);
    EXPECT_TRUE(out.closed);
    Requests expected{kListRequest, GetOf("StopCheck.txt"), GetOf("vercheck.txt")};
    for (const std::string& probe : ProbesOfEveryLogo()) expected.push_back(probe);
    EXPECT_EQ(out.requests, expected) << "the probe only";
    EXPECT_EQ(ReadTestFile(InService("mark.png")), "today's");
    EXPECT_TRUE(PathExists(InService("mark.jpg"))) << "nothing fetched, nothing deleted";
}

TEST_F(CompanyChecks, OfTwoLogosOnTheServerBothAreFetchedEveryRunAndTheLaterOneStays) {
    Serve("mark.png", "png");
    Serve("mark.gif", "gif");
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const PassOutcome out = pass.RunPass({}, kAcme);
        EXPECT_TRUE(out.closed);
        EXPECT_EQ(out.requests,
                  (Requests{kListRequest, GetOf("StopCheck.txt"), GetOf("vercheck.txt"), GetOf("mark.png"),
                            GetOf("mark.png"), HeadOf("mark.png"), GetOf("mark.jpg"), GetOf("mark.gif"),
                            GetOf("mark.gif"), HeadOf("mark.gif"), GetOf("mark.bmp"), GetOf("mark.ico")}));
        EXPECT_EQ(ReadTestFile(InService("mark.gif")), "gif");
        EXPECT_FALSE(PathExists(InService("mark.png")));
    }
}

TEST_F(CompanyChecks, ALogoInUseEndsThePassBeforeAnythingStarts) {
    WriteTestFile(InService("mark.png"), "old");
    MakeItYesterdays(InService("mark.png"));
    Serve("mark.png", "new png");
    Serve("mark.gif", "gif");
    HANDLE inUse = CreateFileA(InService("mark.png").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    const PassOutcome out = pass.RunPass({}, kAcme);
    CloseHandle(inUse);
    EXPECT_FALSE(out.closed) << "the window stays open and idle";
    ASSERT_EQ(out.boxes.size(), 1u);
    EXPECT_EQ(out.boxes[0].text.rfind(L"Cannot create file \"c:\\Marvane\\TolvarService\\mark.png\"", 0), 0u)
        << out.boxes[0].text;
    EXPECT_EQ(out.boxes[0].flags, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(out.requests.back(), HeadOf("mark.png")) << "no further logo is probed";
    EXPECT_EQ(ReadTestFile(InService("mark.png")), "old");
    EXPECT_TRUE(out.started.empty()) << "nothing is launched";
}

TEST_F(CompanyChecks, LocalhostRunsNoCheckWhateverTheFolderHolds) {
    Serve("StopCheck.txt", "stop");
    Serve("vercheck.txt", "TolvarClient=1.4\r\n");
    Serve("Sandrel.exe", "a newer client");
    Serve("mark.png", "png");
    TfmDownloading* form = pass.MakeForm({"localhost"}, kAcme);
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.requests.empty()) << "no request at all";
    EXPECT_FALSE(form->StopFlag);
    EXPECT_FALSE(PathExists(pass.Work() / "Sandrel.exe"));
    EXPECT_FALSE(PathExists(InService("mark.png")));
    ASSERT_EQ(out.started.size(), 1u);
    const Launch host = ParseLaunch(out.started[0]);
    EXPECT_EQ(host.name, "TH.exe");
    EXPECT_EQ(Words(host.args).at(2), "1");
}

// A newer client that does not arrive whole is neither staged nor started: the host runs.
TEST(CompanyChecksNewClient, WhoseDownloadBreaksOffOrComesShortIsNotStarted) {
    const char* const faults[] = {R"({"drop_after_percent": 50})", R"({"drop_after_percent": 50, "reset": true})",
                                  R"({"stall_after_percent": 90})"};
    for (const char* fault : faults) {
        SCOPED_TRACE(fault);
        PassHarness pass{"company_server"};
        pass.ServeFile(kAcmeFolder + "vercheck.txt", "TolvarClient=1.4\r\n");
        pass.ServeFile(kAcmeFolder + "Sandrel.exe", RecorderBytes());
        pass.SetFaults("{\"/" + kAcmeFolder + "Sandrel.exe\": " + fault + "}");
        TfmDownloading* form = pass.MakeForm({}, kAcme);
        // The stall costs the short limits, not the program's 30 s (the download tests keep those).
        form->DownloadLimits = {std::chrono::seconds(5), std::chrono::seconds(5), {std::chrono::seconds(5), 2048}};
        const auto start = std::chrono::steady_clock::now();
        const PassOutcome out = pass.Run();
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("[ elapsed  ] new client, %s: %lld ms\n", fault, static_cast<long long>(elapsed.count()));
        EXPECT_LT(elapsed, std::chrono::seconds(100)) << "an upper bound with slack";
        EXPECT_TRUE(out.closed);
        EXPECT_TRUE(out.boxes.empty());
        EXPECT_TRUE(Requested(out.requests, GetOf("Sandrel.exe")));
        EXPECT_FALSE(PathExists(pass.Work() / "Sandrel.exe")) << "nothing staged";
        ASSERT_EQ(out.started.size(), 1u);
        EXPECT_EQ(ParseLaunch(out.started[0]).name, "TH.exe") << "the host, not the new client";
    }
}

TEST_F(CompanyChecks, ALogoWhoseDownloadFailsLeavesTheOtherLogos) {
    WriteTestFile(InService("mark.jpg"), "jpg");
    WriteTestFile(InService("mark.ico"), "ico");
    Serve("mark.png", std::string(5000, 'p'));
    pass.SetFaults("{\"/" + kAcmeFolder + "mark.png\": {\"drop_after_percent\": 50, \"methods\": [\"GET\"]}}");
    const PassOutcome out = pass.RunPass({}, kAcme);
    EXPECT_TRUE(out.closed);
    EXPECT_FALSE(PathExists(InService("mark.png")));
    EXPECT_EQ(ReadTestFile(InService("mark.jpg")), "jpg");
    EXPECT_EQ(ReadTestFile(InService("mark.ico")), "ico");
}
