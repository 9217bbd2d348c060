#include "daynumber.h"

#include "nations.h"
#include "overflow.h"
#include "state.h"

namespace tovmir {

double dateKey(int16_t year, int16_t month, int16_t day) {
    // Three separate IEEE operations in the fixed order; the reform constants and
    // the two 1712 keys are only right for exactly this rounding.
    const double monthPart = static_cast<double>(month) / 100.0;
    const double withYear = monthPart + static_cast<double>(year);
    return withYear + static_cast<double>(day) / 10000.0;
}

namespace {

bool isSwedish(int16_t nation) { return nationCalendar(nation).swedish; }

// Whether a date (by its key) is counted in the Gregorian calendar of the nation.
bool gregorianByKey(double key, int16_t nation) { return key > nationCalendar(nation).lastJulianKey; }

// Whether a day number lies in the Gregorian part of the nation's history.
bool gregorianByDay(int32_t j, int16_t nation) { return j > nationCalendar(nation).lastJulianDay; }

}  // namespace

int32_t dateToDayNumber(int16_t year, int16_t month, int16_t day, int16_t nation) {
    const double key = dateKey(year, month, day);
    if (isSwedish(nation)) {
        // 30 February 1712 has no place in the Julian count: the formula would give
        // 1 March. Its key, and that of day 0 of March (the same day), are matched
        // exactly; both are the doubles the key arithmetic produces for them.
        if (key == 1712.023 || key == 1712.03) return february30th1712;
    }
    int64_t y = year, m = month;
    if (month < 3) {
        y = to16(y - 1);
        m += 12;
    }
    int64_t g = 0;
    if (gregorianByKey(key, nation)) {
        const int64_t a = y / 100;
        g = 2 - a + a / 4;
    }
    const int64_t f = 306 * (m + 1) / 10 + 36525 * y / 100 + day + g;
    int32_t j = to32(f + 1720995);
    // The special calendar left out 29 February 1700, so from 1 March 1700 until
    // 30 February 1712 set things right, each date fell one day before the Julian
    // day of the same name.
    if (isSwedish(nation) && j > specialCalendarEve && j < specialCalendarEnd) --j;
    return j;
}

void dayNumberToDate(int32_t dayNumber, int16_t nation) {
    int64_t a = dayNumber;
    if (gregorianByDay(dayNumber, nation)) {
        const int64_t alpha = to32(to32((a - 1867216) * 100) / 3652425);
        a = to32(a + 1 + alpha - alpha / 4);
    } else if (isSwedish(nation)) {
        if (dayNumber == february30th1712) {
            calYear = 1712;
            calMonth = 2;
            calDay = 30;
            return;
        }
        // Inside the special calendar a day carries the Julian date of the next day.
        if (dayNumber > specialCalendarEve && dayNumber < february30th1712) ++a;
    }
    // Each product is a 32-bit intermediate; to32 names where a far day number
    // would leave that width, before the year itself does.
    const int64_t b = to32(a + 1524);
    const int64_t c = to32(to32(100 * b - 12210) / 36525);
    const int64_t d = to32(36525 * c) / 100;
    const int64_t e = to32(10 * (b - d)) / 306;
    int64_t day = b - d - 306 * e / 10;
    int64_t month = e >= 13 ? e - 13 : e - 1;
    int64_t year = month <= 2 ? c - 4715 : c - 4716;
    if (day == 0) {
        day = 31;
        --month;
    }
    if (month == 0) {
        month = 12;
        --year;
    }
    calYear = to16(year);
    calMonth = to16(month);
    calDay = to16(day);
}

}  // namespace tovmir
