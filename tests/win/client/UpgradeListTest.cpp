// The upgrade list interpreter: list texts against the download queue, the housekeeping
// commands, the gauge and the errors that end the pass.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestFiles.h"
#include "app/Application.h"
#include "base/DateTime.h"
#include "base/Exceptions.h"
#include "client/DownLoad.h"
#include "client/LocalFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

const std::string kRoot = "http://update.test:8080";

class UpgradeList : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings().ShortDateFormat = "yyyy-mm-dd";
        FormatSettings().DateSeparator = '-';
        form = Application()->CreateForm<TfmDownloading>();
        form->UpdateRoot = kRoot;
    }
    void TearDown() override { DestroyApplication(); }

    // Runs the interpreter over the lines; "$D" in a line stands for the scratch directory
    // (without its final "\").
    void Interpret(const std::vector<std::string>& lines) {
        std::string d = dir.Path();
        d.pop_back();
        for (std::string line : lines) {
            for (size_t at; (at = line.find("$D")) != std::string::npos;) line.replace(at, 2, d);
            form->ListBox1.push_back(line);
        }
        form->ParseUpgradeList();
    }
    std::vector<TFileRecord> Queue() const { return {form->FTPView.begin(), form->FTPView.end()}; }

    ScratchDir dir{"upgradelist"};
    TfmDownloading* form = nullptr;
};

}  // namespace

TEST_F(UpgradeList, FileLinesQueueWhatNeedsFetchingWithThePathsInEffect) {
    WriteTestFile(dir / "fresh.dll", std::string(10, 'f'));
    StampFileTime(dir / "fresh.dll", "2007-05-01", "12:00:00");
    Interpret({
        "FILE early.dll 1 2007-05-01 12:00:00",  // before any SPATH and CPATH
        "SPATH /TolvarService",
        "CPATH $D",
        "file a.dll 1024 2007-05-01 12:00:00",  // commands ignore letter case
        "FILE fresh.dll 10 2007-05-01 12:00:00",
        "SPATH /TolvarService/sub/",
        "File b.dll  2007-05-01 12:00:00",  // two spaces: an empty Size, the rest shifts
        "FILE only.dll",
        "FILE  c.dll 5 2007-05-01 12:00:00",
    });
    const std::string cp = dir.Path();
    const std::vector<TFileRecord> expected = {
        {"early.dll", "1", "2007-05-01", "12:00:00", "", ""},
        {"a.dll", "1024", "2007-05-01", "12:00:00", kRoot + "/FTPHome/TolvarService/", cp},
        {"b.dll", "", "2007-05-01", "12:00:00", kRoot + "/FTPHome/TolvarService/sub/", cp},
        {"", "", "", "only.dll", kRoot + "/FTPHome/TolvarService/sub/", cp},
        {"", "c.dll", "5", "2007-05-01 12:00:00", kRoot + "/FTPHome/TolvarService/sub/", cp},
    };
    EXPECT_EQ(Queue(), expected);
    EXPECT_TRUE(form->ListBox1.empty());
}

TEST_F(UpgradeList, PathArgumentsAreTakenAsWritten) {
    struct Case {
        std::string line;
        std::string serverPath, clientPath;
    } cases[] = {
        {"SPATH /TolvarService", kRoot + "/FTPHome/TolvarService/", ""},
        {"SPATH /TolvarService/", kRoot + "/FTPHome/TolvarService/", ""},
        {"SPATH  /TolvarService", kRoot + "/FTPHome /TolvarService/", ""},  // the second space stays
        {"SPATH ", kRoot + "/FTPHome/", ""},
        {"CPATH C:\\Marvane\\TolvarService", "", "C:\\Marvane\\TolvarService\\"},
        {"CPATH C:\\Marvane\\TolvarService\\", "", "C:\\Marvane\\TolvarService\\"},
        {"CPATH ", "", "\\"},
    };
    for (const Case& c : cases) {
        form->FTPView.clear();
        Interpret({c.line, "FILE zz-missing.dll 1 2007-05-01 12:00:00"});
        ASSERT_EQ(form->FTPView.size(), 1u) << c.line;
        EXPECT_EQ(form->FTPView[0].ServerPath, c.serverPath) << c.line;
        EXPECT_EQ(form->FTPView[0].ClientPath, c.clientPath) << c.line;
    }
}

TEST_F(UpgradeList, UnknownBlankAndTabbedCommandsAreSkipped) {
    Interpret({"", " FILE lead.dll 1 2007-05-01 12:00:00", "FILE\ttab.dll 1 2007-05-01 12:00:00", "FILES x 1 2 3",
               "NOSPACE", "ECHO hello"});
    EXPECT_TRUE(form->FTPView.empty());
    EXPECT_EQ(form->ProgressBar1->MaxValue(), 6);
    EXPECT_EQ(form->ProgressBar1->Value(), 6);
}

TEST_F(UpgradeList, HousekeepingActsDuringTheInterpretationInLineOrder) {
    WriteTestFile(dir / "old1.bak", "1");
    WriteTestFile(dir / "old2.bak", "2");
    WriteTestFile(dir / "keep.dll", "k");
    Interpret({
        "CPATH $D\\made",
        "FILE new.dll 1 2007-05-01 12:00:00",
        "DFILE $D\\*.bak",
        "MKDIR $D\\made\\deeper\\",
        "MKDIR $D\\made\\notlast",
    });
    EXPECT_FALSE(PathExists(dir / "old1.bak"));
    EXPECT_FALSE(PathExists(dir / "old2.bak"));
    EXPECT_TRUE(PathExists(dir / "keep.dll"));
    EXPECT_TRUE(DirectoryExists(dir / "made\\deeper"));
    EXPECT_FALSE(PathExists(dir / "made\\notlast"));  // no "\" after it: not created
    EXPECT_EQ(Queue().size(), 1u);
}

TEST_F(UpgradeList, TheGaugeCountsTheLines) {
    std::vector<std::string> lines(40, "REM a comment line");
    form->ProgressBar1->SetValue(17);
    Interpret(lines);
    EXPECT_EQ(form->ProgressBar1->MaxValue(), 40);
    EXPECT_EQ(form->ProgressBar1->Value(), 40);
}

TEST_F(UpgradeList, MalformedFieldsOfAnExistingFileEndTheInterpretation) {
    WriteTestFile(dir / "there.dll", "abc");
    StampFileTime(dir / "there.dll", "2007-05-01", "12:00:00");
    struct Case {
        std::string line, error;
    } cases[] = {
        {"FILE there.dll 3 2007-02-30 12:00:00", "'2007-02-30' is not a valid date"},
        {"FILE there.dll 3 2007-05-01 12:61:00", "'12:61:00' is not a valid time"},
        {"FILE there.dll 3k 2007-05-01 12:00:00", "'3k' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        form->ListBox1.clear();
        form->FTPView.clear();
        std::string error;
        try {
            Interpret({"CPATH $D", c.line, "FILE after.dll 1 2007-05-01 12:00:00"});
        } catch (const std::exception& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_TRUE(form->FTPView.empty()) << "nothing after the error runs";
    }
    // A missing file with the same malformed fields is simply queued.
    form->ListBox1.clear();
    Interpret({"CPATH $D", "FILE absent.dll 3k 2007-02-30 12:61:00"});
    EXPECT_EQ(Queue().size(), 1u);
}

TEST_F(UpgradeList, AnMkdirThatCannotBeMadeEndsTheInterpretation) {
    WriteTestFile(dir / "blocker", "x");
    EXPECT_THROW(Interpret({"MKDIR $D\\blocker\\sub\\", "FILE after.dll 1 2007-05-01 12:00:00"}), EInOutError);
    EXPECT_TRUE(form->FTPView.empty());
}

// A long list is interpreted whole, each line once. The times of a quarter and of the whole are
// printed side by side (they grow with the list's length); they are not asserted.
TEST_F(UpgradeList, AListOfAHundredThousandLinesIsInterpretedWhole) {
    const auto listOf = [](size_t count) {
        std::vector<std::string> lines;
        for (size_t i = 0; i < count; ++i) {
            switch (i % 4) {
            case 0: lines.push_back("SPATH /TolvarService/part" + std::to_string(i)); break;
            case 1: lines.push_back("CPATH $D"); break;
            case 2: lines.push_back("REM line " + std::to_string(i)); break;
            default: lines.push_back("FILE missing" + std::to_string(i) + ".dll 5 2007-05-01 12:00:00"); break;
            }
        }
        return lines;
    };
    long long ms[2] = {};
    const size_t counts[2] = {25000, 100000};
    for (int run = 0; run < 2; ++run) {
        form->FTPView.clear();
        const auto lines = listOf(counts[run]);
        const DWORD start = GetTickCount();
        Interpret(lines);
        ms[run] = GetTickCount() - start;
        EXPECT_TRUE(form->ListBox1.empty());
        EXPECT_EQ(form->FTPView.size(), counts[run] / 4);
        EXPECT_EQ(form->ProgressBar1->Value(), int32_t(counts[run]));
    }
    EXPECT_EQ(form->FTPView.back().FileName, "missing99999.dll");
    std::printf("[ elapsed  ] upgrade list: 25000 lines %lld ms, 100000 lines %lld ms\n", ms[0], ms[1]);
}
