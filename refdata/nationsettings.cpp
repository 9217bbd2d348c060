#include "nationsettings.h"

#include <array>

#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/state.h"
#include "windowops.h"

namespace tovmir {

namespace {
constexpr const char* password = "[vortle#";
}

std::string referenceConnectString() { return std::string(";pwd=") + password; }

Database openReferenceDatabase() {
    return openDatabase(referenceDatabaseFile, false, false, referenceConnectString());
}

std::string nationCriterion() { return "Nation = " + signPlace(nation); }

void findNationRow(Recordset& rs) {
    findFirst(rs, nationCriterion());
    if (noMatch(rs) && nation > gregorianRowsCode) findFirst(rs, "Nation = " + signPlace(gregorianRowsCode));
}

void loadNationSettings() {
    // Everything of the nation's rows is read before anything is shown or kept, so
    // a bad row leaves the window and the settings as they were.
    Database db = openReferenceDatabase();
    Recordset titles = openRecordset(db, "Titles");
    findNationRow(titles);
    const bool hasTitle = !noMatch(titles);
    std::string flag, title, leapName;
    int16_t leapChange = lpDChg, weekChange = weekNoChg;
    if (hasTitle) {
        flag = readTextField(titles, "Flag");
        title = readTextField(titles, "Title");
        leapChange = readInt16Field(titles, "lpDChg");
        leapName = fixedText(readTextField(titles, "leapDayName"), 18);
        weekChange = readInt16Field(titles, "weekNoChg");
    }
    closeRecordset(titles);

    Recordset weekdays = openRecordset(db, "Weekdays");
    findNationRow(weekdays);
    std::array<std::string, 8> names = weekdayNames;
    if (!noMatch(weekdays)) {
        static constexpr const char* columns[] = {"Mon", "Tue", "Wen", "Thu", "Fri", "Sat", "Sun"};
        for (int i = 0; i < 7; ++i) names[i] = fixedText(readTextField(weekdays, columns[i]), 2);
    }
    closeRecordset(weekdays);
    closeDatabase(db);

    if (hasTitle) {
        showFlagPicture(flag);
        setMainCaption(title);
        lpDChg = leapChange;
        leapDayName = leapName;
        weekNoChg = weekChange;
    }
    weekdayNames = names;

    loadMonthNames();
}

void loadMonthNames() {
    Database db = openReferenceDatabase();
    Recordset months = openRecordset(db, "MonthNames");
    findNationRow(months);
    if (noMatch(months))
        throw DataError("tabellen MonthNames har ingen rad för nation " + std::to_string(nation));
    // One step, no search: the row stored next holds the later names, whatever its nation.
    if (readNumberField(months, "chgYr") < curYear) moveNext(months);
    static constexpr const char* columns[] = {"jan", "feb", "mar", "apr", "mai", "jun",
                                              "jul", "aug", "sep", "Oct", "nov", "dec"};
    for (int m = 1; m <= 12; ++m) monthNames[m] = fixedText(readTextField(months, columns[m - 1]), 11);
    closeRecordset(months);
    closeDatabase(db);
}

}  // namespace tovmir
