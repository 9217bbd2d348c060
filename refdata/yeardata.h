// The year data: the text and colour of every day of curYear, built in layers from
// the reference database: the name days, then the holiday rules, then (Sweden and
// Finland in older years) the prayer days, then the leap-day label.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// The name of the nation's rule table: the first of its two HolidayFiles rows, or
// the second (the Latin names).
std::string holidayTableName(Database& db, bool second);

// The code of the current row of a rule table, without the "+" of an adding row
// ("fix+", "sun+": the same day, added to instead of replaced); *adding tells
// whether it had one. The birthday codes add already and keep a "+" they are given.
std::string ruleCode(const Recordset& rules, bool* adding);

// Whether a rule table's code field is one the year's loader applies: fix, est,
// sun, wkd, fly, kyn, MB1 and MB2, each alone or with the "+" of an adding row,
// and the birthday codes age and ded. The builder refuses any other, so a
// misspelt code cannot leave a holiday out of every year without a word.
bool knownRuleCode(std::string_view field);

// The day of year of curYear that the current row of a rule table names by its
// code (the "+" of an adding row already taken off), with the working values set:
// the days of "fix" to "MB2". noRuleDay for the codes that name no day of their
// own ("age", "ded", anything unknown) and for the Easter codes where the nation
// has no Easter rule.
constexpr int64_t noRuleDay = -1;
int64_t ruleTarget(const Recordset& rules, const std::string& rule, bool hasEaster);

// Loads a whole year as the view loads its January: curYear, curMonth,
// yearDayZero, monthStartDay, monthOffset and loadedYear for it, then the year
// data (working values included). Returns the number of days the year has in the
// nation's calendar (a reform year fewer, Sweden's 1712 one more).
int64_t loadWholeYear(int16_t year);

// Builds dayTable for curYear and the current nation. yearDayZero must already
// describe curYear. A nation without an Easter rule gets every rule that does not
// need Easter. Errors pass to the caller, with loadedYear set back to 0 so that
// the half-built table is never taken for the year and the next redraw tries again.
void loadYearData();

}  // namespace tovmir
