// The program's two run modes, started as real processes with a stand-in that records how it
// was started.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "Processes.h"
#include "TestFiles.h"

using namespace tolvar::test;

namespace {

const std::string kClient = LocalPath(TOLVAR_CLIENT_EXE);
const std::string kRecorder = LocalPath(TOLVAR_RECORDER_EXE);

class RunModes : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA("TOLVAR_RECORD", record.c_str()); }
    void TearDown() override { SetEnvironmentVariableA("TOLVAR_RECORD", nullptr); }
    ScratchDir work{"runmodes"};
    ScratchDir records{"runmodes-records"};
    std::string record = records / "record.txt";
};

}  // namespace

TEST_F(RunModes, CopyModePutsTheStagedClientInPlaceAndStartsItFromTheWorkingDirectory) {
    // The client runs from the build tree; the working directory is elsewhere.
    CopyFileA(kRecorder.c_str(), (work / "Sandrel.exe").c_str(), FALSE);
    WriteTestFile(work / "TolvarClient.exe", "the old client");
    const Started copy = RunProgram(kClient, "copy and more arguments", work.Path(), 20000);
    ASSERT_TRUE(copy.finished);
    EXPECT_EQ(copy.exitCode, 0u);
    EXPECT_EQ(ReadTestFile(work / "TolvarClient.exe"), ReadTestFile(kRecorder));

    const auto lines = WaitForLines(record, 1, 10000);
    ASSERT_EQ(lines.size(), 1u);
    std::string cwd = work.Path();
    cwd.pop_back();
    EXPECT_EQ(lines[0], "TolvarClient.exe|" + cwd + "|");
}

TEST_F(RunModes, CopyModeWithoutAStagedClientStartsTheClientThatIsThere) {
    CopyFileA(kRecorder.c_str(), (work / "TolvarClient.exe").c_str(), FALSE);
    const Started copy = RunProgram(kClient, "copy", work.Path(), 20000);
    ASSERT_TRUE(copy.finished);
    EXPECT_EQ(copy.exitCode, 0u);
    const auto lines = WaitForLines(record, 1, 10000);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, lines[0].find('|')), "TolvarClient.exe");
    EXPECT_FALSE(PathExists(work / "Sandrel.exe"));
}

// While the old client still holds its file, copy mode keeps trying; the file is at every moment
// either the old client or the new one, whole, and the new one lands once it is released.
TEST_F(RunModes, CopyModeWaitsForAHeldClientAndNeverLeavesItTruncated) {
    CopyFileA(kRecorder.c_str(), (work / "Sandrel.exe").c_str(), FALSE);
    const std::string oldClient(300 * 1024, 'o');
    WriteTestFile(work / "TolvarClient.exe", oldClient);
    const std::string newClient = ReadTestFile(kRecorder);

    HANDLE held = CreateFileA((work / "TolvarClient.exe").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Started copy;
    const DWORD start = GetTickCount();
    DWORD ended = 0;
    std::thread run([&] {
        copy = RunProgram(kClient, "copy", work.Path(), 60000);
        ended = GetTickCount();
    });
    bool whole = true;
    bool oldWhileHeld = true;
    for (DWORD now = GetTickCount(); now - start < 4000; now = GetTickCount()) {
        const std::string seen = ReadTestFile(work / "TolvarClient.exe");
        whole = whole && (seen == oldClient || seen == newClient);
        oldWhileHeld = oldWhileHeld && seen == oldClient;
        Sleep(50);
    }
    CloseHandle(held);
    const DWORD released = GetTickCount();
    while (WaitForLines(record, 1, 0).empty() && GetTickCount() - released < 40000) {
        const std::string seen = ReadTestFile(work / "TolvarClient.exe");
        whole = whole && (seen == oldClient || seen == newClient);
        Sleep(50);
    }
    run.join();
    std::printf("[ elapsed  ] copy mode, held 4 s: %lu ms\n", static_cast<unsigned long>(ended - start));
    EXPECT_TRUE(whole) << "never a part of either client";
    EXPECT_TRUE(oldWhileHeld) << "the held file is not replaced under its holder";
    ASSERT_TRUE(copy.finished);
    EXPECT_GE(ended - start, 4000u) << "copy mode waited for the release";
    EXPECT_LT(ended - start, 40000u) << "an upper bound with slack";
    EXPECT_EQ(ReadTestFile(work / "TolvarClient.exe"), newClient);
    const auto lines = WaitForLines(record, 1, 10000);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, lines[0].find('|')), "TolvarClient.exe");
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((work / "tvd*.tmp").c_str(), &fd);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "no temporary copy is left";
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}
