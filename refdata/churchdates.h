// Dates as church books, court records and letters write them: a Sunday of the
// church year ("Dom. XIV p. Trin.", "3 sönd. e. Trettond.", "Invocavit"), a feast
// or saint's day in the Latin genitive or the folk name ("Die Andreae", "Festo
// Michaelis", "Olofsmäss", "Kyndelmisse"), a weekday of such a week ("Fer. 2
// Pasch."), read into the days they name in the nation's calendar.
//
// The reader answers from the calendar's own rules, never from the text a day
// happens to show: a Sunday is found by its Sunday name although the day carries
// another feast. Ordinal Sundays are counted from Easter, Epiphany and Advent;
// a feast whose day the nation's holiday rules move in some era (Mikaelidagen on
// a Sunday from 1773 in Sweden) is taken where those rules put it, and otherwise
// on its fixed date. A phrase that reads as no church day is matched against the
// days' texts as the month view shows them (name days, flag days).
//
// Both front ends call findDays: the terminal's find and the window's search.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tovmir {

// A phrase that cannot be searched for (no words at all). what() is Swedish.
struct PhraseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One day found: its day number, its date in the nation's calendar, the same day
// in the other calendar (as the month view's right-hand column gives it), the
// weekday abbreviation of the nation, and the text: the name of the church day the
// phrase named (Latin or vernacular as latinNames chooses), followed after a dash by
// what the day itself shows where that differs; for a plain text match the day's
// text.
struct FoundDay {
    int32_t dayNumber;
    int16_t year, month, day;
    int16_t otherYear, otherMonth, otherDay;
    std::string weekday;
    std::string text;
};

// What a search gives: the days in date order, and where none was found a Swedish
// sentence saying why ("1745 har bara 24 söndagar efter trefaldighet", or that the
// phrase was not understood, with examples of what is).
struct FindResult {
    std::vector<FoundDay> days;
    std::string message;
};

// Whether a day's text matches a search: each word of the search begins a word
// of the text, in the same order. Case is ignored (also for the letters of the
// Nordic alphabets), dots and commas are not part of a word nor brackets ("(kyndelmisse)"
// is the word kyndelmisse), and å, ä, ö, æ, ø are letters of their own, not a or o.
bool textMatches(std::string_view text, std::string_view search);

// The year a phrase carries ("Dom. 3 p. Trin. 1745" and "Anno 1745 Mickelsmäss"
// give 1745), 0 where it has none: the last number of three or four digits in it.
// A smaller number is an ordinal or a day.
int16_t phraseYear(std::string_view phrase);

// Searches the years from..to (inclusive, years the nation's month view shows) of
// the current nation for the days the phrase names; a year written in the phrase
// narrows the range to that year when it lies within it, and is a word of the text
// otherwise ("Danmarks befrielse 1945" searched in 2024). latinNames chooses the
// names shown. Needs the nation settings loaded (loadNationSettings). Loads each
// year's data into dayTable as it goes; the caller's view state (curYear,
// curMonth, yearDayZero, monthStartDay, monthOffset) is restored however the
// search ends, a raised error included, and loadedYear is set to 0, so the next
// showCalendar reloads the shown year.
// Raises PhraseError for a phrase without words, DataError for bad reference data
// and the overflow error as the loaders do.
FindResult findDays(std::string_view phrase, int16_t from, int16_t to);

}  // namespace tovmir
