#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "base/Exceptions.h"

using namespace tolvar;

namespace {

// The update pass switches the process to this date format before it converts anything.
class IsoDates : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = FormatSettings();
        FormatSettings().ShortDateFormat = "yyyy-mm-dd";
        FormatSettings().DateSeparator = '-';
    }
    void TearDown() override { FormatSettings() = saved_; }
    FormatSettingsData saved_;
};

std::string ErrorOf(auto&& f) {
    try {
        f();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(StrToInt, ConvertsOrRaisesTheFrameworkText) {
    EXPECT_EQ(StrToInt("1024"), 1024);
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("+0"), 0);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    for (const char* bad : {"", " ", "12 ", "1,024", "2147483648", "abc", "-", "0x", "1e3"})
        EXPECT_EQ(ErrorOf([&] { StrToInt(bad); }), std::string("'") + bad + "' is not a valid integer value");
}

TEST_F(IsoDates, StrToDateReadsYearMonthDay) {
    const DateTime d = StrToDate("2007-05-01");
    EXPECT_EQ(d.Year, 2007);
    EXPECT_EQ(d.Month, 5);
    EXPECT_EQ(d.Day, 1);
    EXPECT_TRUE(StrToDate(" 2024 - 2 - 29 ").SameDate(StrToDate("2024-02-29")));
    EXPECT_EQ(StrToDate("1979-12-31").Year, 1979);  // converts; only the file time cannot hold it
    for (const char* bad : {"", "2007/05/01", "2007-13-01", "2023-02-29", "2007-05-01x", "20070-05-01", "2007-05-"})
        EXPECT_EQ(ErrorOf([&] { StrToDate(bad); }), std::string("'") + bad + "' is not a valid date");
}

TEST_F(IsoDates, TwoDigitYearsAndMonthDayForms) {
    const int thisYear = Now().Year;
    const DateTime d = StrToDate("07-05-01");
    EXPECT_EQ(d.Year % 100, 7);
    EXPECT_LE(std::abs(d.Year - thisYear), 50);
    EXPECT_EQ(StrToDate("05-01").Year, thisYear);
}

TEST(StrToDate, FollowsTheShortDateFormatInEffect) {
    const FormatSettingsData saved = FormatSettings();
    FormatSettings().ShortDateFormat = "d/m/yyyy";
    FormatSettings().DateSeparator = '.';
    const DateTime d = StrToDate("1.5.2007");
    EXPECT_EQ(d.Day, 1);
    EXPECT_EQ(d.Month, 5);
    EXPECT_EQ(DateToStr(d), "1.5.2007");
    FormatSettings() = saved;
}

TEST(StrToTime, ReadsHoursMinutesSeconds) {
    const DateTime t = StrToTime(" 12:00:00 ");
    EXPECT_EQ(t.Hour, 12);
    EXPECT_EQ(t.Minute, 0);
    EXPECT_EQ(t.Second, 0);
    EXPECT_EQ(StrToTime("23:59:59").Second, 59);
    EXPECT_EQ(StrToTime("7:05").Minute, 5);
    EXPECT_EQ(StrToTime("1:02:03 PM").Hour, 13);
    EXPECT_EQ(StrToTime("12:00:00.250").Millisecond, 250);
    for (const char* bad : {"", "24:00:00", "12:60:00", "12:00:60", "12-00-00", "a.dll", "12:00:00 x", "12:"})
        EXPECT_EQ(ErrorOf([&] { StrToTime(bad); }), std::string("'") + bad + "' is not a valid time");
}

TEST_F(IsoDates, DateToStrUsesTheShortDateFormat) {
    DateTime d;
    d.Year = 2024, d.Month = 3, d.Day = 5;
    EXPECT_EQ(DateToStr(d), "2024-03-05");
}

TEST(DosDateTime, PacksTwoSecondStepsWithinTheRange) {
    auto at = [](int y, int mo, int d, int h, int mi, int s) {
        DateTime t;
        t.Year = y, t.Month = mo, t.Day = d, t.Hour = h, t.Minute = mi, t.Second = s;
        return t;
    };
    // The range ends.
    ASSERT_TRUE(PackDosDateTime(at(1980, 1, 1, 0, 0, 0)));
    EXPECT_EQ(*PackDosDateTime(at(1980, 1, 1, 0, 0, 0)), 0x00210000u);
    ASSERT_TRUE(PackDosDateTime(at(2107, 12, 31, 23, 59, 58)));
    EXPECT_TRUE(
        UnpackDosDateTime(*PackDosDateTime(at(2107, 12, 31, 23, 59, 58))).SameSecond(at(2107, 12, 31, 23, 59, 58)));
    EXPECT_FALSE(PackDosDateTime(at(1979, 12, 31, 23, 59, 58)));
    EXPECT_FALSE(PackDosDateTime(at(2108, 1, 1, 0, 0, 0)));
    // An odd second drops to the even one below.
    const DateTime odd = at(2007, 5, 1, 12, 0, 1);
    EXPECT_EQ(*PackDosDateTime(odd), *PackDosDateTime(at(2007, 5, 1, 12, 0, 0)));
    EXPECT_TRUE(UnpackDosDateTime(*PackDosDateTime(odd)).SameSecond(at(2007, 5, 1, 12, 0, 0)));
    // Fields that name no date or time do not unpack.
    EXPECT_FALSE(TryUnpackDosDateTime(0));
    EXPECT_FALSE(TryUnpackDosDateTime((uint32_t(0x0021) << 16) | (24u << 11)));
}
