// A served list read as the client reads it: the files a workstation fetches, and every line
// that makes a workstation fail, fetch a file on every start, or skip it.
#include <gtest/gtest.h>

#include "RootCheck.h"

using namespace tolvar;

namespace {

std::vector<std::string> Problems(const TServedList& list) {
    std::vector<std::string> problems;
    for (const TFinding& f : list.Findings)
        if (f.Problem) problems.push_back(f.Text);
    return problems;
}

}  // namespace

TEST(ServedList, AGoodListGivesItsFilesWithTheirServerFoldersAndLocalPaths) {
    const TServedList list = ReadServedList(
        "MKDIR C:\\Marvane\\Logs\\\r\nDFILE C:\\Marvane\\TolvarService\\*.old\r\n"
        "SPATH /TolvarService\r\nCPATH C:\\Marvane\\TolvarService\r\nFILE a.dll 3 2007-05-01 12:00:00\r\n"
        "file empty.cfg 0 2007-05-01 12:00:02\r\n"
        "SPATH /TolvarService/lang/\r\nCPATH C:\\Marvane\\TolvarService\\lang\\\r\nFILE a.dll 5 2024-02-29 "
        "23:59:58\r\n");
    EXPECT_TRUE(list.Findings.empty()) << list.Findings.front().Text;
    ASSERT_EQ(list.Files.size(), 3u);
    EXPECT_EQ(list.Files[0].Path(), "/FTPHome/TolvarService/a.dll");
    EXPECT_EQ(list.Files[0].LocalPath, "C:\\Marvane\\TolvarService\\a.dll");
    EXPECT_EQ(list.Files[0].Size, 3);
    EXPECT_EQ(list.Files[0].Line, 5u);
    EXPECT_EQ(list.Files[1].Size, 0);
    EXPECT_EQ(list.Files[2].Path(), "/FTPHome/TolvarService/lang/a.dll");
    EXPECT_EQ(list.Files[2].LocalPath, "C:\\Marvane\\TolvarService\\lang\\a.dll");
}

TEST(ServedList, EachFaultOfAHandWrittenListIsAProblemOnItsLine) {
    const std::string head = "SPATH /TolvarService\r\nCPATH C:\\Marvane\\TolvarService\r\n";
    const struct {
        const char* what;
        std::string list;
        const char* problem;  // names the line and says why
        size_t files;         // files left to fetch and compare
    } cases[] = {
        {"no SPATH yet", "CPATH C:\\Marvane\r\nFILE a.dll 3 2007-05-01 12:00:00\r\n",
         "line 2: FILE a.dll comes before any SPATH line", 0},
        {"no CPATH yet", "SPATH /TolvarService\r\nFILE a.dll 3 2007-05-01 12:00:00\r\n",
         "line 2: FILE a.dll comes before any CPATH line", 0},
        {"odd second", head + "FILE a.dll 3 2007-05-01 12:00:01\r\n",
         "line 3: FILE a.dll: the time 12:00:01 has an odd second", 1},
        {"before 1980", head + "FILE a.dll 3 1979-05-01 12:00:00\r\n",
         "line 3: FILE a.dll: the date 1979-05-01 is outside", 1},
        {"a bad date", head + "FILE a.dll 3 2007-02-30 12:00:00\r\n",
         "line 3: FILE a.dll: the date '2007-02-30' does not convert", 1},
        {"a bad size", head + "FILE a.dll 3k 2007-05-01 12:00:00\r\n",
         "line 3: FILE a.dll: the size '3k' does not convert", 1},
        {"a negative size", head + "FILE a.dll -3 2007-05-01 12:00:00\r\n",
         "line 3: FILE a.dll: the size -3 is negative", 1},
        {"one local path twice",
         head + "FILE a.dll 3 2007-05-01 12:00:00\r\nSPATH /Other\r\nFILE A.DLL 3 2007-05-01 12:00:00\r\n",
         "line 5: FILE A.DLL: line 3 lists C:\\Marvane\\TolvarService\\A.DLL too", 1},
        {"a mask over a listed file",
         "DFILE C:\\Marvane\\TolvarService\\*.dll\r\n" + head + "FILE a.dll 3 2007-05-01 12:00:00\r\n",
         "line 1: DFILE C:\\Marvane\\TolvarService\\*.dll matches C:\\Marvane\\TolvarService\\a.dll (line 4)", 1},
        {"MKDIR without its last backslash", "MKDIR C:\\Marvane\\Logs\r\n",
         "line 1: MKDIR C:\\Marvane\\Logs makes the folders up to", 0},
        {"a relative CPATH", "SPATH /TolvarService\r\nCPATH Marvane\r\nFILE a.dll 3 2007-05-01 12:00:00\r\n",
         "line 2: CPATH Marvane: not an absolute local path", 1},
        {"a name with a '#'", head + "FILE a#b.dll 3 2007-05-01 12:00:00\r\n",
         "line 3: FILE a#b.dll: the name has the character '#'", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TServedList list = ReadServedList(c.list);
        const std::vector<std::string> problems = Problems(list);
        ASSERT_EQ(problems.size(), 1u) << (problems.empty() ? "none" : problems.back());
        EXPECT_EQ(problems[0].find(std::string("UpGradeList.txt ") + c.problem), 0u) << problems[0];
        EXPECT_EQ(list.Files.size(), c.files);
    }
}

TEST(ServedList, LinesTheClientSkipsAreNotedNotCounted) {
    const TServedList list = ReadServedList("# release 5\r\n\r\nFLIE a.dll 3 2007-05-01 12:00:00\r\n  \r\n");
    EXPECT_TRUE(Problems(list).empty());
    ASSERT_EQ(list.Findings.size(), 2u);
    EXPECT_EQ(list.Findings[0].Text, "UpGradeList.txt line 1: the client skips it (no command it knows)");
    EXPECT_EQ(list.Findings[1].Text.find("UpGradeList.txt line 3:"), 0u);
}
