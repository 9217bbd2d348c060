// The search dialog without its toolkit: a phrase from a church book ("Dom. XIV
// p. Trin. 1745", "Die Andreae", a name) and the years to search, the days found,
// and the day the user chooses, to which the main window turns with that day
// marked. The Qt dialog frmFind copies its fields here before each event and shows
// the list and the message line after it, so every handler runs the same with or
// without a window.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "refdata/churchdates.h"

namespace tovmir {

// The three fields as typed: "Text eller kyrkodag:", "Från år:" and "Till år:".
extern std::string findPhrase, findFromText, findToText;
// What the dialog itself wrote into "Från år" when it opened. While that field
// still holds it (or nothing) and "Till år" is empty, the fields count as left as
// they were, and a year written at the end of the phrase is the one searched.
extern std::string findFromDefault;

// The days of the last search in date order, at most maxListedDays of them, and
// the nation they were found in.
extern std::vector<FoundDay> foundDays;
extern int16_t foundNation;
// The line under the list: how many days were found, why none was, or why the
// search or the choice could not be made. Swedish, as the user reads it.
extern std::string findMessage;

// A list longer than this helps nobody find a day and takes the dialog seconds to
// fill (a single letter matches most days of nine centuries): the first ones are
// kept and the message says how many there were.
constexpr std::size_t maxListedDays = 2000;

// The dialog opens: "Från år" gets the year on show, unless the user wrote
// another year there the last time.
void frmFind_Load();

// "Sök", or Enter in a field: reads the years (refusing any the nation's month
// view does not show), runs findDays over them and fills foundDays and
// findMessage. The search loads other years into the shared state; the month on
// show is drawn again afterwards, whatever the date field holds at the moment.
void cmdFind_Click();

// Enter or a double click on a row, or "Visa" with the row chosen: the main
// window turns to that day's month the way the date field's Enter turns it, with
// the day marked (markedDay) until the next change. A row of a search made in
// another nation is refused in findMessage.
void lstDays_DblClick(int row);

// The list's columns for a found day: its date (yyyy-mm-dd), its weekday, the
// same day in the other calendar (yyyy-mm-dd) and its text.
std::array<std::string, 4> foundDayColumns(const FoundDay& day);

// The edge of the dialog's events: runs a handler to its end; an error of the
// system (a phrase without words, bad reference data, an overflow) becomes the
// Swedish message line instead of ending the program. Returns false when the
// handler failed.
bool runFindHandler(const std::function<void()>& handler);

}  // namespace tovmir
