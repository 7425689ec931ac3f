// The client's file operations on real files of the Wine prefix.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "base/DateTime.h"
#include "base/Exceptions.h"
#include "client/LocalFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

class LocalFiles : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = FormatSettings();
        FormatSettings().ShortDateFormat = "yyyy-mm-dd";
        FormatSettings().DateSeparator = '-';
    }
    void TearDown() override { FormatSettings() = saved_; }
    ScratchDir dir{"localfiles"};
    FormatSettingsData saved_;
};

std::string ErrorOf(auto&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no error)";
}

// Whether the file system refuses writes to read-only files here. Wine run as root does not
// (root may write anything, and Wine leaves the check to the host), so those cases are skipped
// there rather than faked.
bool ReadOnlyIsEnforced(const std::string& dir) {
    const std::string probe = dir + "readonly.probe";
    WriteTestFile(probe, "p");
    SetReadOnly(probe, true);
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool enforced = h == INVALID_HANDLE_VALUE;
    if (!enforced) CloseHandle(h);
    SetReadOnly(probe, false);
    DeleteFileA(probe.c_str());
    return enforced;
}

// Holds a file open without sharing, as a running program would.
struct InUse {
    explicit InUse(const std::string& path)
        : h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~InUse() { CloseHandle(h); }
    HANDLE h;
};

}  // namespace

TEST_F(LocalFiles, CreateDirPathCreatesOnlyWhatAFollowingBackslashCloses) {
    CreateDirPath(dir / "a\\b\\c");
    EXPECT_TRUE(DirectoryExists(dir / "a"));
    EXPECT_TRUE(DirectoryExists(dir / "a\\b"));
    EXPECT_FALSE(PathExists(dir / "a\\b\\c"));
    CreateDirPath(dir / "a\\b\\c\\");
    EXPECT_TRUE(DirectoryExists(dir / "a\\b\\c"));
    CreateDirPath(dir / "a\\b\\c\\");  // all there already: nothing to do, no error
    CreateDirPath("C:\\");             // the drive root is never created
}

TEST_F(LocalFiles, CreateDirPathRaisesTheFrameworkTextWhenADirectoryCannotBeMade) {
    WriteTestFile(dir / "taken", "a file, not a directory");
    EXPECT_EQ(ErrorOf([&] { CreateDirPath(dir / "taken\\sub\\"); }), "I/O error 183");
}

TEST_F(LocalFiles, APathBeyondThePlatformsLimitIsTheErrorOfADirectoryThatCannotBeMade) {
    std::string deep = dir.Path();
    while (deep.size() < 30000) deep += "d\\";
    EXPECT_EQ(ErrorOf([&] { CreateDirectoryWithParents(deep); }), "I/O error 206");
    EXPECT_FALSE(PathExists(dir / "d")) << "a download's folder: nothing made of it";
    // The list's path makes its folders in order, up to the first that cannot be.
    EXPECT_EQ(ErrorOf([&] { CreateDirPath(deep); }), "I/O error 206");
}

TEST_F(LocalFiles, DeleteMatchingFilesDeletesWhatItCanWhateverTheAttributes) {
    WriteTestFile(dir / "one.tmp", "1");
    WriteTestFile(dir / "two.tmp", "2");
    WriteTestFile(dir / "hidden.tmp", "h");
    SetFileAttributesA((dir / "hidden.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WriteTestFile(dir / "locked.tmp", "r");
    SetReadOnly(dir / "locked.tmp", true);
    WriteTestFile(dir / "busy.tmp", "b");
    WriteTestFile(dir / "keep.txt", "k");
    WriteTestFile(dir / "a1.log", "a1");
    WriteTestFile(dir / "a22.log", "a22");
    CreateDirectoryA((dir / "sub.tmp").c_str(), nullptr);
    {
        InUse busy(dir / "busy.tmp");
        DeleteMatchingFiles(dir / "*.tmp");
        DeleteMatchingFiles(dir / "a?.log");
    }
    EXPECT_FALSE(PathExists(dir / "one.tmp"));
    EXPECT_FALSE(PathExists(dir / "two.tmp"));
    EXPECT_FALSE(PathExists(dir / "hidden.tmp"));
    EXPECT_TRUE(PathExists(dir / "locked.tmp"));  // read-only: skipped silently
    EXPECT_TRUE(PathExists(dir / "busy.tmp"));    // in use: skipped silently
    EXPECT_TRUE(PathExists(dir / "sub.tmp"));     // a directory: skipped
    EXPECT_TRUE(PathExists(dir / "keep.txt"));
    EXPECT_FALSE(PathExists(dir / "a1.log"));
    EXPECT_TRUE(PathExists(dir / "a22.log"));
    DeleteMatchingFiles(dir / "*.none");  // nothing matches: nothing happens
    DeleteMatchingFiles("Q:\\missing\\*.*");
    SetReadOnly(dir / "locked.tmp", false);
}

TEST_F(LocalFiles, DeleteIfExistsLeavesDirectoriesAndMissingFilesAlone) {
    WriteTestFile(dir / "f", "x");
    CreateDirectoryA((dir / "d").c_str(), nullptr);
    DeleteIfExists(dir / "f");
    DeleteIfExists(dir / "d");
    DeleteIfExists(dir / "missing");
    EXPECT_FALSE(PathExists(dir / "f"));
    EXPECT_TRUE(DirectoryExists(dir / "d"));
}

TEST_F(LocalFiles, AStampedFileOfTheListedSizeIsFresh) {
    const std::string d = dir.Path();
    WriteTestFile(d + "a.dll", std::string(1024, 'a'));
    StampFileTime(d + "a.dll", "2007-05-01", "12:00:00");
    EXPECT_EQ(UnpackDosDateTime(PackedTimeOf(d + "a.dll")).Hour, 12);
    EXPECT_FALSE(NeedsDownload(d, "a.dll", "1024", "2007-05-01", "12:00:00"));
    EXPECT_FALSE(NeedsDownload(d, "a.dll", " 1024", " 2007-05-01 ", " 12:00:00 "));  // blanks allowed
    EXPECT_TRUE(NeedsDownload(d, "a.dll", "1023", "2007-05-01", "12:00:00"));        // same time, other size
    EXPECT_TRUE(NeedsDownload(d, "a.dll", "junk", "2007-05-02", "12:00:00"));        // other time: size never read
    EXPECT_TRUE(NeedsDownload(d, "a.dll", "1024", "2007-05-01", "12:00:02"));
}

TEST_F(LocalFiles, AnOddListedSecondMatchesTheStampItProduces) {
    // The stamp can only hold even seconds; a correct file must not count as stale for ever.
    const std::string d = dir.Path();
    WriteTestFile(d + "odd.dll", "12345");
    StampFileTime(d + "odd.dll", "2007-05-01", "12:00:01");
    EXPECT_EQ(UnpackDosDateTime(PackedTimeOf(d + "odd.dll")).Second, 0);
    EXPECT_FALSE(NeedsDownload(d, "odd.dll", "5", "2007-05-01", "12:00:01"));
    EXPECT_TRUE(NeedsDownload(d, "odd.dll", "5", "2007-05-01", "12:00:03"));
}

TEST_F(LocalFiles, DatesOutsideThePackedRangeNeverMatch) {
    const std::string d = dir.Path();
    WriteTestFile(d + "old.dll", "x");
    StampFileTime(d + "old.dll", "2007-05-01", "12:00:00");
    StampFileTime(d + "old.dll", "1979-12-31", "23:59:58");  // cannot be packed: left as it was
    EXPECT_EQ(PackedTimeOf(d + "old.dll"),
              *PackDosDateTime(CombineDateTime(StrToDate("2007-05-01"), StrToTime("12:00:00"))));
    EXPECT_TRUE(NeedsDownload(d, "old.dll", "1", "1979-12-31", "23:59:58"));
    EXPECT_TRUE(NeedsDownload(d, "old.dll", "1", "2108-01-01", "00:00:00"));
}

TEST_F(LocalFiles, AMissingFileIsNeededWithoutConvertingAnything) {
    EXPECT_TRUE(NeedsDownload(dir.Path(), "missing.dll", "", "", ""));
    EXPECT_TRUE(NeedsDownload(dir.Path(), "missing.dll", "x", "not a date", "not a time"));
    CreateDirectoryA((dir / "adir").c_str(), nullptr);
    EXPECT_TRUE(NeedsDownload(dir.Path(), "adir", "x", "y", "z"));  // a directory has no file time
}

TEST_F(LocalFiles, AnExistingFileWithMalformedFieldsOrNoAccessRaises) {
    const std::string d = dir.Path();
    WriteTestFile(d + "f.dll", "abc");
    StampFileTime(d + "f.dll", "2007-05-01", "12:00:00");
    struct Case {
        const char *size, *date, *time, *error;
    } cases[] = {
        {"3", "2007-13-01", "12:00:00", "'2007-13-01' is not a valid date"},
        {"3", "2007-05-01", "25:00:00", "'25:00:00' is not a valid time"},
        {"three", "2007-05-01", "12:00:00", "'three' is not a valid integer value"},
        {"3", "", "12:00:00", "'' is not a valid date"},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorOf([&] { NeedsDownload(d, "f.dll", c.size, c.date, c.time); }), c.error);
    EXPECT_EQ(ErrorOf([&] { StampFileTime(d + "f.dll", "2007-05-01", "x"); }), "'x' is not a valid time");

    InUse busy(d + "f.dll");
    EXPECT_EQ(ErrorOf([&] { NeedsDownload(d, "f.dll", "3", "2007-05-01", "12:00:00"); }), "I/O error 32");
}

TEST_F(LocalFiles, AReadOnlyFileCannotBeCheckedOrStamped) {
    const std::string d = dir.Path();
    if (!ReadOnlyIsEnforced(d)) GTEST_SKIP() << "read-only files are writable here (Wine as root)";
    WriteTestFile(d + "f.dll", "abc");
    StampFileTime(d + "f.dll", "2007-05-01", "12:00:00");
    SetReadOnly(d + "f.dll", true);
    EXPECT_EQ(ErrorOf([&] { NeedsDownload(d, "f.dll", "3", "2007-05-01", "12:00:00"); }), "File access denied");
    const uint32_t before = PackedTimeOf(d + "f.dll");
    StampFileTime(d + "f.dll", "2010-01-01", "10:00:00");  // cannot be opened for writing: nothing happens
    EXPECT_EQ(PackedTimeOf(d + "f.dll"), before);
    SetReadOnly(d + "f.dll", false);
}
