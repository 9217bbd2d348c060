// The calendar facts of every nation code in one table: where its Julian count
// ends, whether it lived through Sweden's special calendar, whether it is one of
// the Nordic almanacs (week numbers, red Sundays, years from 1200), how far the
// keys step back, and the month in which its reform drops days.
#pragma once

#include <cstdint>

namespace tovmir {

// A month in which a reform drops days, as the month view lists it: the labels
// jump over the gap at the first Gregorian day and run to the month's last date.
struct ReformMonth {
    int32_t monthStartDay;   // day number of the month's first day; 0 for none
    int16_t lastLabel;       // the month's last date
    int16_t days;            // the days that exist
    int32_t firstGregorian;  // the day after the gap
    int16_t jump;            // label step over the gap
};

// How a nation reckons Easter: Sweden's (the Julian computus with its own
// deviations to 1752, then the Gregorian with its own to 1818, Finland's to
// 1845), Denmark-Norway's (Julian to 1699, then the Gregorian with the improved
// calendar's deviations), the Julian computus, the computus of the reform of
// 1582 (Julian to 1582, Gregorian after), or no Easter rule at all.
enum class EasterRule { swedish, danish, julian, reform1582, none };

struct NationCalendar {
    double lastJulianKey;     // date key of the last Julian date (see dateKey)
    int64_t lastJulianDay;    // its day number (wider than any day number, for the calendars
                              // that are Julian or Gregorian at every day)
    bool swedish;             // Sweden and Finland: the special calendar of 1700-1712
    bool almanac;             // a Nordic almanac: week numbers, red Sundays, years from 1200
    int16_t firstKeyedYear;   // the earliest year the arrow and page keys step to
    ReformMonth reformMonth;  // the month the listing shows with its gap
    EasterRule easter;
    int16_t lastPrayerYear;   // the last year its almanac carries the prayer days; 0 for none
};

// The facts of a nation code; every code without an entry of its own (9 and up,
// and below 0) is Gregorian at all times.
const NationCalendar& nationCalendar(int16_t nation);

// The reference calendars of the other calendar's dates: the Julian one, and the
// reform of October 1582 (Julian before it, Gregorian after). From code 9 up
// every code is Gregorian at every date, before 1582 too.
constexpr int16_t julianCode = 5;
constexpr int16_t reform1582Code = 6;
constexpr int16_t firstGregorianCode = 9;

// The calendar in which the month view's right-hand column gives the date (y, m, d)
// of the nation: the Julian one where the nation writes that date as the calendar
// of 1582 does (before that reform, and after the nation's own), the reform of
// 1582 (so the Gregorian) where it does not (between the two reforms, and Sweden's
// special calendar); the Julian always for the codes from 9.
int16_t otherCalendar(int16_t y, int16_t m, int16_t d, int16_t nation);

}  // namespace tovmir
