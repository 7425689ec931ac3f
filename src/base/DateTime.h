#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvar {

// A calendar date and a time of day, local time, to the millisecond.
struct DateTime {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;

    // Two date-times are the same when date, hours, minutes and seconds agree.
    bool SameSecond(const DateTime& o) const {
        return Year == o.Year && Month == o.Month && Day == o.Day && Hour == o.Hour && Minute == o.Minute &&
               Second == o.Second;
    }
    bool SameDate(const DateTime& o) const { return Year == o.Year && Month == o.Month && Day == o.Day; }
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int millisecond);

// The process-wide format settings of the conversions below. The update pass sets the short
// date format to "yyyy-mm-dd" and the separator to "-" for the rest of the run.
struct FormatSettingsData {
    std::string ShortDateFormat = "m/d/yyyy";
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    // Two-digit years fall into the century window that ends this many years after today.
    int TwoDigitYearCenturyWindow = 50;
};
FormatSettingsData& FormatSettings();

// Text to number, date and time by the framework's rules; a text that does not convert raises
// EConvertError with "'%s' is not a valid integer value" / "... date" / "... time".
int32_t StrToInt(std::string_view s);
std::optional<int32_t> TryStrToInt(std::string_view s);
DateTime StrToDate(std::string_view s);
std::optional<DateTime> TryStrToDate(std::string_view s);
DateTime StrToTime(std::string_view s);  // the time of day; the date part stays at its zero
std::optional<DateTime> TryStrToTime(std::string_view s);
DateTime CombineDateTime(const DateTime& date, const DateTime& time);

// The date in the short date format.
std::string DateToStr(const DateTime& d);
// Formats by a date pattern: y/yy/yyyy, m/mm, d/dd; "/" stands for the date separator;
// anything else is copied.
std::string FormatDate(std::string_view pattern, const DateTime& d);

// The local date and time now (the platform's clock, local time zone).
DateTime Now();

// Packed file times: the date from 1980 to 2107 and the time in steps of 2 seconds, as a
// 32-bit value with the date in the high word. Packing drops an odd second to the even one
// below; a date outside the range cannot be packed.
std::optional<uint32_t> PackDosDateTime(const DateTime& dt);
DateTime UnpackDosDateTime(uint32_t packed);
std::optional<DateTime> TryUnpackDosDateTime(uint32_t packed);  // none for invalid fields

}  // namespace tolvar
