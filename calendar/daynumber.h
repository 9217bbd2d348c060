// Dates and day numbers under every nation's calendar history.
//
// A day number is the chronological Julian Day Number: 2451545 is 1 January 2000
// (Gregorian), and day number modulo 7 is the weekday, 0 Monday to 6 Sunday.
//
// Nation codes and their calendars:
//   0, 1  Sweden, Finland: Julian; the Swedish special calendar from 1 March 1700
//         to 30 February 1712; Julian again; Gregorian from 1 March 1753
//   2, 3  Denmark, Norway: Gregorian from 1 March 1700 (after 18 February)
//   4     Gregorian from 28 November 1700 (after 16 November)
//   5     Julian at all times
//   6, 8  Gregorian from 15 October 1582 (after 4 October)
//   7     Gregorian from 14 September 1752 (after 2 September)
//   other Gregorian at all times, also before 1582
#pragma once

#include <cstdint>

namespace tovmir {

// The date key yyyy.mmdd that decides which calendar a date belongs to, formed as
// (month / 100 + year) + day / 10000 in double precision, in exactly that order.
// Out-of-range days and months are not rejected: they feed the key arithmetically,
// so day 100 of February has the key of day 0 of March.
double dateKey(int16_t year, int16_t month, int16_t day);

// The last Julian date of each reform, as a date key. Computed in the order above
// the key of a last Julian date lands on or a hair below its constant (1752-09-02
// gives 1752.0901999999999), and the next day's key above it: compare with <=.
constexpr double lastJulianKeySweden = 1753.0217;   // codes 0, 1
constexpr double lastJulianKeyDenmark = 1700.0218;  // codes 2, 3
constexpr double lastJulianKeyNov1700 = 1700.1116;  // code 4
constexpr double lastJulianKeySep1752 = 1752.0902;  // code 7
constexpr double lastJulianKeyOct1582 = 1582.1004;  // codes 6, 8

// Day numbers at the edges of the reforms and of the Swedish special calendar.
constexpr int32_t lastJulianDaySweden = 2361389;   // 17 February 1753
constexpr int32_t lastJulianDayDenmark = 2342031;  // 18 February 1700
constexpr int32_t lastJulianDayNov1700 = 2342303;  // 16 November 1700
constexpr int32_t lastJulianDaySep1752 = 2361221;  // 2 September 1752
constexpr int32_t lastJulianDayOct1582 = 2299160;  // 4 October 1582
constexpr int32_t firstOfOctober1582 = 2299157;    // 1 October 1582, the month of the first reform
constexpr int32_t specialCalendarEve = 2342041;    // 28 February 1700, the last plain Julian day
constexpr int32_t february30th1712 = 2346425;      // 30 February 1712
constexpr int32_t specialCalendarEnd = 2346426;    // 1 March 1712, Julian again

// Day number of a date in the nation's calendar. Any month and day are accepted and
// counted arithmetically (day 0 of March is the last day of February, month 0 is
// December of the year before), which the validity check relies on. A date that the
// calendar skips gets the day number the formula gives, whose date differs.
//
// The idea: shift the year to start in March, so that the leap day falls at the end
// and 30.6 days per month reproduce the month lengths; add the century correction
// only on the Gregorian side of the nation's reform; in Sweden's special calendar
// every date stands one day ahead, so take one day off.
//
// Raises the overflow error for January and February of year -32768, whose March
// year -32769 leaves 16 bits; every other 16-bit date fits.
int32_t dateToDayNumber(int16_t year, int16_t month, int16_t day, int16_t nation);

// The date of a day number in the nation's calendar, written to calYear, calMonth
// and calDay; read them at once, the next conversion overwrites them.
//
// The idea is the inverse of dateToDayNumber: remove the Gregorian century
// correction first, count Julian years of 365.25 days and months of 30.6 days from
// a March year, then turn day 0 and month 0 (which that count produces for the
// last days of January, March and August and for December) into true dates.
//
// Raises the overflow error when the year leaves 16 bits: beyond about 13.69
// million, or below about -10.25 million.
void dayNumberToDate(int32_t dayNumber, int16_t nation);

}  // namespace tovmir
