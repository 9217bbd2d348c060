// The one way the month view is redrawn: every change of what is shown (start-up,
// the date field, the flag, the holiday-table toggle, the date calculator) ends in
// showCalendar.
#pragma once

#include <cstdint>

namespace tovmir {

// The years the date field takes from a typed date: 1200 to 2100 for the nations
// with their own almanacs (codes below 5), 2 to 2100 for every other code.
constexpr int16_t lastShownYear = 2100;
int16_t firstEnteredYear(int16_t nation);

// Reads the year from the date field (its first four characters, by the numeric
// reading rule), shows it in lblYear, clears the surface, loads the month names,
// sets yearDayZero, monthStartDay and monthOffset for curMonth, loads the year
// data when the year is not the loaded one, and lists the month. curMonth and
// nation must be set. Errors pass to the caller; a failed year load leaves
// loadedYear 0, so the next call loads again.
void showCalendar();

}  // namespace tovmir
