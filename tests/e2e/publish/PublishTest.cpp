// A release published with tolvarpub and taken up by the real client under Wine: the root the
// tool wrote is served on loopback, a company build brings the workstation up to date and on
// its next start fetches nothing but the list, and tolvarpub check reads the same server.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstdio>

#include "Processes.h"
#include "TestFiles.h"
#include "http/HttpClient.h"
#include "testserver/TestServer.h"

using namespace tolvar::test;
using tolvar::testserver::UnixPath;

namespace {

const std::string kClient = LocalPath(CLIENT_EXE);
const std::string kStamp = LocalPath(STAMP_EXE);
const std::string kRecorder = LocalPath(RECORDER_EXE);
const std::string kService = "C:\\Marvane\\TolvarService\\";

// A run of the client ends within this; its host within this after it.
constexpr DWORD kClientMs = 120000;
constexpr DWORD kHostMs = 60000;

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

std::string QueryEncoded(const std::string& text) {
    std::string encoded;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            encoded += char(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        }
    }
    return encoded;
}

// "2024-05-01 10:20:31" UTC as a file time.
FILETIME UtcTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME st{year, month, 0, day, hour, minute, second, 0};
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

class PublishedRelease : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server) << "no update server: run this test through ctest";
        ASSERT_TRUE(tools) << "no tool runner: run this test through ctest";
        RemoveTree(server.Root());
        RemoveTree(release);
        server.SetFaults("{}");
        RemoveTree("C:\\Marvane");
        CreateDirectoryA("C:\\Marvane", nullptr);
        CreateDirectoryA(kService.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(kRecorder.c_str(), (kService + "TolvarHost.exe").c_str(), FALSE));
        SetEnvironmentVariableA("TOLVAR_RECORD", record.c_str());

        // A release with a nested folder, an empty file and a time of an odd second.
        Put("app\\a.dll", "alpha", UtcTime(2024, 5, 1, 10, 20, 31));
        Put("app\\empty.cfg", "", UtcTime(2024, 5, 1, 10, 20, 30));
        Put("app\\lang\\ko\\strings.txt", "korean", UtcTime(2023, 12, 31, 23, 59, 58));
        Put("extra\\tool.exe", "a tool of its own", UtcTime(2024, 2, 29, 12, 0, 0));
    }
    void TearDown() override {
        SetEnvironmentVariableA("TOLVAR_RECORD", nullptr);
        for (int i = 0; i < 40 && PathExists("C:\\Marvane"); ++i) {
            RemoveTree("C:\\Marvane");
            if (PathExists("C:\\Marvane")) Sleep(50);
        }
        RemoveTree(release);
    }

    void Put(const std::string& relative, const std::string& bytes, FILETIME written) const {
        const std::string path = release + "\\" + relative;
        tolvar::testserver::WriteWholeFile(path, bytes);
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
        CloseHandle(file);
    }

    // A host tool run natively by the tool runner.
    ToolRun Tool(const std::string& tool, const std::vector<std::string>& args) const {
        std::string url = tools.Url + "/run?tool=" + tool;
        for (const std::string& arg : args) url += "&arg=" + QueryEncoded(arg);
        tolvar::THTTPClient client;
        client.SetReadTimeout(std::chrono::minutes(5));
        const std::string answer = client.FetchText(url);
        ToolRun run;
        if (std::sscanf(answer.c_str(), "exit %d", &run.exitCode) != 1) run.exitCode = -1;
        run.output = answer.substr(std::min(answer.size(), answer.find('\n') + 1));
        return run;
    }
    ToolRun Publish(const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {UnixPath(server.Root()),
                                         "--folder",
                                         UnixPath(release + "\\app"),
                                         "/TolvarService",
                                         "C:\\Marvane\\TolvarService",
                                         "--folder",
                                         UnixPath(release + "\\extra"),
                                         "/Extra",
                                         "C:\\Marvane\\Extra",
                                         "--mkdir",
                                         "C:\\Marvane\\Logs"};
        args.insert(args.end(), more.begin(), more.end());
        return Tool("tolvarpub", args);
    }

    // A company build of the client for this test's server, in the working directory.
    void StampClient(const std::string& options = "") const {
        const std::string settings = work / "settings.txt";
        WriteTestFile(settings, "DomainIP=10.0.0.1\r\nDomainPort=7101\r\n");
        const Started stamp = RunProgram(kStamp,
                                         "\"" + kClient + "\" \"" + (work / "TolvarClient.exe") + "\" --settings \"" +
                                             settings + "\" --update-root " + server.Url + " " + options,
                                         "", 60000);
        ASSERT_TRUE(stamp.finished);
        ASSERT_EQ(stamp.exitCode, 0u);
    }
    // One start of the client: the requests it made, once it and the host it started have run.
    std::vector<std::string> RunClient(size_t hostsBefore) const {
        const size_t before = server.Requests().size();
        const Started client = RunProgram(work / "TolvarClient.exe", "", work.Path(), kClientMs);
        EXPECT_TRUE(client.finished);
        EXPECT_EQ(WaitForLines(record, hostsBefore + 1, kHostMs).size(), hostsBefore + 1) << "the host was not started";
        return server.RequestsSince(before);
    }
    void ExpectWorkstationUpToDate() const {
        EXPECT_EQ(ReadTestFile(kService + "a.dll"), "alpha");
        EXPECT_TRUE(PathExists(kService + "empty.cfg"));
        EXPECT_EQ(ReadTestFile(kService + "empty.cfg"), "");
        EXPECT_EQ(ReadTestFile(kService + "lang\\ko\\strings.txt"), "korean");
        EXPECT_EQ(ReadTestFile("C:\\Marvane\\Extra\\tool.exe"), "a tool of its own");
        EXPECT_TRUE(PathExists("C:\\Marvane\\Logs")) << "made by the list's MKDIR line";
    }

    const tolvar::testserver::TTestServer server = tolvar::testserver::FindTestServer("publish_e2e_server");
    const tolvar::testserver::TTestServer tools = tolvar::testserver::FindTestServer("publish_tools");
    const std::string release = tools.File("release");
    ScratchDir work{"publish-work"};
    ScratchDir records{"publish-records"};
    const std::string record = records / "started.txt";
};

const std::vector<std::string> kListedRequests = {"GET /FTPHome/TolvarService/a.dll",
                                                  "HEAD /FTPHome/TolvarService/a.dll",
                                                  "GET /FTPHome/TolvarService/empty.cfg",
                                                  "HEAD /FTPHome/TolvarService/empty.cfg",
                                                  "GET /FTPHome/TolvarService/lang/ko/strings.txt",
                                                  "HEAD /FTPHome/TolvarService/lang/ko/strings.txt",
                                                  "GET /FTPHome/Extra/tool.exe",
                                                  "HEAD /FTPHome/Extra/tool.exe"};

}  // namespace

TEST_F(PublishedRelease, TheClientTakesItUpOnceAndTheCheckPassesUntilAFileOfAnotherSizeIsUploaded) {
    const ToolRun published = Publish();
    ASSERT_EQ(published.exitCode, 0) << published.output;
    StampClient();

    std::vector<std::string> expected = {"GET /FTPHome/TolvarService/UpGradeList.txt"};
    expected.insert(expected.end(), kListedRequests.begin(), kListedRequests.end());
    EXPECT_EQ(RunClient(0), expected);
    ExpectWorkstationUpToDate();
    EXPECT_EQ(PackedTimeOf(kService + "a.dll") & 0x1F, (30 / 2) & 0x1F) << "stamped with the listed even second";

    EXPECT_EQ(RunClient(1), std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt"})
        << "every listed file is fresh: none is fetched again";

    ToolRun check = Tool("tolvarpub", {"check", server.Url});
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_NE(check.output.find("no problems; 4 of 4 listed files"), std::string::npos) << check.output;

    tolvar::testserver::WriteWholeFile(server.Root("FTPHome/TolvarService/a.dll"), "alpha, longer");
    check = Tool("tolvarpub", {"check", server.Url});
    EXPECT_EQ(check.exitCode, 1) << check.output;
    EXPECT_NE(check.output.find("/FTPHome/TolvarService/a.dll: the HEAD answer announces 13 bytes, the list 5"),
              std::string::npos)
        << check.output;
}

TEST_F(PublishedRelease, ARootSignedByTheToolIsTakenUpByABuildWithTheKey) {
    const std::string keys = UnixPath(tools.File("keys"));
    RemoveTree(tools.File("keys"));
    CreateDirectoryA(tools.File("keys").c_str(), nullptr);
    const ToolRun made = Tool("feedsign", {"keygen", keys + "/vendor.pem", keys + "/vendor.pub.pem"});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const ToolRun published = Publish({"--key", keys + "/vendor.pem"});
    ASSERT_EQ(published.exitCode, 0) << published.output;
    StampClient("--feed-key \"" + tools.File("keys\\vendor.pub.pem") + "\"");

    std::vector<std::string> expected = {"GET /FTPHome/TolvarService/UpGradeList.sig",
                                         "GET /FTPHome/TolvarService/UpGradeList.txt"};
    expected.insert(expected.end(), kListedRequests.begin(), kListedRequests.end());
    EXPECT_EQ(RunClient(0), expected);
    ExpectWorkstationUpToDate();

    const ToolRun check = Tool("tolvarpub", {"check", server.Url, "--key", keys + "/vendor.pub.pem"});
    EXPECT_EQ(check.exitCode, 0) << check.output;
    RemoveTree(tools.File("keys"));
}
