#include "handlers.h"

#include <algorithm>
#include <functional>
#include <string>

#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/limits.h"
#include "calendar/nations.h"
#include "calendar/state.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "refdata/nationsettings.h"
#include "windowhooks.h"

namespace tovmir {

namespace {

void showTodaysMonth() {
    int y, m;
    today(y, m);
    curMonth = to16(m);
    curYear = to16(y);
    markedDay = 0;
    loadNationSettings();
    writeDateField(dateFieldText(curYear, curMonth));
    loadMonthNames();
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    setLabelCaption("lblYear", signPlace(curYear));
    showCalendar();
}

// A number read from a piece of the field, or false when it does not fit 16 bits
// (an exponent form, say): such an entry is out of range, never a failure.
bool fieldNumber(const std::string& piece, int16_t& value) {
    try {
        value = readInt16(piece);
        return true;
    } catch (const ArithmeticOverflow&) {
        return false;
    }
}

// The flag and the holiday-table toggle both list the year in the field, typed or
// not. A year there that does not fit 16 bits cannot be shown; the field then goes
// back to the month on show, so the click still does its work.
void keepFieldYearReadable() {
    int16_t year;
    if (!fieldNumber(fixedText(readDateField(), 4), year)) writeDateField(dateFieldText(curYear, curMonth));
}

// A picture button's work, then the focus back to the date field, whether the
// work succeeded or not.
void thenFocusBack(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        focusDateField();
        throw;
    }
    focusDateField();
}

}  // namespace

// Set where the start fell back from a saved nation it could not show: the
// close then leaves the saved file alone, unless the user picked a nation since.
static bool keepSavedFile = false;

bool Form_Load() {
    int16_t saved = 0;
    const bool found = readSavedNation(saved);
    nation = found ? saved : 0;
    keepSavedFile = false;
    std::string savedFault;
    for (;;) {
        loadedYear = 0;
        try {
            showTodaysMonth();
            break;
        } catch (const std::exception& e) {
            // Once more as Sweden, unless that was the nation tried: then nothing
            // the user saved is to blame, and only the failure is told.
            if (nation == 0) {
                messageBox(std::string("Tovmir kan inte starta:\n") + e.what(), "Tovmir", MessageIcon::critical);
                return false;
            }
            savedFault = e.what();
            nation = 0;
        }
    }
    if (!savedFault.empty()) {
        keepSavedFile = true;
        messageBox("Det sparade landet (kod " + std::to_string(saved) + ") kan inte visas:\n" + savedFault + "."
                       "\nKalendern visas för Sverige.",
                   "Felrapport", MessageIcon::exclamation);
    }
    return true;
}

void Form_QueryUnload(bool closedByUser) {
    if (!closedByUser) return;
    // The window closes all the same; the user only learns that the nation
    // shown will not come back at the next start.
    if (!keepSavedFile) {
        const std::string fault = rememberNation(nation);
        if (!fault.empty()) messageBox(fault, "Felrapport", MessageIcon::exclamation);
    }
    if (calculatorOpen()) closeCalculator();
}

void txtIndate_KeyPress(int character) {
    const bool enter = character == 13;
    bool warning = !(character >= '0' && character <= '9') && !enter;
    const std::string text = readDateField();
    const std::size_t length = textLength(text);
    if (enter && length > 7) warning = true;
    txtIndateBackground = warning ? fieldRed : fieldYellow;

    int16_t year, month;
    if (!enter || length != 7) return;
    if (!fieldNumber(fixedText(text, 4), year) || !fieldNumber(lastCharacters(text, 2), month)) return;
    if (month < 1 || month > 12 || year < firstEnteredYear(nation) || year > lastShownYear) return;
    markedDay = 0;
    showEnteredMonth(year, month);
}

void showEnteredMonth(int16_t year, int16_t month) {
    curYear = year;
    setLabelCaption("lblYear", format000x(curYear));
    curMonth = month;
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    showCalendar();
}

void txtIndate_KeyUp(int keyCode) {
    int64_t year = curYear, month = curMonth;
    switch (keyCode) {
        case keyUp: year += 1; break;
        case keyDown: year -= 1; break;
        case keyRight: if (++month > 12) month = 1, ++year; break;
        case keyLeft: if (--month < 1) month = 12, --year; break;
        case keyPageUp: year += 10; break;
        case keyPageDown: year -= 10; break;
        case keyHome: year += 100; break;
        case keyEnd: year -= 100; break;
        default: return;
    }
    markedDay = 0;
    if (year > lastShownYear) year = lastShownYear;
    // The nation's lower limit: 1200 for the almanacs, year 1 for codes 5 and 6,
    // the 16-bit edge for the rest.
    year = std::max<int64_t>(year, nationCalendar(nation).firstKeyedYear);
    curYear = static_cast<int16_t>(year);
    curMonth = static_cast<int16_t>(month);
    txtIndateBackground = fieldYellow;
    writeDateField(dateFieldText(curYear, curMonth));
    setLabelCaption("lblYear", format000x(curYear));
    loadMonthNames();
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    showCalendar();
}

void picFlg_Click() {
    thenFocusBack([] {
        // The nation's settings, flag and caption, and its days, loaded afresh.
        const auto showNation = [] {
            loadedYear = 0;
            loadNationSettings();
            showCalendar();
            setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
        };
        const int16_t before = nation, yearBefore = curYear;
        const std::string fieldBefore = readDateField();
        const int32_t markedBefore = markedDay;
        try {
            keepFieldYearReadable();
            curYear = readInt16(fixedText(readDateField(), 4));
            // The remainder takes the dividend's sign: a code below 0 climbs towards 0.
            nation = static_cast<int16_t>((int64_t{nation} + 1) % 4);
            if (curYear < firstAlmanacYear) {
                curYear = firstAlmanacYear;
                writeDateField(dateFieldText(curYear, curMonth));
            }
            markedDay = 0;
            showNation();
        } catch (...) {
            // The nation before comes back whole, as it was shown a moment ago.
            // Should even that fail, the first error is the one the user is told.
            nation = before;
            curYear = yearBefore;
            markedDay = markedBefore;
            writeDateField(fieldBefore);
            try {
                showNation();
            } catch (...) {
            }
            throw;
        }
        keepSavedFile = false;
        if (calculatorOpen()) closeCalculator();
    });
}

void picLatin_Click() {
    thenFocusBack([] {
        loadedYear = 0;
        latinNames = !latinNames;
        markedDay = 0;
        keepFieldYearReadable();
        showCalendar();
    });
}

void picHelp_Click() {
    thenFocusBack([] {
        if (!startProgram("winhelp", {"Vessund.HLP"}))
            messageBox("Hjälpen kunde inte startas: programmet winhelp finns varken bredvid Tovmir eller i sökvägen.",
                       "Hjälp", MessageIcon::exclamation);
    });
}

void picAge_Click() {
    if (!calculatorOpen()) openCalculator();
}

}  // namespace tovmir
