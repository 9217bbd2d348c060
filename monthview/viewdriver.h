// The one way the month view is redrawn: every change of what is shown (start-up,
// the date field, the flag, the holiday-table toggle, the date calculator) ends in
// showCalendar.
#pragma once

#include <cstdint>

#include "calendar/limits.h"

namespace tovmir {

// The first year the date field takes from a typed date: firstAlmanacYear for the
// nations with their own almanacs (codes below 5), firstTypedYear for every other
// code; the last is lastShownYear for all.
int16_t firstEnteredYear(int16_t nation);

// Reads the year from the date field (its first four characters, by the numeric
// reading rule), shows it in lblYear, clears the surface, loads the month names,
// sets yearDayZero, monthStartDay and monthOffset for curMonth, loads the year
// data when the year is not the loaded one, and lists the month. curMonth and
// nation must be set. Errors pass to the caller; a failed year load leaves
// loadedYear 0, so the next call loads again.
void showCalendar();

}  // namespace tovmir
