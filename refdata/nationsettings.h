// The reference database and the nation settings read from it: title, flag,
// weekday names, leap-day and week settings, and the month names of the year.
#pragma once

#include <string>

#include "calendar/nations.h"
#include "engine.h"

namespace tovmir {

// Const.mdb is found in the working directory, as the program's own files are.
constexpr const char* referenceDatabaseFile = "Const.mdb";

// The connect string that opens it: ";pwd=" and the database password.
std::string referenceConnectString();

// Opens Const.mdb for one loader call; the loader closes it before it returns.
Database openReferenceDatabase();

// The nation's row in any nation table: "Nation = " and the code as sign-place
// text, so nation 3 gives "Nation =  3" (two blanks).
std::string nationCriterion();

// Every code from 9 up is the same calendar, Gregorian at every date; such a code
// without rows of its own reads the rows of 9.
constexpr int16_t gregorianRowsCode = firstGregorianCode;

// Moves to the nation's row of a table of nation rows (see gregorianRowsCode);
// noMatch as findFirst leaves it.
void findNationRow(Recordset& rs);

// Reads the current nation's Titles and Weekdays rows (caption, flag picture,
// lpDChg, leapDayName, weekNoChg, weekdayNames), then loadMonthNames. A nation
// without a Titles or Weekdays row keeps what those settings held before.
void loadNationSettings();

// The month names of the current nation for curYear: the nation's first MonthNames
// row, or the row stored right after it when curYear is past its chgYr. A nation
// without a MonthNames row raises DataError naming the table and the nation.
void loadMonthNames();

}  // namespace tovmir
