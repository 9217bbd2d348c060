// The days of a nation's years as the month view shows them, for the terminal's
// two whole-range commands: find (which days carry a named day) and ics (the
// days as an iCalendar file for a calendar program).
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "commands.h"
#include "refdata/churchdates.h"

namespace tovmir::cli {

// The years a command over a range reads, FROM and TO as typed (TO empty: FROM
// alone), refused with InputError unless both are years the nation's month view
// takes and FROM is not after TO.
struct YearRange {
    int16_t from, to;
};
YearRange parseYearRange(std::string_view from, std::string_view to, int16_t nation);

// One day as the month view shows it: its day number, its date in the nation's
// calendar, and the colour and text of the loaded year's data.
struct ListedDay {
    int32_t dayNumber;
    int16_t year, month, day;
    int16_t color;
    const std::string* text;
};

// Every day of the years in the nation's calendar, in order, with each year's data
// loaded as the month view loads it (30 February 1712 and the reform gaps included).
void forEachDay(YearRange years, const Options& opt, const std::function<void(const ListedDay&)>& visit);

// A date as YYYY-MM-DD (the year at least four digits).
std::string isoDate(int64_t y, int64_t m, int64_t d);

// find: writes every day of the range that the search names (a church-book date
// such as "Dom. XIV p. Trin." or "Die Andreae", or words of the day's text), one
// line each: YYYY-MM-DD, the weekday abbreviation, the same day in the other
// calendar as YYYY-MM-DD and the text, tab-separated. Returns what was found, with
// the Swedish reason where nothing was. A search without words raises InputError.
// Every year is searched before the first line is written, so a year that fails
// leaves out empty.
FindResult writeFind(std::ostream& out, std::string_view search, YearRange years, const Options& opt);

// ics: writes the range as an iCalendar file (RFC 5545): one all-day event per
// day with a named day (a colour other than black), and with names also every
// day with a text. out gets the whole file, or nothing where a year fails.
void writeIcs(std::ostream& out, YearRange years, const Options& opt, bool names);

// An iCalendar content line folded as RFC 5545 asks: at most 75 octets a line,
// never inside a UTF-8 character, each continuation starting with a blank,
// every line ended by CR LF.
std::string foldedLine(std::string_view line);
void appendFolded(std::string& out, std::string_view line);

}  // namespace tovmir::cli
