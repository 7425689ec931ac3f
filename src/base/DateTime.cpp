#include "DateTime.h"

#include <cctype>
#include <chrono>
#include <ctime>

#include "Exceptions.h"

namespace tolvar {

bool IsLeapYear(int year) { return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && millisecond >= 0 &&
           millisecond < 1000;
}

FormatSettingsData& FormatSettings() {
    static FormatSettingsData settings;
    return settings;
}

namespace {

// A cursor over the text with the scanning steps of the framework's date and time readers:
// blanks may stand before every number and separator.
struct Scanner {
    std::string_view s;
    size_t pos = 0;

    void SkipBlanks() {
        while (pos < s.size() && s[pos] == ' ') ++pos;
    }
    // Up to four digits; their count goes to `digits`.
    bool Number(int& value, int& digits) {
        SkipBlanks();
        const size_t start = pos;
        int v = 0;
        while (pos < s.size() && pos - start < 4 && std::isdigit(static_cast<unsigned char>(s[pos]))) {
            v = v * 10 + (s[pos] - '0');
            ++pos;
        }
        digits = int(pos - start);
        if (digits == 0) return false;
        value = v;
        return true;
    }
    bool Char(char c) {
        SkipBlanks();
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos == s.size();
    }
};

std::string Quoted(std::string_view s, const char* what) {
    std::string text;
    text.reserve(s.size() + 32);
    text += '\'';
    text += s;
    text += "' is not a valid ";
    text += what;
    return text;
}

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(std::string_view format) {
    for (char c : format) {
        switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'y': return DateOrder::YMD;
        case 'm': return DateOrder::MDY;
        case 'd': return DateOrder::DMY;
        default: break;
        }
    }
    return DateOrder::MDY;
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * base + digit;
        // Hexadecimal texts may spell the full 32-bit pattern; decimal ones must fit.
        if (base == 16 ? value > 0xFFFFFFFFLL : value > (negative ? 2147483648LL : 2147483647LL)) return std::nullopt;
    }
    if (base == 16)
        return static_cast<int32_t>(static_cast<uint32_t>(negative ? uint32_t(0) - uint32_t(value) : uint32_t(value)));
    return static_cast<int32_t>(negative ? -value : value);
}

int32_t StrToInt(std::string_view s) {
    if (auto v = TryStrToInt(s)) return *v;
    throw EConvertError(Quoted(s, "integer value"));
}

std::optional<DateTime> TryStrToDate(std::string_view s) {
    const FormatSettingsData& fs = FormatSettings();
    Scanner sc{s};
    int n1, n2, n3 = 0, l1, l2, l3 = 0;
    if (!sc.Number(n1, l1) || !sc.Char(fs.DateSeparator) || !sc.Number(n2, l2)) return std::nullopt;
    const bool three = sc.Char(fs.DateSeparator);
    if (three && !sc.Number(n3, l3)) return std::nullopt;
    if (!sc.AtEnd()) return std::nullopt;

    const DateTime today = Now();
    int y, m, d, yearDigits;
    const DateOrder order = OrderOf(fs.ShortDateFormat);
    if (three) {
        switch (order) {
        case DateOrder::MDY: m = n1, d = n2, y = n3, yearDigits = l3; break;
        case DateOrder::DMY: d = n1, m = n2, y = n3, yearDigits = l3; break;
        default: y = n1, m = n2, d = n3, yearDigits = l1; break;
        }
    } else {
        // Two numbers: month and day of the current year.
        y = today.Year;
        yearDigits = 4;
        if (order == DateOrder::DMY) d = n1, m = n2;
        else m = n1, d = n2;
    }
    if (yearDigits <= 2) {
        const int pivot = today.Year - fs.TwoDigitYearCenturyWindow;
        y += (pivot / 100) * 100;
        if (fs.TwoDigitYearCenturyWindow > 0 && y < pivot) y += 100;
    }
    if (!IsValidDate(y, m, d)) return std::nullopt;
    DateTime r;
    r.Year = y, r.Month = m, r.Day = d;
    return r;
}

DateTime StrToDate(std::string_view s) {
    if (auto v = TryStrToDate(s)) return *v;
    throw EConvertError(Quoted(s, "date"));
}

std::optional<DateTime> TryStrToTime(std::string_view s) {
    const FormatSettingsData& fs = FormatSettings();
    Scanner sc{s};
    int hour, minute = 0, second = 0, msec = 0, len;
    if (!sc.Number(hour, len)) return std::nullopt;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(minute, len)) return std::nullopt;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(second, len)) return std::nullopt;
            if (sc.Char(fs.DecimalSeparator) && !sc.Number(msec, len)) return std::nullopt;
        }
    }
    // An AM/PM marker after the time.
    sc.SkipBlanks();
    std::string_view rest = s.substr(sc.pos);
    auto starts = [&](std::string_view word) {
        if (rest.size() < word.size()) return false;
        for (size_t i = 0; i < word.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(rest[i])) != word[i]) return false;
        return true;
    };
    int ampm = 0;
    if (starts("AM")) ampm = 1, sc.pos += 2;
    else if (starts("PM")) ampm = 2, sc.pos += 2;
    if (!sc.AtEnd()) return std::nullopt;
    if (ampm != 0) {
        if (hour == 0 || hour > 12) return std::nullopt;
        if (ampm == 1 && hour == 12) hour = 0;
        else if (ampm == 2 && hour < 12) hour += 12;
    }
    if (!IsValidTime(hour, minute, second, msec)) return std::nullopt;
    DateTime r;
    r.Hour = hour, r.Minute = minute, r.Second = second, r.Millisecond = msec;
    return r;
}

DateTime StrToTime(std::string_view s) {
    if (auto v = TryStrToTime(s)) return *v;
    throw EConvertError(Quoted(s, "time"));
}

DateTime CombineDateTime(const DateTime& date, const DateTime& time) {
    DateTime r = date;
    r.Hour = time.Hour, r.Minute = time.Minute, r.Second = time.Second, r.Millisecond = time.Millisecond;
    return r;
}

std::string FormatDate(std::string_view pattern, const DateTime& d) {
    std::string out;
    auto pad = [](int v, int width) {
        std::string s = std::to_string(v);
        while (int(s.size()) < width) s.insert(s.begin(), '0');
        return s;
    };
    for (size_t i = 0; i < pattern.size();) {
        const char c = char(std::tolower(static_cast<unsigned char>(pattern[i])));
        size_t run = 1;
        while (i + run < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + run])) == c) ++run;
        if (c == 'y') {
            out += run <= 2 ? pad(d.Year % 100, 2) : pad(d.Year, 4);
        } else if (c == 'm') {
            out += pad(d.Month, run >= 2 ? 2 : 1);
        } else if (c == 'd') {
            out += pad(d.Day, run >= 2 ? 2 : 1);
        } else if (c == '/') {
            out.append(run, FormatSettings().DateSeparator);
        } else {
            out.append(pattern.substr(i, run));
        }
        i += run;
    }
    return out;
}

std::string DateToStr(const DateTime& d) { return FormatDate(FormatSettings().ShortDateFormat, d); }

DateTime Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
#if defined(_WIN32)
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    DateTime r;
    r.Year = tm.tm_year + 1900, r.Month = tm.tm_mon + 1, r.Day = tm.tm_mday;
    r.Hour = tm.tm_hour, r.Minute = tm.tm_min, r.Second = tm.tm_sec;
    r.Millisecond = int(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return r;
}

std::optional<uint32_t> PackDosDateTime(const DateTime& dt) {
    if (dt.Year < 1980 || dt.Year > 2107) return std::nullopt;
    if (!IsValidDate(dt.Year, dt.Month, dt.Day) || !IsValidTime(dt.Hour, dt.Minute, dt.Second, 0)) return std::nullopt;
    const uint32_t date = uint32_t(((dt.Year - 1980) << 9) | (dt.Month << 5) | dt.Day);
    const uint32_t time = uint32_t((dt.Hour << 11) | (dt.Minute << 5) | (dt.Second / 2));
    return (date << 16) | time;
}

std::optional<DateTime> TryUnpackDosDateTime(uint32_t packed) {
    DateTime r;
    const uint32_t date = packed >> 16, time = packed & 0xFFFF;
    r.Year = int(date >> 9) + 1980, r.Month = int((date >> 5) & 15), r.Day = int(date & 31);
    r.Hour = int(time >> 11), r.Minute = int((time >> 5) & 63), r.Second = int(time & 31) * 2;
    if (!IsValidDate(r.Year, r.Month, r.Day) || !IsValidTime(r.Hour, r.Minute, r.Second, 0)) return std::nullopt;
    return r;
}

DateTime UnpackDosDateTime(uint32_t packed) {
    if (auto r = TryUnpackDosDateTime(packed)) return *r;
    throw EConvertError("Invalid packed file time");
}

}  // namespace tolvar
