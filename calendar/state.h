// The shared calendar state: what the main window shows and the reference data
// loaded for it. One set of process-wide variables, read and written directly by
// name by every part of the system, on the one event thread.
//
// It lives here, at the bottom of the include order, although it describes the
// month view: the day-number conversion writes calYear/calMonth/calDay, the week
// number writes curYear, and the weekday searches read yearDayZero. Putting it
// higher would make the calendar include upwards.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tovmir {

// One day of the loaded year: the palette colour of its line (0 black, 9 light
// blue, 12 light red, ...) and everything printed after the weekday.
struct DayRecord {
    int16_t color = 0;
    std::string dayText;
};

// Records 0 to 367. A year has at most 367 days (Sweden's 1712, with 30 February),
// indexed from 1; record 0 is never shown.
constexpr int dayTableSize = 368;

extern int16_t curYear;   // the year shown; weekNumber and listMonth move it for a while
extern int16_t curMonth;  // the month shown, 1 to 12
extern int16_t altDay;    // day of the alternative-calendar date being printed
extern int16_t calYear, calMonth, calDay;  // result of the last dayNumberToDate
extern int16_t loadedYear;  // year whose data dayTable holds; 0 forces a reload
extern int16_t nation;      // current nation code
extern bool latinNames;     // false: the nation's first holiday table; true: its second
extern int16_t weekNoChg;   // last year whose weeks begin on Sunday
extern int16_t lpDChg;      // first year whose leap day is 29 February
extern std::string leapDayName;                   // fixed text of 18 characters
extern std::array<std::string, 8> weekdayNames;   // fixed texts of 2; 0 Monday .. 6 Sunday
extern std::array<std::string, 13> monthNames;    // fixed texts of 11; 1 .. 12
extern int32_t yearDayZero;    // day number of 1 January of curYear, minus 1
extern int32_t monthStartDay;  // day number of the first day of curMonth
extern int16_t monthOffset;    // monthStartDay - yearDayZero
extern std::array<DayRecord, dayTableSize> dayTable;
// The day the main window marks in its month, by day number; 0 marks none. The
// search sets it when the user chooses a found day, every other change of what is
// shown clears it, and the terminal never sets it.
extern int32_t markedDay;

// The record of a day-of-year index, checked: an index outside 0 to 367 raises
// std::out_of_range naming it, so bad reference data can never write or read
// outside the table.
DayRecord& dayTableAt(int64_t index);

// Palette indexes run from 0 to 15.
constexpr int16_t paletteSize = 16;

// Every variable back to its start-of-run value (0, false, empty). For tests and
// tools that run several scenarios in one process.
void resetCalendarState();

}  // namespace tovmir
