// Easter Sunday for every nation, with the years in which a nation kept Easter on
// another Sunday than the computus gives, and the two weekday searches that the
// holiday rules use.
#pragma once

#include <cstdint>

#include "state.h"

namespace tovmir {

// Easter Sunday by the Julian computus (the Metonic cycle of 19 years and a fixed
// paschal full moon), as a day number in the calendar of inNation. In Sweden's
// special calendar (1700 to 1711) the date that carries the Julian Easter date is
// the Saturday before the Julian Sunday, so one day is added there.
int32_t julianEaster(int16_t year, int16_t inNation = nation);

// Easter Sunday by the Gregorian computus (Carter's form, with the century term
// folded into a constant that is right from 1800 to 2099), as a day number in the
// calendar of inNation. Codes 0 to 4 keep that constant before 1800 and mend the
// 1700s with their correction lists. Code 6 has no list, so for it the years 1583
// to 1799 use the complete century term, which gives the Easter of published
// Gregorian tables; so do all codes from 2100 to 32767. Day numbers of year 32767
// are near 13.7 million, well inside 32 bits.
int32_t gregorianEaster(int16_t year, int16_t inNation = nation);

// Easter Sunday of the year in the nation's calendar with the nation's historical
// corrections (Sweden and Finland to 1818 and 1845, Denmark and Norway to 1799),
// which data/Paskavvikelser.tsv lists with the Easter dates the almanacs printed.
// Nation codes without an Easter rule (7, 8 and all codes from 9) give 0.
int32_t easterDayNumber(int16_t year, int16_t nation);

// Day-of-year index (of curYear, through yearDayZero) of the r-th day after day p,
// day p itself not counted, whose weekday is q (0 Monday .. 6 Sunday).
int16_t nthWeekdayAfter(int16_t p, int16_t q, int16_t r);

// Day-of-year index of the first Sunday after day p (day p not counted), moved by
// q days; q may be negative (the Saturday before that Sunday is q = -1).
int16_t sundayAfter(int16_t p, int16_t q);

}  // namespace tovmir
