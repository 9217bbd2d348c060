// The date calculator's computations: date 2 from date 1 plus a span, date 1 from
// date 2 minus a span, and the span from date 1 to date 2, all in the calendar of
// the current nation. They run on the nine working values below and end either in
// a result written into the calculator's fields (with its group's frame caption
// turned blue) or in a refusal: a message box titled errTitle and a cleared
// window. Either way calYear and calMonth are left on the month the main window
// turns to afterwards.
#pragma once

#include <cstdint>
#include <string>

namespace tovmir {

// The working values: a press fills them from the fields, and they outlive the
// window. The span is ageYr years, ageMo months (0 to 11 once the window has
// carried whole years out of it) and ageDa days.
extern int16_t yr1, mo1, da1, ageYr, ageMo, ageDa, yr2, mo2, da2;
extern std::string errTitle;

// The day number of the date (year, month, day) moved to toYear and toMonth,
// keeping its day: the date (toYear, toMonth, day) itself where forNation's
// calendar has it; otherwise, where the day runs past the month's end or a reform
// took it away, the first day of the month and day - 1 days on, counted in the
// days that exist. Every computation moves dates by this one rule, so that a span
// that the difference finds takes the addition back to date 2, reform months
// included.
int32_t movedDate(int16_t day, int16_t toYear, int16_t toMonth, int16_t forNation);

void calcDate2();
void calcDate1();
void calcAge();

}  // namespace tovmir
