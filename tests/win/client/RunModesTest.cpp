// The program's two run modes, started as real processes with a stand-in that records how it
// was started.
#include <gtest/gtest.h>

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
