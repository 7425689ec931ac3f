// Company builds made by the stamper, run as real processes under Wine against the loopback
// update server: a 1.3 client that updates itself to 1.4 across three processes, and a build
// for another company that runs its pass in that company's folder; and a build stamped with an
// https root doing all of it over TLS.
#include <gtest/gtest.h>

#include <windows.h>

#include "FeedSigner.h"
#include "ProcessTree.h"
#include "Processes.h"
#include "TestFiles.h"
#include "testserver/TestServer.h"

using namespace tolvar::test;

namespace {

const std::string kClient13 = LocalPath(CLIENT_1_3_EXE);
const std::string kClient14 = LocalPath(CLIENT_1_4_EXE);
const std::string kStamp = LocalPath(STAMP_EXE);
const std::string kRecorder = LocalPath(RECORDER_EXE);
const std::string kService = "C:\\Marvane\\TolvarService\\";

// A run of the client and of what it starts is bounded, so that a cycle that never ends is a
// failure and not a hang: until the host starts (a few seconds as a rule), and then until the
// last process has ended.
constexpr DWORD kHostStartMs = 60000;
constexpr DWORD kRunEndMs = 30000;

std::string TodaysDayCode() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return std::to_string((int(t.wYear) - int(t.wMonth)) * int(t.wDay));
}

class CompanyBuild : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server) << "no update server: run this test through ctest";
        RemoveTree(server.Root());
        CreateDirectoryA(server.Root().c_str(), nullptr);
        server.SetFaults("{}");
        RemoveTree(kService);
        CreateDirectoryA("C:\\Marvane", nullptr);
        CreateDirectoryA(kService.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(kRecorder.c_str(), (kService + "TolvarHost.exe").c_str(), FALSE));
        SetEnvironmentVariableA("TOLVAR_RECORD", record.c_str());
    }
    void TearDown() override {
        tree.EndAll();
        SetEnvironmentVariableA("TOLVAR_RECORD", nullptr);
        for (int i = 0; i < 40 && PathExists(kService); ++i) {
            RemoveTree(kService);
            if (PathExists(kService)) Sleep(50);
        }
    }

    // A copy of `client` made for the company of `settings`, reaching this test's server.
    std::string Stamp(const std::string& client, const std::string& settings, const std::string& name,
                      const std::string& options = "") const {
        const std::string settingsFile = builds / (name + ".txt");
        const std::string out = builds / (name + ".exe");
        WriteTestFile(settingsFile, settings);
        const Started stamp = RunProgram(kStamp,
                                         "\"" + client + "\" \"" + out + "\" --settings \"" + settingsFile +
                                             "\" --update-root " + server.Url + " " + options,
                                         "", 60000);
        EXPECT_TRUE(stamp.finished);
        EXPECT_EQ(stamp.exitCode, 0u);
        return out;
    }
    void Serve(const std::string& relative, const std::string& bytes) const {
        tolvar::testserver::WriteWholeFile(server.Root(relative), bytes);
    }
    // The company's folder offers client 1.4, these bytes.
    void ServeNewClient(const std::string& company, const std::string& client) const {
        Serve("FTPHome/TolvarService/CompanyCode/" + company + "/vercheck.txt", "TolvarClient=1.4\r\n");
        Serve("FTPHome/TolvarService/CompanyCode/" + company + "/Sandrel.exe", client);
    }
    // A list of one program file, a.dll, and the file.
    void ServeListOfOneFile() const {
        Serve("FTPHome/TolvarService/UpGradeList.txt",
              "SPATH /TolvarService\r\nCPATH C:\\Marvane\\TolvarService\r\nFILE a.dll 3 2007-05-01 12:00:00\r\n");
        Serve("FTPHome/TolvarService/a.dll", "abc");
    }
    std::vector<std::string> RequestsSince(size_t from) const { return server.RequestsSince(from); }
    // Starts the client in the working directory (or another program of it, with arguments)
    // and waits until the host has been started and every process of the run has ended; the
    // stand-in's lines.
    std::vector<std::string> RunClient(const std::string& program = "TolvarClient.exe", const std::string& args = "") {
        EXPECT_TRUE(tree.Start(work / program, args, work.Path()));
        if (WaitForLines(record, 1, kHostStartMs).empty()) {
            ADD_FAILURE() << "the host was not started; " << tree.Running() << " processes still running";
            return {};
        }
        EXPECT_TRUE(tree.WaitUntilEnded(kRunEndMs)) << tree.Running() << " processes still running";
        return WaitForLines(record, 0, 0);
    }

    tolvar::testserver::TTestServer server = tolvar::testserver::FindTestServer("selfupdate_server");
    ScratchDir builds{"company-builds"};
    ScratchDir work{"company-work"};
    ScratchDir records{"company-records"};
    const std::string record = records / "started.txt";
    ProcessTree tree;
};

// The same against the update server over TLS: the stamped root is https://localhost:PORT.
class HttpsCompanyBuild : public CompanyBuild {
protected:
    HttpsCompanyBuild() { server = tolvar::testserver::FindTestServer("tls_server"); }
};

std::vector<std::string> PassOf(const std::string& company, bool selfUpdate) {
    const std::string folder = "/FTPHome/TolvarService/CompanyCode/" + company + "/";
    std::vector<std::string> r{"GET /FTPHome/TolvarService/UpGradeList.txt", "GET " + folder + "StopCheck.txt",
                               "GET " + folder + "vercheck.txt"};
    if (selfUpdate) {
        r.push_back("GET " + folder + "Sandrel.exe");
        r.push_back("HEAD " + folder + "Sandrel.exe");
    }
    for (const char* logo : {"mark.png", "mark.jpg", "mark.gif", "mark.bmp", "mark.ico"})
        r.push_back("GET " + folder + logo);
    return r;
}

}  // namespace

TEST_F(CompanyBuild, AnOldClientStagesTheNewOneWhichTakesItsPlaceAndStartsTheHost) {
    const std::string settings =
        "CompanyCode=SELF\r\nDomainIP=10.9.8.7\r\nDomainPort=7101\r\nMainIP=10.9.8.6\r\nMainPort=7102\r\n"
        "CompanyName=Selfco\r\nCompanyTel=02-000-1111\r\nHomePage=http://self.example\r\n";
    const std::string old = ReadTestFile(Stamp(kClient13, settings, "client-1.3"));
    const std::string fresh = ReadTestFile(Stamp(kClient14, settings, "client-1.4"));
    ASSERT_FALSE(old.empty());
    ASSERT_FALSE(fresh.empty());
    ASSERT_NE(old, fresh);
    WriteTestFile(work / "TolvarClient.exe", old);
    ServeNewClient("SELF", fresh);

    const size_t before = server.Requests().size();
    const std::vector<std::string> started = RunClient();

    // The 1.3 pass staged the new client; the copy put it in place; the 1.4 pass, finding
    // nothing newer than itself, deleted the staged file and started the host once.
    EXPECT_EQ(ReadTestFile(work / "TolvarClient.exe"), fresh);
    EXPECT_FALSE(PathExists(work / "Sandrel.exe"));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], "TH.exe|c:\\Marvane\\TolvarService|" + TodaysDayCode() +
                              " ` 1 SELF 10.9.8.7 7101 10.9.8.6 7102 Selfco 02-000-1111 http://self.example");
    std::vector<std::string> expected = PassOf("SELF", true);
    for (const std::string& r : PassOf("SELF", false)) expected.push_back(r);
    EXPECT_EQ(RequestsSince(before), expected);
}

TEST_F(CompanyBuild, AClientStampedForAnotherCompanyRunsInThatCompanysFolder) {
    const std::string settings =
        "CompanyCode=NORTH7\r\nDomainIP=192.0.2.10\r\nDomainPort=9100\r\nMainIP=192.0.2.11\r\nMainPort=9101\r\n"
        "CompanyName=Northwind\r\nCompanyTel=031-000-7777\r\nHomePage=http://north.example\r\n";
    CopyFileA(Stamp(kClient13, settings, "north").c_str(), (work / "TolvarClient.exe").c_str(), FALSE);
    Serve("FTPHome/TolvarService/CompanyCode/NORTH7/vercheck.txt", "TolvarClient=1.3\r\n");
    Serve("FTPHome/TolvarService/CompanyCode/NORTH7/mark.ico", "north's logo");

    const size_t before = server.Requests().size();
    const std::vector<std::string> started = RunClient();

    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0],
              "TH.exe|c:\\Marvane\\TolvarService|" + TodaysDayCode() +
                  " ` 1 NORTH7 192.0.2.10 9100 192.0.2.11 9101 Northwind 031-000-7777 http://north.example");
    std::vector<std::string> expected = PassOf("NORTH7", false);
    expected.push_back("GET /FTPHome/TolvarService/CompanyCode/NORTH7/mark.ico");
    expected.push_back("HEAD /FTPHome/TolvarService/CompanyCode/NORTH7/mark.ico");
    EXPECT_EQ(RequestsSince(before), expected);
    EXPECT_EQ(ReadTestFile(kService + "mark.ico"), "north's logo");
}

TEST_F(CompanyBuild, ABuildWithTheVendorsKeyRunsTheSignedPassAndUpdatesItselfToASignedClient) {
    const FeedSigner signer("feed_signer");
    const std::string settings =
        "CompanyCode=SIGNED\r\nDomainIP=10.9.8.7\r\nDomainPort=7101\r\nMainIP=10.9.8.6\r\n"
        "MainPort=7102\r\n";
    const std::string key = "--feed-key \"" + signer.PublicKeyFile() + "\"";
    const std::string old = ReadTestFile(Stamp(kClient13, settings, "signed-1.3", key));
    const std::string fresh = ReadTestFile(Stamp(kClient14, settings, "signed-1.4", key));
    ASSERT_FALSE(old.empty());
    ASSERT_FALSE(fresh.empty());
    WriteTestFile(work / "TolvarClient.exe", old);
    ServeListOfOneFile();
    ServeNewClient("SIGNED", fresh);
    signer.Sign(server.Root());

    const size_t before = server.Requests().size();
    const std::vector<std::string> started = RunClient();

    EXPECT_EQ(ReadTestFile(work / "TolvarClient.exe"), fresh);
    EXPECT_EQ(ReadTestFile(kService + "a.dll"), "abc");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0],
              "TH.exe|c:\\Marvane\\TolvarService|" + TodaysDayCode() + " ` 1 SIGNED 10.9.8.7 7101 10.9.8.6 7102 ` ` `");
    const std::string folder = "/FTPHome/TolvarService/CompanyCode/SIGNED/";
    const std::vector<std::string> pass13 = {"GET /FTPHome/TolvarService/UpGradeList.sig",
                                             "GET /FTPHome/TolvarService/UpGradeList.txt",
                                             "GET /FTPHome/TolvarService/a.dll",
                                             "HEAD /FTPHome/TolvarService/a.dll",
                                             "GET " + folder + "Company.sig",
                                             "GET " + folder + "vercheck.txt",
                                             "GET " + folder + "Sandrel.exe",
                                             "HEAD " + folder + "Sandrel.exe"};
    const std::vector<std::string> pass14 = {"GET /FTPHome/TolvarService/UpGradeList.sig",
                                             "GET /FTPHome/TolvarService/UpGradeList.txt",
                                             "GET " + folder + "Company.sig", "GET " + folder + "vercheck.txt"};
    std::vector<std::string> expected = pass13;
    expected.insert(expected.end(), pass14.begin(), pass14.end());
    EXPECT_EQ(RequestsSince(before), expected);
}

// A new client the vendor signed but did not stamp with the key would make every workstation
// keyless from then on: the keyed client neither starts it nor lets copy mode install it.
TEST_F(CompanyBuild, ABuildWithTheKeyTakesNoNewClientWithoutTheSameKey) {
    const FeedSigner signer("feed_signer");
    const std::string settings = "CompanyCode=KEPT\r\nDomainIP=10.9.8.7\r\n";
    const std::string old =
        ReadTestFile(Stamp(kClient13, settings, "kept-1.3", "--feed-key \"" + signer.PublicKeyFile() + "\""));
    const struct {
        const char* what;
        std::string fresh;
    } cases[] = {
        {"no key", ReadTestFile(Stamp(kClient14, settings, "kept-1.4-keyless"))},
        {"another key", ReadTestFile(Stamp(kClient14, settings, "kept-1.4-other",
                                           "--feed-key \"" + signer.PublicKeyFile("other") + "\""))},
    };
    const std::string folder = "/FTPHome/TolvarService/CompanyCode/KEPT/";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.fresh.empty());
        WriteTestFile(work / "TolvarClient.exe", old);
        ServeNewClient("KEPT", c.fresh);
        signer.Sign(server.Root());

        // The pass stages the signed file, finds it without the key, and starts the host.
        size_t before = server.Requests().size();
        std::vector<std::string> started = RunClient();
        EXPECT_EQ(ReadTestFile(work / "TolvarClient.exe"), old);
        EXPECT_FALSE(PathExists(work / "Sandrel.exe")) << "not kept either";
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].substr(0, started[0].find('|')), "TH.exe");
        EXPECT_EQ(RequestsSince(before),
                  (std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.sig",
                                            "GET " + folder + "Company.sig", "GET " + folder + "vercheck.txt",
                                            "GET " + folder + "Sandrel.exe", "HEAD " + folder + "Sandrel.exe"}));

        // Copy mode started by hand with it staged: the keyed client stays and is started.
        WriteTestFile(work / "Sandrel.exe", c.fresh);
        WriteTestFile(record, "");
        Serve("FTPHome/TolvarService/CompanyCode/KEPT/vercheck.txt", "TolvarClient=1.3\r\n");
        signer.Sign(server.Root());
        before = server.Requests().size();
        started = RunClient("Sandrel.exe", "copy");
        EXPECT_EQ(ReadTestFile(work / "TolvarClient.exe"), old) << "copy mode refused to install it";
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].substr(0, started[0].find('|')), "TH.exe");
        EXPECT_EQ(RequestsSince(before),
                  (std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.sig",
                                            "GET " + folder + "Company.sig", "GET " + folder + "vercheck.txt"}))
            << "the pass of the client that stayed";
        EXPECT_FALSE(PathExists(work / "Sandrel.exe")) << "which deleted the staged file";
        WriteTestFile(record, "");
    }
}

TEST_F(HttpsCompanyBuild, StampedWithAnHttpsRootRunsEveryRequestOverTlsAndUpdatesItself) {
    const std::string settings = "CompanyCode=SECURE\r\nDomainIP=10.9.8.7\r\nDomainPort=7101\r\n";
    ASSERT_EQ(server.Url.rfind("https://localhost:", 0), 0u) << server.Url;
    const std::string old = ReadTestFile(Stamp(kClient13, settings, "https-1.3"));
    const std::string fresh = ReadTestFile(Stamp(kClient14, settings, "https-1.4"));
    ASSERT_FALSE(old.empty());
    ASSERT_FALSE(fresh.empty());
    WriteTestFile(work / "TolvarClient.exe", old);
    ServeListOfOneFile();
    ServeNewClient("SECURE", fresh);

    const size_t before = server.Requests().size();
    const std::vector<std::string> started = RunClient();

    EXPECT_EQ(ReadTestFile(kService + "a.dll"), "abc");
    EXPECT_EQ(ReadTestFile(work / "TolvarClient.exe"), fresh);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], "TH.exe|c:\\Marvane\\TolvarService|" + TodaysDayCode() + " ` 1 SECURE 10.9.8.7 7101   ` ` `");
    std::vector<std::string> expected = PassOf("SECURE", true);
    expected.insert(expected.begin() + 1, {"GET /FTPHome/TolvarService/a.dll", "HEAD /FTPHome/TolvarService/a.dll"});
    for (const std::string& r : PassOf("SECURE", false)) expected.push_back(r);
    EXPECT_EQ(RequestsSince(before), expected);
    // Every one of them over TLS, to the server named localhost.
    const std::vector<std::string> log = server.Requests();
    for (size_t i = before; i < log.size(); ++i) {
        EXPECT_NE(log[i].find("\"listener\": \"good\", \"sni\": \"localhost\""), std::string::npos) << log[i];
    }
}
