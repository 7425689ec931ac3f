// The download stage against a loopback update server that misbehaves on purpose: a transfer
// that does not bring the announced length leaves the old file as it was and nothing temporary
// behind; a failed length probe leaves the file alone without ending the stage.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>

#include "PassHarness.h"
#include "TickSampler.h"
#include "app/Application.h"
#include "app/CodePageText.h"
#include "app/Cursor.h"
#include "app/Handles.h"
#include "client/LocalFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

const char* const kNoCompany = "DomainIP=10.0.0.1\r\n";
const std::string kServerFolder = "FTPHome/TolvarService/files/";
const char* const kListedDate = "2007-05-01";
const char* const kListedTime = "12:00:00";

// Packed DOS date and time of the list's stamp, 2007-05-01 12:00:00.
constexpr uint32_t kListedStamp = (uint32_t((2007 - 1980) << 9 | 5 << 5 | 1) << 16) | (12 << 11);

// Bytes that differ from position to position and from one seed to another, so that a file
// cut short, shifted or mixed with another shows.
std::string Bytes(size_t size, unsigned seed) {
    std::string s(size, '\0');
    uint32_t x = 2463534242u ^ seed;
    for (char& c : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    return s;
}

bool Requested(const std::vector<std::string>& requests, const std::string& request) {
    return std::find(requests.begin(), requests.end(), request) != requests.end();
}

// A loopback port that nothing listens on: bound, looked at and given back.
int ClosedPort() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    WSACleanup();
    return ntohs(address.sin_port);
}

std::string ProgramOf(const std::string& startedLine) { return startedLine.substr(0, startedLine.find('|')); }

class Download : public ::testing::Test {
protected:
    PassHarness pass{"download_server"};
    ScratchDir files{"download-files"};  // the local folder the list names

    const std::string oldA = Bytes(1700, 1);  // the installed a.dll, older than the server's
    const std::string newA = Bytes(5000, 2);
    const std::string newB = Bytes(3000, 3);

    std::string Local(const std::string& name) const { return files / name; }
    static std::string Url(const std::string& name) { return "/" + kServerFolder + name; }

    // a.dll and b.dll listed in that order; b.dll with its true size.
    void ServeList(const std::string& sizeOfA = "5000") const {
        const std::string stamp = std::string(" ") + kListedDate + " " + kListedTime;
        pass.ServeUpgradeList({"SPATH /TolvarService/files", "CPATH " + files.Path(), "FILE a.dll " + sizeOfA + stamp,
                               "FILE b.dll 3000" + stamp});
    }
    void ServeFiles() const {
        pass.ServeFile(kServerFolder + "a.dll", newA);
        pass.ServeFile(kServerFolder + "b.dll", newB);
    }
    void FaultOnA(const std::string& fault) const { pass.SetFaults("{\"" + Url("a.dll") + "\": " + fault + "}"); }
};

// Samples the window while the pass runs (TickSampler).
class StageSampler {
public:
    struct Sample {
        std::string caption, text;
        int32_t max, value;
        bool busy;  // the hourglass shows
    };
    explicit StageSampler(TfmDownloading* form)
        : sampler_([this, form] {
              TskSkinGauge* gauge = form->ProgressBar1;
              samples.push_back({form->Caption(), gauge->ProgressText(), gauge->MaxValue(), gauge->Value(),
                                 TBusyCursor::ScreenCursor() != nullptr});
          }) {}
    std::vector<Sample> samples;

private:
    TickSampler sampler_;
};

}  // namespace

// Faults of a.dll, the first of two listed files, while a.dll is installed in an older version.
struct FaultCase {
    const char* name;
    std::string fault;
    bool probeFails;  // the length probe fails: the stage goes on with b.dll
    // A reset may reach the GET while its answer is still being read: the download then fails
    // before the length probe is sent.
    bool mayFailBeforeTheProbe = false;
    // Waits out the program's own limits of 30 s rather than the short ones the other cases
    // give the download, so that those limits are the ones tested somewhere.
    bool programLimits = false;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class DownloadFault : public Download, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(DownloadFault, LeavesTheInstalledFileAsItWasAndNothingTemporary) {
    WriteTestFile(Local("a.dll"), oldA);
    const uint32_t oldStamp = PackedTimeOf(Local("a.dll"));
    ServeList();
    ServeFiles();
    pass.ServeFile(kServerFolder + "moved.dll", Bytes(5000, 4));
    FaultOnA(GetParam().fault);

    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    if (!GetParam().programLimits)
        form->DownloadLimits = {std::chrono::seconds(5), std::chrono::seconds(5), {std::chrono::seconds(5), 2048}};
    const auto start = std::chrono::steady_clock::now();
    const PassOutcome out = pass.Run();
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    // The pass as a whole, with the list and b.dll: an upper bound with generous slack over the
    // 30 s that one stalled file may cost at most, never a measurement.
    RecordProperty("elapsed_ms", std::to_string(elapsed.count()));
    std::printf("[ elapsed  ] %s: %lld ms\n", GetParam().name, static_cast<long long>(elapsed.count()));
    EXPECT_LT(elapsed, std::chrono::seconds(100));

    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty()) << "nothing is shown to the user";
    ASSERT_EQ(out.started.size(), 1u) << "the finish step still runs";
    EXPECT_EQ(ProgramOf(out.started[0]), "TH.exe");
    EXPECT_TRUE(Requested(out.requests, "GET " + Url("a.dll")));
    if (!GetParam().mayFailBeforeTheProbe) {
        EXPECT_TRUE(Requested(out.requests, "HEAD " + Url("a.dll")));
    }

    EXPECT_TRUE(ReadTestFile(Local("a.dll")) == oldA) << "the installed file is byte for byte as it was";
    EXPECT_EQ(PackedTimeOf(Local("a.dll")), oldStamp) << "and not stamped as if it were the listed one";

    if (GetParam().probeFails) {
        EXPECT_EQ(FileNamesIn(files.Path()), (std::set<std::string>{"a.dll", "b.dll"}));
        EXPECT_TRUE(Requested(out.requests, "GET " + Url("b.dll"))) << "the stage goes on";
        EXPECT_TRUE(ReadTestFile(Local("b.dll")) == newB);
        EXPECT_EQ(PackedTimeOf(Local("b.dll")), kListedStamp);
        EXPECT_TRUE(form->FTPView.empty());
    } else {
        EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"a.dll"});
        EXPECT_FALSE(Requested(out.requests, "GET " + Url("b.dll"))) << "a failed download ends the stage";
        ASSERT_EQ(form->FTPView.size(), 2u) << "the failed record and the rest stay undone";
        EXPECT_EQ(form->FTPView.front().FileName, "a.dll");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Server, DownloadFault,
    ::testing::Values(FaultCase{"DropsAt10Percent", R"({"drop_after_percent": 10})", false},
                      FaultCase{"DropsAt50Percent", R"({"drop_after_percent": 50})", false},
                      FaultCase{"DropsAt90Percent", R"({"drop_after_percent": 90})", false},
                      FaultCase{"ResetsAt50Percent", R"({"drop_after_percent": 50, "reset": true})", false, true},
                      FaultCase{"Sends5200For5000", R"({"extra_bytes": 200})", false},
                      FaultCase{"AnnouncesNoLength", R"({"no_length": true})", false},
                      // The error page has the file's length: only the status tells it apart.
                      FaultCase{"AnswersTheGetWith404",
                                R"({"status": 404, "methods": ["GET"], "body": ")" + std::string(5000, 'e') + "\"}",
                                false},
                      FaultCase{"BodyNeverEnds", R"({"endless": true})", false},
                      FaultCase{"StallsAfterHalf", R"({"stall_after_percent": 50})", false, false, true},
                      // Just enough for every span of the 5 s stall limit, far too little on average.
                      FaultCase{"TricklesAKibEvery4Seconds", R"({"trickle": [1024, 4]})", false},
                      FaultCase{"NeverAnswers", R"({"silent": true})", false, true},
                      FaultCase{"HeadersAByteASecond", R"({"head_rate": 1})", false, true},
                      FaultCase{"HeadersOfTheProbeAByteASecond", R"({"head_rate": 1, "methods": ["HEAD"]})", true},
                      FaultCase{"AnswersTheHeadWith404", R"({"status": 404, "methods": ["HEAD"]})", true},
                      FaultCase{"Redirects", R"({"redirect": "/FTPHome/TolvarService/files/moved.dll"})", true}),
    [](const ::testing::TestParamInfo<FaultCase>& c) { return std::string(c.param.name); });

// A complete download replaces the installed file, is stamped with the list's time and is
// fresh on the next pass. An empty file is a file like any other.
class DownloadComplete : public Download, public ::testing::WithParamInterface<size_t> {};

TEST_P(DownloadComplete, ReplacesTheFileStampsItAndIsFreshOnTheNextPass) {
    const std::string served = Bytes(GetParam(), 5);
    WriteTestFile(Local("a.dll"), oldA);
    pass.ServeUpgradeList({"SPATH /TolvarService/files", "CPATH " + files.Path(),
                           "FILE a.dll " + std::to_string(GetParam()) + " " + kListedDate + " " + kListedTime});
    pass.ServeFile(kServerFolder + "a.dll", served);

    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(out.requests, (std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt",
                                                      "GET " + Url("a.dll"), "HEAD " + Url("a.dll")}));
    EXPECT_TRUE(ReadTestFile(Local("a.dll")) == served);
    EXPECT_EQ(PackedTimeOf(Local("a.dll")), kListedStamp);
    EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"a.dll"}) << "nothing temporary is left";
    EXPECT_EQ(form->ProgressBar1->MaxValue(), int32_t(GetParam()));
    EXPECT_EQ(form->ProgressBar1->Value(), int32_t(GetParam()));
    EXPECT_TRUE(form->FTPView.empty());
    ASSERT_EQ(out.started.size(), 1u);

    form = pass.MakeForm({}, kNoCompany);
    out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_EQ(out.requests, std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt"})
        << "the file is fresh: neither probed nor fetched again";
    EXPECT_EQ(form->Caption(), "Update Checking...") << "the download stage is not entered";
    EXPECT_TRUE(ReadTestFile(Local("a.dll")) == served);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DownloadComplete, ::testing::Values(size_t(5000), size_t(0)),
                         [](const ::testing::TestParamInfo<size_t>& c) {
                             return "Of" + std::to_string(c.param) + "Bytes";
                         });

TEST_F(Download, AFileOfAnotherSizeThanListedIsDeletedAndTheStageGoesOn) {
    ServeList("4000");  // the server's a.dll has 5000 bytes
    ServeFiles();
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(Requested(out.requests, "GET " + Url("a.dll")));
    EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"b.dll"});
    EXPECT_TRUE(ReadTestFile(Local("b.dll")) == newB);
    EXPECT_EQ(PackedTimeOf(Local("b.dll")), kListedStamp);
    EXPECT_TRUE(form->FTPView.empty());
    EXPECT_EQ(out.started.size(), 1u);
}

TEST_F(Download, AnInstalledFileInUseEndsThePassWithTheErrorReport) {
    WriteTestFile(Local("a.dll"), oldA);
    // Held as a running program holds its file: others may read and write it, not replace it.
    UniqueFile held(CreateFileA(Local("a.dll").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    ServeList();
    ServeFiles();

    const PassOutcome out = pass.RunPass({}, kNoCompany);
    EXPECT_FALSE(out.closed) << "the window stays open and idle";
    ASSERT_EQ(out.boxes.size(), 1u);
    const std::wstring prefix = L"Cannot create file \"" + AnsiToWide(Local("a.dll")) + L"\". ";
    EXPECT_EQ(out.boxes[0].text.substr(0, prefix.size()), prefix);
    EXPECT_GT(out.boxes[0].text.size(), prefix.size() + 1) << "followed by the system's description";
    EXPECT_EQ(out.boxes[0].caption, L"TolvarClient");
    EXPECT_EQ(out.boxes[0].flags, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(out.started.empty()) << "nothing is launched";
    EXPECT_FALSE(Requested(out.requests, "GET " + Url("b.dll")));
    EXPECT_EQ(TBusyCursor::ScreenCursor(), nullptr) << "the hourglass goes on the error's way out too";

    held.Reset();
    EXPECT_TRUE(ReadTestFile(Local("a.dll")) == oldA);
    EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"a.dll"});
}

TEST_F(Download, TheStageShowsItsCaptionAndTheFileOnTheGaugeWhileItReads) {
    pass.ServeUpgradeList({"SPATH /TolvarService/files", "CPATH " + files.Path(),
                           std::string("FILE a.dll 5000 ") + kListedDate + " " + kListedTime});
    pass.ServeFile(kServerFolder + "a.dll", newA);
    FaultOnA(R"({"rate": 20000, "methods": ["GET"]})");  // a quarter of a second of reading

    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    StageSampler sampler(form);
    const PassOutcome out = pass.Run();
    ASSERT_TRUE(out.closed);

    bool midway = false;
    int32_t last = 0;
    for (const StageSampler::Sample& s : sampler.samples) {
        if (s.text != "a.dll") continue;
        EXPECT_EQ(s.caption, "Update...");
        if (s.value == 0) continue;  // before the first read
        EXPECT_EQ(s.max, 5000);
        EXPECT_TRUE(s.busy);
        EXPECT_GE(s.value, last) << "the gauge only moves forward";
        last = s.value;
        midway = midway || s.value < 5000;
    }
    EXPECT_TRUE(midway) << "the window was pumped between the reads";
    EXPECT_EQ(TBusyCursor::ScreenCursor(), nullptr) << "the hourglass goes with the download";
    EXPECT_EQ(form->ProgressBar1->MaxValue(), 5000);
    EXPECT_EQ(form->ProgressBar1->Value(), 5000);
    EXPECT_TRUE(ReadTestFile(Local("a.dll")) == newA);
}

TEST_F(Download, AServerThatCannotBeReachedFailsTheDownloadAndLeavesTheFile) {
    WriteTestFile(Local("a.dll"), oldA);
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const std::string url = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/" + kServerFolder + "a.dll";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(form->DownloadFile(url, Local("a.dll"), {TFeedFolder::List, 5000}), TDownloadResult::Failed);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    std::printf("[ elapsed  ] ConnectionRefused: %lld ms\n", static_cast<long long>(elapsed.count()));
    EXPECT_LT(elapsed, std::chrono::seconds(60)) << "an upper bound with slack";
    EXPECT_TRUE(ReadTestFile(Local("a.dll")) == oldA);
    EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"a.dll"});
    EXPECT_EQ(TBusyCursor::ScreenCursor(), nullptr);
}

TEST_F(Download, AListedFileWhoseFolderIsMissingArrivesInTheFolderMadeForIt) {
    const std::string nested = files / "new\\deeper\\";
    pass.ServeUpgradeList({"SPATH /TolvarService/files", "CPATH " + nested,
                           std::string("FILE a.dll 5000 ") + kListedDate + " " + kListedTime});
    pass.ServeFile(kServerFolder + "a.dll", newA);
    const PassOutcome out = pass.RunPass({}, kNoCompany);
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_TRUE(ReadTestFile(nested + "a.dll") == newA);
    EXPECT_EQ(PackedTimeOf(nested + "a.dll"), kListedStamp);
    EXPECT_EQ(FileNamesIn(nested), std::set<std::string>{"a.dll"});
}

// A download killed mid-transfer leaves its temporary file; the next write into that folder
// takes it away, and nothing else: not a file of another name, not one still being written.
TEST_F(Download, TheNextDownloadRemovesALeftoverTemporaryFileAndNothingElse) {
    const std::set<std::string> others = {"tvd1a2.tmp.keep", "tvdxyz.tmp", "other.tmp",
                                          "tvd12345.tmp",    "tvd.tmp",    "mine1.tmp"};
    for (const std::string& name : others) WriteTestFile(Local(name), "keep");
    WriteTestFile(Local("tvd1A2.tmp"), "left by a killed download");
    WriteTestFile(Local("TVDbeef.TMP"), "left as well");
    WriteTestFile(Local("tvdC0DE.tmp"), "another client is still writing this");
    const UniqueFile writing(CreateFileA(Local("tvdC0DE.tmp").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writing);
    pass.ServeUpgradeList({"SPATH /TolvarService/files", "CPATH " + files.Path(),
                           std::string("FILE a.dll 5000 ") + kListedDate + " " + kListedTime});
    pass.ServeFile(kServerFolder + "a.dll", newA);
    const PassOutcome out = pass.RunPass({}, kNoCompany);
    EXPECT_TRUE(out.closed);
    std::set<std::string> expected = others;
    expected.insert({"a.dll", "tvdC0DE.tmp"});
    EXPECT_EQ(FileNamesIn(files.Path()), expected);
    EXPECT_TRUE(ReadTestFile(Local("a.dll")) == newA);
}
