#include "viewdriver.h"

#include "calendar/daynumber.h"
#include "calendar/nations.h"
#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/state.h"
#include "listing.h"
#include "refdata/nationsettings.h"
#include "refdata/yeardata.h"
#include "surface.h"

namespace tovmir {

int16_t firstEnteredYear(int16_t nation) { return nationCalendar(nation).almanac ? firstAlmanacYear : firstTypedYear; }

void showCalendar() {
    resetSurfaceLog();
    // The first four characters hold the year (the field reads yyyy-mm); fixedText
    // pads a shorter text with blanks, which the reading rule skips.
    curYear = readInt16(fixedText(readDateField(), 4));
    setLabelCaption("lblYear", signPlace(curYear));
    clearSurface();
    loadMonthNames();
    yearDayZero = to32(int64_t{dateToDayNumber(curYear, 1, 1, nation)} - 1);
    monthStartDay = dateToDayNumber(curYear, curMonth, 1, nation);
    monthOffset = to16(int64_t{monthStartDay} - yearDayZero);
    if (curYear != loadedYear) {
        loadedYear = curYear;
        loadYearData();
    }
    listMonth();
}

}  // namespace tovmir
