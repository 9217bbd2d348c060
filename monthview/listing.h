// The listing of the shown month: a header, one line per day (week number where a
// week begins, the day, the weekday, the day's text in its colour), the five week
// separators, and beside the days the same days in the other calendar, "Gamla
// Stilen" (Julian) after the nation's reform or "    Nya Stilen" (Gregorian)
// before it. The marked day, when it lies in the month, gets the mark of its line.
#pragma once

namespace tovmir {

// Prints curMonth of curYear for the current nation onto the cleared surface.
// monthStartDay, monthOffset and dayTable must describe that month. curYear and
// curMonth are moved while the other calendar's dates are printed and put back.
void listMonth();

}  // namespace tovmir
