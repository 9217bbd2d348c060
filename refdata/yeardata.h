// The year data: the text and colour of every day of curYear, built in layers from
// the reference database: the name days, then the holiday rules, then (Sweden and
// Finland in older years) the prayer days, then the leap-day label.
#pragma once

#include <cstdint>

#include "engine.h"

namespace tovmir {

// Working values of a load, set at its start for curYear and the nation:
//   easterDay  day of year of Easter Sunday (0 for a nation without an Easter rule)
//   march1Day  day of year of 1 March
//   leapShift  march1Day - 60: 0 in a common year, 1 in a leap year, 2 in Sweden's
//              1712, negative where a reform shortened the year before March
extern int16_t easterDay;
extern int16_t march1Day;
extern int16_t leapShift;

// Builds dayTable for curYear and the current nation. yearDayZero must already
// describe curYear. A nation without an Easter rule gets every rule that does not
// need Easter. Errors pass to the caller, with loadedYear set back to 0 so that
// the half-built table is never taken for the year and the next redraw tries again.
void loadYearData();

}  // namespace tovmir
