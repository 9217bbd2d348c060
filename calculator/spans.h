// The date calculator's computations: date 2 from date 1 plus a span, date 1 from
// date 2 minus a span, and the span from date 1 to date 2, all in the calendar of
// the current nation. They run on the nine working values below and return their
// outcome: the computed group's three values, or a refusal with its text. Either
// way calYear and calMonth are left on the month the main window turns to
// afterwards, and the outcome carries them too. The calculator window writes the
// outcome into its fields or shows the refusal; the terminal prints it.
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

struct SpanOutcome {
    int group = 0;          // 1 date 1, 2 the span, 3 date 2; 0 when nothing was computed
    int16_t values[3]{};    // the computed group's year, month and day (or years, months, days)
    std::string refusal;    // the refusal's text; empty when none
    bool focusFirst = false;  // after the refusal, the focus into txtYr1 once more
    bool negativeSpan = false;  // the refusal of a negative span: the main window stays
    int16_t turnYear = 0, turnMonth = 0;  // calYear and calMonth as the computation left them
};

SpanOutcome calcDate2();
SpanOutcome calcDate1();
// The age from date 1 to date 2: no part negative, months 0 to 11, and date 1
// plus the age by calcDate2 is date 2.
SpanOutcome calcAge();

// A press of "Beräkna" on the nine field texts (in the order of calcFieldNames),
// read by the numeric reading rule: the choice of the computation by the year
// values and the computation. A value or a result outside 16 bits is a refusal
// like the computations' own.
SpanOutcome computePress(const std::string (&fields)[9]);

}  // namespace tovmir
