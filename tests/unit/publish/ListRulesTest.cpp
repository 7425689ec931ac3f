// What a list can carry: names, folders, masks and the times a workstation's file can hold.
#include <gtest/gtest.h>

#include "ListRules.h"
#include "UtcSeconds.h"
#include "base/DateTime.h"

using namespace tolvar;
using tolvar::test::Utc;

TEST(ListRules, AListedTimeIsTheUtcTimeTakenDownToAnEvenSecondWithinTheRangeOfFileTimes) {
    const struct {
        int64_t seconds;
        const char *date, *time;  // null: no listed time exists
    } cases[] = {
        {Utc(2024, 5, 1, 10, 20, 31), "2024-05-01", "10:20:30"},
        {Utc(2024, 5, 1, 10, 20, 30), "2024-05-01", "10:20:30"},
        {Utc(1980, 1, 1, 0, 0, 1), "1980-01-01", "00:00:00"},
        {Utc(1980, 1, 1, 0, 0, 0) - 1, nullptr, nullptr},
        {0, nullptr, nullptr},
        {-7, nullptr, nullptr},
        {Utc(2107, 12, 31, 23, 59, 59), "2107-12-31", "23:59:58"},
        {Utc(2108, 1, 1, 0, 0, 0), nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        const std::optional<TListedTime> listed = ListedTimeOf(c.seconds);
        ASSERT_EQ(listed.has_value(), c.date != nullptr);
        if (!listed) continue;
        EXPECT_EQ(listed->Date, c.date);
        EXPECT_EQ(listed->Time, c.time);
        // Whatever is listed is a time the client's conversions read and a file time holds as is.
        EXPECT_EQ(ListedTimeProblem(listed->Date, listed->Time), "");
        const DateTime dt = CombineDateTime(StrToDate(listed->Date), StrToTime(listed->Time));
        EXPECT_TRUE(UnpackDosDateTime(*PackDosDateTime(dt)).SameSecond(dt));
    }
}

TEST(ListRules, AListedTimeThatCanNeverMatchIsToldApartFromOneThatCannotBeRead) {
    const struct {
        const char *date, *time, *problem;
    } cases[] = {
        {"2007-05-01", "12:00:00", ""},
        {"2007-05-01", "12:00:01", "odd second"},
        {"1979-12-31", "23:59:58", "outside 1980 to 2107"},
        {"2108-01-01", "00:00:00", "outside 1980 to 2107"},
        {"2007-13-45", "12:00:00", "does not convert"},
        {"05/01/2007", "12:00:00", "does not convert"},
        {"2007-05-01", "noon", "does not convert"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.time);
        const std::string problem = ListedTimeProblem(c.date, c.time);
        if (!*c.problem) EXPECT_EQ(problem, "");
        else EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
}

TEST(ListRules, NamesAndFoldersAreThoseTheRawRequestAndAWindowsFolderCarry) {
    const struct {
        const char* name;
        bool ascii;
        const char* problem;  // "" when the name is fine
    } names[] = {
        {"TolvarHost.exe", true, ""},
        {".config", true, ""},
        {"a b.dll", true, "space"},
        {"a\tb.dll", true, "control"},
        {"a#1.dll", true, "'#'"},
        {"100%.txt", true, "'%'"},
        {"what?.txt", true, "'?'"},
        {"a:b", true, "':'"},
        {"readme.", true, "dot"},
        {"CON", true, "device"},
        {"com1.log", true, "device"},
        {"COM10.log", true, ""},
        {"\xed\x95\x9c.txt", true, "outside ASCII"},
        {"\xc7\xd1.txt", false, ""},  // a list written in a workstation's code page
        {"", true, "empty"},
    };
    for (const auto& c : names) {
        SCOPED_TRACE(c.name);
        const std::string problem = FileNameProblem(c.name, c.ascii);
        if (!*c.problem) EXPECT_EQ(problem, "");
        else EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }

    const struct {
        const char* path;
        bool fine;
    } servers[] = {{"/TolvarService", true}, {"/TolvarService/", true}, {"/", true},     {"TolvarService", false},
                   {"/a//b", false},         {"/a/../b", false},        {"/a b", false}, {"/a\\b", false}},
      locals[] = {{"C:\\Marvane\\TolvarService", true},
                  {"c:\\Program Files\\Marvane\\", true},
                  {"C:\\", true},
                  {"Marvane\\TolvarService", false},
                  {"\\\\server\\share", false},
                  {"C:Marvane", false},
                  {"C:/Marvane", false},
                  {"C:\\a\\..\\b", false},
                  {"C:\\a \\b", false},
                  {"C:\\a|b", false}};
    for (const auto& c : servers) EXPECT_EQ(ServerPathProblem(c.path).empty(), c.fine) << c.path;
    for (const auto& c : locals) EXPECT_EQ(LocalPathProblem(c.path).empty(), c.fine) << c.path;
}

TEST(ListRules, AMaskMatchesAsTheWorkstationsFileSystemMatchesIt) {
    const struct {
        const char *mask, *path;
        bool matches;
    } cases[] = {
        {"C:\\Marvane\\*.old", "c:\\marvane\\a.OLD", true},
        {"C:\\Marvane\\*.old", "C:\\Marvane\\sub\\a.old", false},
        {"C:\\Marvane\\*.old", "C:\\Marvane\\a.old.dll", false},
        {"C:\\Marvane\\*.*", "C:\\Marvane\\README", true},
        {"C:\\Marvane\\?.dll", "C:\\Marvane\\ab.dll", false},
        {"C:\\Marvane\\a*b*c", "C:\\Marvane\\aXbYbZc", true},
        {"C:\\Marvane\\TH.exe", "C:\\Marvane\\th.exe", true},
        {"C:\\Marvane\\", "C:\\Marvane\\a", false},
    };
    for (const auto& c : cases) EXPECT_EQ(MaskMatches(c.mask, c.path), c.matches) << c.mask << " " << c.path;
    EXPECT_EQ(MaskProblem("C:\\Marvane\\*.old"), "");
    EXPECT_NE(MaskProblem("*.old"), "");
    EXPECT_NE(MaskProblem("C:\\Mar*\\a.old"), "") << "wildcards only in the last part";
}
