// The pass of a build that carries the vendor's key, against a server root the vendor's tool
// signed and then someone changed; and the same server for a build without a key.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>

#include "../company/CompanyPass.h"
#include "FeedSigner.h"
#include "TickSampler.h"
#include "app/Handles.h"
#include "app/TemporaryFile.h"
#include "client/HostLaunch.h"
#include "client/LocalFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

using Requests = std::vector<std::string>;

const char* const kAcme = "CompanyCode=ACME\r\n";
const std::string kService = "FTPHome/TolvarService/";
const std::string kListSig = "GET /FTPHome/TolvarService/UpGradeList.sig";
const std::vector<std::string> kList = {"SPATH /TolvarService", "CPATH C:\\Marvane\\TolvarService",
                                        "FILE a.dll 3 2007-05-01 12:00:00", "FILE b.dll 4 2007-05-01 12:00:00",
                                        "FILE c.dll 2 2007-05-01 12:00:00"};

Requests Fetches(std::initializer_list<const char*> names) {
    Requests r;
    for (const char* name : names) {
        r.push_back("GET /" + kService + name);
        r.push_back("HEAD /" + kService + name);
    }
    return r;
}

Requests Joined(std::initializer_list<Requests> parts) {
    Requests all;
    for (const Requests& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// What the service directory holds: the three listed files and the host with its launch copy,
// and nothing half-written beside them.
std::set<std::string> ServiceFiles() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(kServiceDirectory) + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// Notes, while the pass runs (TickSampler), the items the gauge shows while a temporary file is
// in the folder.
class TemporaryFileWatch {
public:
    TemporaryFileWatch(TfmDownloading* form, const std::string& folder)
        : sampler_([this, form, folder] {
              for (const std::string& name : FileNamesIn(folder))
                  if (IsTemporaryName(name, kTemporaryPrefix)) seenDuring.insert(form->ProgressBar1->ProgressText());
          }) {}
    std::set<std::string> seenDuring;

private:
    TickSampler sampler_;
};

class SignedPass : public ::testing::Test {
protected:
    PassHarness pass{"feed_server"};
    FeedSigner signer{"feed_signer"};

    void Serve(const std::string& relative, const std::string& bytes) const { pass.ServeFile(relative, bytes); }
    void ServeCompany(const std::string& name, const std::string& bytes) const { Serve(kAcmeFolder + name, bytes); }
    void ServeListed() const {
        pass.ServeUpgradeList(kList);
        Serve(kService + "a.dll", "abc");
        Serve(kService + "b.dll", "beta");
        Serve(kService + "c.dll", "cc");
    }
    void Sign(const std::string& key = "vendor") const { signer.Sign(pass.Server().Root(), key); }

    // The form of a build that carries the vendor's key.
    TfmDownloading* KeyedForm(const std::string& settings) {
        TfmDownloading* form = pass.MakeForm({}, settings);
        form->Feed.SetKey(signer.PublicKey());
        return form;
    }

    // The host started by the pass that was run `run` of this test.
    static void ExpectHostStarted(const PassOutcome& out, const char* mode, size_t run = 1) {
        EXPECT_TRUE(out.closed);
        EXPECT_TRUE(out.boxes.empty());
        ASSERT_EQ(out.started.size(), run);
        const Launch host = ParseLaunch(out.started.back());
        EXPECT_EQ(host.name, "TH.exe");
        EXPECT_EQ(Words(host.args).at(0), TodaysDayCode()) << "the usual command line";
        EXPECT_EQ(Words(host.args).at(2), mode);
    }
    static void ExpectFresh(const char* name, const char* size) {
        EXPECT_FALSE(NeedsDownload(kServiceDirectory, name, size, "2007-05-01", "12:00:00")) << name;
    }

    // The list of kList with the host program among its files, served as the recorder.
    void ServeListedWithHost() const {
        std::vector<std::string> list = kList;
        list.push_back("FILE TolvarHost.exe " + std::to_string(RecorderBytes().size()) + " 2007-05-01 12:00:00");
        pass.ServeUpgradeList(list);
        Serve(kService + "a.dll", "abc");
        Serve(kService + "b.dll", "beta");
        Serve(kService + "c.dll", "cc");
        Serve(kService + "TolvarHost.exe", RecorderBytes());
    }
    // Puts a file of the listed size and time in the service directory: fresh by every test but
    // its hash.
    static void Plant(const std::string& name, const std::string& bytes) {
        WriteTestFile(InService(name), bytes);
        StampFileTime(InService(name), "2007-05-01", "12:00:00");
        ExpectFresh(name.c_str(), std::to_string(bytes.size()).c_str());
    }
    // The recorder with its last byte changed: of the same size, and not what the vendor signed.
    static std::string PlantedHost() {
        std::string bytes = RecorderBytes();
        bytes.back() ^= 0x5A;
        return bytes;
    }
};

}  // namespace

TEST_F(SignedPass, ASignedRootArrivesWholeStampedAndANewClientWithoutTheKeyIsNotStarted) {
    ServeListed();
    ServeCompany("StopCheck.txt", "");
    ServeCompany("vercheck.txt", "TolvarClient=1.4\r\n");
    ServeCompany("Sandrel.exe", RecorderBytes());
    ServeCompany("mark.png", "png");
    Sign();

    TfmDownloading* form = KeyedForm(kAcme);
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(out.requests,
              Joined({{kListSig, kListRequest},
                      Fetches({"a.dll", "b.dll", "c.dll"}),
                      {GetOf("Company.sig"), GetOf("StopCheck.txt"), GetOf("vercheck.txt"), GetOf("Sandrel.exe"),
                       HeadOf("Sandrel.exe"), GetOf("mark.png"), GetOf("mark.png"), HeadOf("mark.png")}}))
        << "the list's manifest first; in the company folder only what it names";
    EXPECT_EQ(ReadTestFile(InService("b.dll")), "beta");
    ExpectFresh("a.dll", "3");
    ExpectFresh("b.dll", "4");
    ExpectFresh("c.dll", "2");
    EXPECT_TRUE(form->StopFlag);
    EXPECT_EQ(ReadTestFile(InService("mark.png")), "png");
    // The vendor signed the new client, but it carries no key: it would run unchecked whatever a
    // server sends from then on. It is not started, nor kept; the host starts instead.
    EXPECT_FALSE(PathExists(pass.Work() / "Sandrel.exe"));
    ExpectHostStarted(out, "2");
}

TEST_F(SignedPass, AFileChangedAfterSigningKeepsItsOldCopyAndTheOthersStillArrive) {
    ServeListed();
    WriteTestFile(InService("b.dll"), "old!");
    Sign();
    Serve(kService + "b.dll", "BETA");  // the same length: only its hash tells

    KeyedForm("");
    const PassOutcome out = pass.Run();
    ExpectHostStarted(out, "1");
    EXPECT_EQ(out.requests, Joined({{kListSig, kListRequest}, Fetches({"a.dll", "b.dll", "c.dll"})}));
    EXPECT_EQ(ReadTestFile(InService("b.dll")), "old!");
    ExpectFresh("a.dll", "3");
    ExpectFresh("c.dll", "2");
    EXPECT_EQ(ServiceFiles(), (std::set<std::string>{"a.dll", "b.dll", "c.dll", "TolvarHost.exe", "TH.exe"}))
        << "no temporary file left";
}

TEST_F(SignedPass, AListThatIsNotTheSignedOneCountsAsNoListAtAll) {
    const std::string manifest = pass.Server().Root(kService + "UpGradeList.sig");
    const struct {
        const char* what;
        std::function<void()> spoil;
        Requests requests;
    } cases[] = {
        {"a line added to the list after signing",
         [&] {
             std::vector<std::string> list = kList;
             list.push_back("FILE evil.dll 4 2007-05-01 12:00:00");
             pass.ServeUpgradeList(list);
             Serve(kService + "evil.dll", "evil");
         },
         {kListSig, kListRequest}},
        {"no manifest", [&] { DeleteFileA(manifest.c_str()); }, {kListSig}},
        {"a manifest cut short",
         [&] {
             const std::string text = ReadTestFile(manifest);
             testserver::WriteWholeFile(manifest, text.substr(0, text.size() / 2));
         },
         {kListSig}},
        {"signed by another key", [&] { Sign("other"); }, {kListSig}},
    };
    size_t run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(pass.Server().Root());
        ServeListed();
        WriteTestFile(InService("a.dll"), "old");
        Sign();
        c.spoil();

        TfmDownloading* form = KeyedForm("");
        const PassOutcome out = pass.Run();
        ExpectHostStarted(out, "1", ++run);
        EXPECT_EQ(out.requests, c.requests) << "no download stage";
        EXPECT_EQ(form->Caption(), "Update Checking...");
        EXPECT_EQ(ReadTestFile(InService("a.dll")), "old");
        EXPECT_FALSE(PathExists(InService("evil.dll")));
    }
}

TEST_F(SignedPass, InTheCompanyFolderOnlyWhatItsManifestNamesAndMatchesCounts) {
    ServeCompany("vercheck.txt", "TolvarClient=1.3\r\n");
    ServeCompany("mark.png", "png");
    ServeCompany("mark.gif", "gif");
    Sign();
    ServeCompany("StopCheck.txt", "");    // added without the manifest
    ServeCompany("mark.png", "new png");  // changed after signing

    TfmDownloading* form = KeyedForm(kAcme);
    const PassOutcome out = pass.Run();
    ExpectHostStarted(out, "1");
    EXPECT_FALSE(form->StopFlag);
    EXPECT_EQ(form->VersionCheckMemo, TextLines{"TolvarClient=1.3"});
    EXPECT_EQ(out.requests, (Requests{kListSig, GetOf("Company.sig"), GetOf("vercheck.txt"), GetOf("mark.png"),
                                      GetOf("mark.gif"), GetOf("mark.gif"), HeadOf("mark.gif")}))
        << "no list on the server; the unsigned stop flag is not even asked for";
    EXPECT_FALSE(PathExists(InService("mark.png")));
    EXPECT_EQ(ReadTestFile(InService("mark.gif")), "gif");
}

TEST_F(SignedPass, ANewClientChangedAfterSigningIsNeitherStagedNorStarted) {
    ServeCompany("vercheck.txt", "TolvarClient=1.4\r\n");
    ServeCompany("Sandrel.exe", RecorderBytes());
    Sign();
    ServeCompany("Sandrel.exe", RecorderBytes() + "tampered");

    KeyedForm(kAcme);
    const PassOutcome out = pass.Run();
    ExpectHostStarted(out, "1");
    EXPECT_EQ(out.requests, (Requests{kListSig, GetOf("Company.sig"), GetOf("vercheck.txt"), GetOf("Sandrel.exe"),
                                      HeadOf("Sandrel.exe")}));
    EXPECT_FALSE(PathExists(pass.Work() / "Sandrel.exe"));
}

TEST_F(SignedPass, AnotherCompanysManifestVouchesForNothingHere) {
    const std::string other = "FTPHome/TolvarService/CompanyCode/OTHER/";
    Serve(other + "StopCheck.txt", "");
    Serve(other + "vercheck.txt", "TolvarClient=1.4\r\n");
    Sign();
    ServeCompany("StopCheck.txt", "");
    ServeCompany("vercheck.txt", "TolvarClient=1.4\r\n");
    ServeCompany("Company.sig", ReadTestFile(pass.Server().Root(other + "Company.sig")));

    TfmDownloading* form = KeyedForm(kAcme);
    const PassOutcome out = pass.Run();
    ExpectHostStarted(out, "1");
    EXPECT_FALSE(form->StopFlag);
    EXPECT_EQ(out.requests, (Requests{kListSig, GetOf("Company.sig")}));
}

TEST_F(SignedPass, AnUnsignedServerUpdatesNothingForAKeyedBuildAndAsEverForABuildWithout) {
    ServeListed();
    ServeCompany("StopCheck.txt", "");
    ServeCompany("vercheck.txt", "TolvarClient=1.3\r\n");
    ServeCompany("mark.png", "png");

    KeyedForm(kAcme);
    const PassOutcome keyed = pass.Run();
    ExpectHostStarted(keyed, "1");
    EXPECT_EQ(keyed.requests, (Requests{kListSig, GetOf("Company.sig")}));
    EXPECT_EQ(ServiceFiles(), (std::set<std::string>{"TolvarHost.exe", "TH.exe"}));

    // The very requests and results of a build from before signed updates.
    const PassOutcome keyless = pass.RunPass({}, kAcme);
    ExpectHostStarted(keyless, "2", 2);
    EXPECT_EQ(keyless.requests, Joined({{kListRequest},
                                        Fetches({"a.dll", "b.dll", "c.dll"}),
                                        {GetOf("StopCheck.txt"), GetOf("vercheck.txt"), GetOf("mark.png"),
                                         GetOf("mark.png"), HeadOf("mark.png"), GetOf("mark.jpg"), GetOf("mark.gif"),
                                         GetOf("mark.bmp"), GetOf("mark.ico")}}));
    ExpectFresh("a.dll", "3");
    ExpectFresh("b.dll", "4");
    ExpectFresh("c.dll", "2");
    EXPECT_EQ(ReadTestFile(InService("mark.png")), "png");

    // Manifests on the server change nothing for it: it never asks for them.
    Sign();
    RemoveTree(kServiceDirectory);
    pass.SetHostInstalled(true);
    EXPECT_EQ(pass.RunPass({}, kAcme).requests, keyless.requests);
}

TEST_F(SignedPass, PlantedFilesOfTheListedSizeAndTimeAreReplacedAndOnlyTheSignedHostIsStarted) {
    ServeListedWithHost();
    Sign();
    Plant("a.dll", "xyz");
    Plant("b.dll", "beta");  // the signed one: left alone
    Plant("c.dll", "cc");
    Plant("TolvarHost.exe", PlantedHost());

    KeyedForm("");
    const PassOutcome out = pass.Run();
    ExpectHostStarted(out, "1");
    EXPECT_EQ(out.requests, Joined({{kListSig, kListRequest}, Fetches({"a.dll", "TolvarHost.exe"})}))
        << "what looked fresh but is not the signed file is fetched, and only that";
    EXPECT_EQ(ReadTestFile(InService("a.dll")), "abc");
    EXPECT_TRUE(ReadTestFile(InService("TolvarHost.exe")) == RecorderBytes());
    EXPECT_TRUE(ReadTestFile(InService("TH.exe")) == RecorderBytes())
        << "the launch copy that started is the signed host";
    ExpectFresh("TolvarHost.exe", std::to_string(RecorderBytes().size()).c_str());

    // A build without a key judges by size and time alone, as it always has.
    Plant("a.dll", "xyz");
    EXPECT_EQ(pass.RunPass({}, "").requests, Requests{kListRequest});
    EXPECT_EQ(ReadTestFile(InService("a.dll")), "xyz");
}

TEST_F(SignedPass, AHostThatCannotBeHadAsSignedIsNotStartedAndCountsAsMissing) {
    ServeListedWithHost();
    Sign();
    const struct {
        const char* what;
        std::function<void()> spoil;
        std::string host;  // what TolvarHost.exe holds afterwards
        Requests requests;
    } cases[] = {
        {"planted, and changed on the server after signing",
         [&] {
             Serve(kService + "TolvarHost.exe", PlantedHost());
             Plant("TolvarHost.exe", PlantedHost());
         },
         PlantedHost(),
         // Fetched in the download stage and again before the start, refused both times.
         Joined({{kListSig, kListRequest}, Fetches({"a.dll", "b.dll", "c.dll", "TolvarHost.exe", "TolvarHost.exe"})})},
        {"the signed host, but a launch copy in use that is not",
         [&] {
             Serve(kService + "TolvarHost.exe", RecorderBytes());
             Plant("TolvarHost.exe", RecorderBytes());
         },
         RecorderBytes(), Joined({{kListSig, kListRequest}, Fetches({"a.dll", "b.dll", "c.dll"})})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(kServiceDirectory);
        CreateDirectoryA(kServiceDirectory, nullptr);
        c.spoil();
        // A launch copy held open by a process of its own, so that it can be neither deleted
        // nor replaced: the pass finds what was planted there.
        WriteTestFile(InService("TH.exe"), PlantedHost());
        const UniqueFile inUse(CreateFileA(InService("TH.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(inUse);

        KeyedForm("");
        const PassOutcome out = pass.Run();
        EXPECT_TRUE(out.closed);
        ASSERT_EQ(out.boxes.size(), 1u);
        EXPECT_EQ(out.boxes[0].text, NoHostMessage()) << "the missing host's message";
        EXPECT_TRUE(out.started.empty()) << "nothing started";
        EXPECT_EQ(out.requests, c.requests);
        EXPECT_TRUE(ReadTestFile(InService("TolvarHost.exe")) == c.host) << "the old file stays";
        EXPECT_EQ(ServiceFiles(), (std::set<std::string>{"a.dll", "b.dll", "c.dll", "TolvarHost.exe", "TH.exe"}))
            << "nothing half-written left";
    }
}

TEST_F(SignedPass, TheListsManifestVouchesForNoCompanyFileWhateverTheListNames) {
    // A list that fetches the company's stop flag as one of its files, signed with it.
    const std::vector<std::string> list = {"SPATH /TolvarService/CompanyCode/ACME", "CPATH " + pass.Work().Path(),
                                           "FILE StopCheck.txt 0 2007-05-01 12:00:00"};
    pass.ServeUpgradeList(list);
    ServeCompany("StopCheck.txt", "");
    Sign();
    DeleteFileA(pass.Server().Root(kAcmeFolder + "Company.sig").c_str());

    TfmDownloading* form = KeyedForm(kAcme);
    const PassOutcome out = pass.Run();
    ExpectHostStarted(out, "1");
    EXPECT_FALSE(form->StopFlag) << "only the company's own manifest makes the stop flag count";
    EXPECT_EQ(out.requests,
              (Requests{kListSig, kListRequest, GetOf("StopCheck.txt"), HeadOf("StopCheck.txt"), GetOf("Company.sig")}))
        << "the list's file arrives as a listed file; the flag itself is not even asked for";
    EXPECT_TRUE(PathExists(pass.Work() / "StopCheck.txt"));
}

TEST_F(SignedPass, AHeadThatAnnouncesAnotherLengthThanTheSignedOneWritesNothing) {
    ServeListed();
    WriteTestFile(InService("a.dll"), "old");
    Sign();
    // The probe announces a gigabyte; the body never ends. (b.dll comes slowly, so that the
    // watch sees its temporary file.)
    pass.SetFaults(R"({"/FTPHome/TolvarService/a.dll": {"head_length": 1073741824, "endless": true},
                       "/FTPHome/TolvarService/b.dll": {"rate": 10, "methods": ["GET"]}})");

    TemporaryFileWatch watch(KeyedForm(""), kServiceDirectory);
    const PassOutcome out = pass.Run();
    ExpectHostStarted(out, "1");
    EXPECT_EQ(out.requests, Joined({{kListSig, kListRequest}, Fetches({"a.dll", "b.dll", "c.dll"})}))
        << "refused as unsigned: the stage goes on";
    EXPECT_FALSE(watch.seenDuring.contains("a.dll")) << "not a byte of the body written, not even to a temporary file";
    EXPECT_TRUE(watch.seenDuring.contains("b.dll")) << "the watch sees what there is";
    EXPECT_EQ(ReadTestFile(InService("a.dll")), "old");
    ExpectFresh("b.dll", "4");
    ExpectFresh("c.dll", "2");
}

TEST_F(SignedPass, AnExpiredRootIsRefusedWholeAndTheHostStillStarts) {
    ServeListed();
    ServeCompany("StopCheck.txt", "");
    ServeCompany("vercheck.txt", "TolvarClient=1.4\r\n");
    ServeCompany("Sandrel.exe", RecorderBytes());
    WriteTestFile(InService("a.dll"), "old");
    Sign();  // good for the signer's 90 days

    const struct {
        const char* what;
        std::chrono::hours ahead;
        Requests requests;
    } cases[] = {
        {"the 91st day", std::chrono::hours(24 * 91), {kListSig, GetOf("Company.sig")}},
        {"the 89th day", std::chrono::hours(24 * 89),
         Joined({{kListSig, kListRequest},
                 Fetches({"a.dll", "b.dll", "c.dll"}),
                 {GetOf("Company.sig"), GetOf("StopCheck.txt"), GetOf("vercheck.txt"), GetOf("Sandrel.exe"),
                  HeadOf("Sandrel.exe")}})},
    };
    size_t run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TfmDownloading* form = KeyedForm(kAcme);
        form->Feed.SetClock([ahead = c.ahead] { return ManifestNow() + ahead; });
        const PassOutcome out = pass.Run();
        const bool expired = c.ahead > std::chrono::hours(24 * 90);
        ExpectHostStarted(out, expired ? "1" : "2", ++run);
        EXPECT_EQ(out.requests, c.requests);
        EXPECT_EQ(form->StopFlag, !expired);
        EXPECT_EQ(ReadTestFile(InService("a.dll")), expired ? "old" : "abc");
    }
}
