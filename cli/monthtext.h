// The month view in the terminal: the display list that showCalendar leaves,
// turned into lines a person reads, or written out operation by operation.
#pragma once

#include <string>

namespace tovmir::cli {

// The month as text: a title line (the nation's title, the month and the year),
// the header, one line per day with the other calendar's date in a column of its
// own under its label, and a rule between weeks. ANSI colours when color is set.
std::string monthText(bool color);

// The operations of the last showCalendar, one a line: "caption<TAB>NAME<TAB>text",
// "clear", "print<TAB>x<TAB>y<TAB>colour<TAB>text", "line<TAB>NAME<TAB>y".
std::string monthOps();

// Shows one month as the window does (date field, showCalendar, month label).
// The nation's settings must be loaded.
void showMonth(int16_t year, int16_t month);

}  // namespace tovmir::cli
