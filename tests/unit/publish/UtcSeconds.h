#pragma once
#include <cstdint>
#include <ctime>

namespace tolvar::test {

// A calendar time in UTC as seconds since 1970, as a file system keeps modification times.
inline int64_t Utc(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = day;
    t.tm_hour = hour, t.tm_min = minute, t.tm_sec = second;
    return int64_t(timegm(&t));
}

}  // namespace tolvar::test
