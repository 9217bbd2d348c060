// The terminal front end's commands, apart from the argument parser so that the
// batch reader and the tests drive exactly the code that the command line does.
// Every command takes its positional values as texts, read strictly: a whole
// decimal number, optionally signed, that fits the width the calendar keeps it in.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/text.h"
#include "refdata/engine.h"

namespace tovmir::cli {

struct CommandInfo {
    const char* name;
    std::vector<const char*> argNames;  // the positional values, in order
    const char* help;
};

// The first commands of the terminal front end, in the order --help lists them.
const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(std::string_view name);

// Options shared by the commands; from and to are read by convert only.
struct Options {
    int16_t nation = 0;
    int16_t from = 0;
    int16_t to = 0;
    bool latin = false;  // year: the second holiday table, with the Latin Sunday names
};

// A value or line that cannot be used. what() is the Swedish reason shown after "fel: ".
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An error's text after "fel: ". The program's own errors (InputError, the
// reference data's, the church-date reader's, the overflow error) are Swedish
// sentences already, and running out of memory is said in Swedish; anything else
// a library raises is unexpected, and its text stands only in brackets after a
// Swedish sentence.
std::string errorText(const std::exception& e);

// The longest batch line read; anything longer is refused whole rather than cut.
constexpr std::size_t maxLineLength = 1000;

// A terminal command is one event of the calendar: the reference database open for
// all of it, so that the loaders' opens within the command share one connection
// instead of each opening its own for the tables it reads first. Hold the result
// for the command's length.
Database openForCommand();

// A value as a message shows it (calendar/text.h).
using tovmir::shownValue;

// Strict readers for one value; InputError names the value and why it is refused.
int16_t parse16(std::string_view text, std::string_view what);
int32_t parse32(std::string_view text, std::string_view what);

// The year's data as the view driver loads it (nation settings, month names, the
// year's bounds, the year data), one line per day: index, date in the nation's
// calendar, colour and text, tab-separated. Reads Const.mdb in the working folder.
std::string yearListing(int16_t year, const Options& opt);

// A month as the text "YYYY-MM" (the year may carry a minus sign), refused with
// InputError unless the month is 1 to 12 and the year one the nation's calendar
// view takes (1200 to 2100 for codes below 5, 2 to 2100 for the others).
struct YearMonth {
    int16_t year, month;
};
YearMonth parseYearMonth(std::string_view text, int16_t nation);

// Today's month by the system clock's local date, as the window takes it at its
// start: what month and year show when given no value.
YearMonth currentMonth();

// Output held back until the command has it whole. A range that fails half-way
// (a table damaged in a later year, a file replaced during the run) then leaves
// standard output empty, not a listing or a calendar file that ends early and
// looks complete. The largest outputs are some 70 MB (ics --names over 1200 to
// 2100, months over 2 to 2100); held in pieces of about a megabyte they cost
// their own size, without the copies of one ever-growing string.
using HeldOutput = std::vector<std::string>;
void hold(HeldOutput& held, std::string_view text);
// Writes everything held, in order.
void release(std::ostream& out, const HeldOutput& held);

// The months from..to as the calendar shows them, one after another (the year data
// loaded once per year): as text (with ANSI colours when color is set), or as the
// display list's operations. The whole output or an error, never half of it.
std::string monthListing(std::string_view from, std::string_view to, const Options& opt, bool ops, bool color);
// The same, written to out once every month is listed.
void writeMonthListing(std::ostream& out, std::string_view from, std::string_view to, const Options& opt, bool ops,
                       bool color);

// Runs one command on its positional values and returns the output line (without
// line end). A date that does not exist in the nation's calendar but still has a
// day number sets *warning. Raises InputError for bad values (year: a year the
// nation's month view does not show too) and the system's overflow error when the
// arithmetic leaves its width. week and year read Const.mdb in the working folder
// (week only the nation's last year of Sunday weeks) and raise DataError for it.
std::string runCommand(const CommandInfo& cmd, const std::vector<std::string>& args,
                       const Options& opt, std::string* warning);

// Splits a batch line into its values at blanks and tabs; a CR before the line end
// (files from Windows) is dropped.
std::vector<std::string> splitLine(std::string_view line);
// The same into out, reusing its strings (the batch reader's line after line).
void splitLine(std::string_view line, std::vector<std::string>& out);

// Batch mode: one output line for every input line, in order, "fel: <reason>" for a
// line that fails; warnings go to err. Returns the exit status: 0, or 1 when any
// line failed.
int runBatch(const CommandInfo& cmd, const Options& opt, std::istream& in, std::ostream& out,
             std::ostream& err);

}  // namespace tovmir::cli
