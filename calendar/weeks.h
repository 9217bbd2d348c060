// Week numbers, month lengths and date validity, on top of the day numbers.
#pragma once

#include <cstdint>

namespace tovmir {

// Week number of a day in the calendar of the current nation. Leaves curYear at the
// year in which the week was looked up: the day's own year, or the year before for
// early January days that belong to its last week.
//
// The last year of Sunday weeks is the nation's weekNoChg (its Titles row, loaded
// with its settings: 1972 in Sweden, 1973 in Finland); it has no other home, so the
// listing and every caller count by the same year. Up to that year the count starts
// on 1 January's Sunday-to-Saturday week and simply runs on, so 31 December may be
// in week 53 or, in a leap year starting on a Saturday, week 54. After it the ISO
// rule: week 1 holds the first Thursday. A day in week 0 belongs to the old year's
// last week, found from a day four days earlier; a week 53 is week 1 of the next
// year when that year begins Monday to Thursday.
//
// In a shortened reform year the count still starts at the nation's own 1 January.
int16_t weekNumber(int32_t dayNumber);

// Whether the date exists in the nation's calendar: it does exactly when converting
// it to a day number and back gives the same date. That one test rejects day 0,
// month 0 and 13, days past the month's end, 29 February of a common year, the days
// dropped at a reform and Sweden's missing 29 February 1700, and accepts Sweden's
// 30 February 1712. Overwrites calYear, calMonth and calDay.
bool isValidDate(int16_t year, int16_t month, int16_t day, int16_t nation);

// Length of the month before the given month (for January, the December before),
// in the nation's calendar: the difference of two first days, so reform months come
// out with their true length (February 1753 in Sweden has 17 days).
int16_t prevMonthLength(int16_t year, int16_t month, int16_t nation);

}  // namespace tovmir
