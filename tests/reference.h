// Day numbers computed independently of the calendar code, for checking it over
// whole ranges of days: the Gregorian count from the C++ standard library's civil
// calendar, and the Julian count from the closed formula of the Julian-day
// literature (a different construction from the one under test).
#pragma once

#include <chrono>
#include <cstdint>

namespace reference {

// 1 January 1970 (Gregorian) is Julian Day 2440588.
inline int32_t gregorianDay(int y, int m, int d) {
    using namespace std::chrono;
    return static_cast<int32_t>(sys_days{year{y} / month(m) / day(d)}.time_since_epoch().count() + 2440588);
}

struct Ymd { int y, m, d; };

inline Ymd gregorianDate(int32_t j) {
    using namespace std::chrono;
    const year_month_day ymd{sys_days{days{j - 2440588}}};
    return {int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day()))};
}

// Julian calendar date to Julian Day, valid for positive years.
inline int32_t julianDay(int y, int m, int d) {
    return 367 * y - (7 * (y + 5001 + (m - 9) / 7)) / 4 + (275 * m) / 9 + d + 1729777;
}

}  // namespace reference
