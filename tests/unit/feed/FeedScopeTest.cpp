// Which files each manifest names: the list's, read with the client's own reading of the list,
// and a company folder's.
#include <gtest/gtest.h>

#include "feed/FeedScope.h"
#include "base/ListLine.h"

using namespace tolvar;

TEST(FeedScope, AListNamesTheFilesOfItsFileLinesInTheFolderOfTheLastSpath) {
    const TextLines list = {
        "FILE early.dll 1 2007-05-01 12:00:00",  // before any SPATH: no server file
        "SPATH /TolvarService",
        "CPATH C:\\Marvane\\TolvarService",
        "FILE a.dll 1024 2007-05-01 12:00:00",
        "file b c.dat 3 2007-05-01 12:00:00",  // any case; the name ends at the first blank
        "DFILE C:\\Marvane\\TolvarService\\*.old",
        "SPATH /TolvarService/sub/",
        "MKDIR C:\\Marvane\\TolvarService\\sub\\",
        "FILE a.dll 5 2007-05-01 12:00:00",
        "FILE  x.dll 1 2007-05-01 12:00:00",  // a blank first: the name is empty
        "FILEa.dll 1 2 3",
        "FILE",
    };
    const TListedPaths listed = ListedPaths(list);
    EXPECT_EQ(listed.Paths, (std::set<std::string>{"/FTPHome/TolvarService/a.dll", "/FTPHome/TolvarService/b",
                                                   "/FTPHome/TolvarService/sub/a.dll", "/FTPHome/TolvarService/sub/"}));
    EXPECT_EQ(listed.WithoutFolder, std::vector<std::string>{"early.dll"});

    std::set<std::string> scope = listed.Paths;
    scope.insert("/FTPHome/TolvarService/UpGradeList.txt");
    EXPECT_EQ(ListManifestScope(list), scope);
}

TEST(FeedScope, TheListsLinesSplitAsTheClientSplitsThem) {
    EXPECT_EQ(SplitListLine("spath /x").Command, "SPATH");
    EXPECT_EQ(SplitListLine("SPATH  /x").Argument, " /x");
    EXPECT_EQ(SplitListLine("SPATH").Command, "");
    const TFileFields f = SplitFileFields("a.dll  1024 2007-05-01 12:00:00");
    EXPECT_EQ(f.FileName, "a.dll");
    EXPECT_EQ(f.Size, "");
    EXPECT_EQ(f.Date, "1024");
    EXPECT_EQ(f.Time, "2007-05-01 12:00:00");
    EXPECT_EQ(ServerFolderOf("/TolvarService"), "/FTPHome/TolvarService/");
    EXPECT_EQ(ServerFolderOf("/TolvarService/"), "/FTPHome/TolvarService/");
    EXPECT_EQ(ServerFolderOf(""), "/FTPHome/");
}

TEST(FeedScope, ACompanyManifestMayNameTheFilesTheClientReadsInThatFolder) {
    const std::set<std::string> scope = CompanyManifestScope("/FTPHome/TolvarService/CompanyCode/ACME");
    EXPECT_EQ(scope.size(), 8u);
    for (const char* name : {"StopCheck.txt", "vercheck.txt", "Sandrel.exe", "mark.png", "mark.ico"})
        EXPECT_TRUE(scope.contains("/FTPHome/TolvarService/CompanyCode/ACME/" + std::string(name))) << name;
}
