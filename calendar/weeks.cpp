#include "weeks.h"

#include "daynumber.h"
#include "overflow.h"
#include "state.h"

namespace tovmir {

int16_t weekNumber(int32_t dayNumber) {
    int64_t n = dayNumber;
    for (;;) {
        dayNumberToDate(to32(n), nation);
        const int16_t y = calYear;
        curYear = y;
        const int32_t j1 = dateToDayNumber(y, 1, 1, nation);
        const int64_t w1 = j1 % 7;  // weekday of 1 January, 0 Monday .. 6 Sunday
        const int64_t sinceNewYear = to16(n - j1);
        if (y <= weekNoChg) {
            int64_t week = to16(sinceNewYear + 8 + w1) / 7;
            if (w1 == 6) --week;
            return to16(week);
        }
        int64_t x = to16(sinceNewYear + w1);
        if (w1 <= 3) x = to16(x + 7);
        int16_t week = to16(x / 7);
        if (week == 0) {
            n -= 4;  // a December day of the same week
            continue;
        }
        if (week > 52) {
            const int32_t next = dateToDayNumber(to16(int64_t{y} + 1), 1, 1, nation);
            if (next % 7 <= 3) week = 1;
        }
        return week;
    }
}

bool isValidDate(int16_t year, int16_t month, int16_t day, int16_t nation) {
    dayNumberToDate(dateToDayNumber(year, month, day, nation), nation);
    return calYear == year && calMonth == month && calDay == day;
}

int16_t prevMonthLength(int16_t year, int16_t month, int16_t nation) {
    const int32_t first = dateToDayNumber(year, month, 1, nation);
    const int32_t before = dateToDayNumber(year, to16(int64_t{month} - 1), 1, nation);
    return to16(int64_t{first} - before);
}

}  // namespace tovmir
