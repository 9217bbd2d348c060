#include "spans.h"

#include "calcwindow.h"
#include "calendar/daynumber.h"
#include "calendar/numbers.h"
#include "calendar/limits.h"
#include "calendar/state.h"
#include "calendar/weeks.h"

namespace tovmir {

int16_t yr1, mo1, da1, ageYr, ageMo, ageDa, yr2, mo2, da2;
std::string errTitle = "Fel i datumberäkning";

int32_t movedDate(int16_t day, int16_t toYear, int16_t toMonth, int16_t forNation) {
    if (isValidDate(toYear, toMonth, day, forNation)) return dateToDayNumber(toYear, toMonth, day, forNation);
    // Day numbers count only the days that exist, so counting on from the first
    // of the month steps over the days a reform removed.
    return to32(int64_t{dateToDayNumber(toYear, toMonth, 1, forNation)} + day - 1);
}

namespace {

void writeResult(const char* frame, const char* yr, const char* mo, const char* da, int16_t y, int16_t m, int16_t d) {
    setFrameBlue(frame);
    setCalcField(yr, signPlace(y));
    setCalcField(mo, signPlace(m));
    setCalcField(da, signPlace(d));
}

}  // namespace

void calcDate2() {
    // The limit looks at the years alone; the month carry below may still reach 2099.
    if (yr1 + ageYr > lastSpanStartYear) {
        calYear = loadedYear;
        calMonth = curMonth;
        return refuse("Väl långt fram i tiden");
    }
    if (!isValidDate(yr1, mo1, da1, nation)) {
        calYear = curYear;
        calMonth = curMonth;
        return refuse("Ogiltigt datum1, försök igen");
    }
    int16_t y = to16(int32_t{yr1} + ageYr), m = to16(int32_t{mo1} + ageMo);
    if (m > 12) {
        m = to16(m - 12);
        y = to16(y + 1);
    }
    dayNumberToDate(to32(int64_t{movedDate(da1, y, m, nation)} + ageDa), nation);
    writeResult("Frame3", "txtYr2", "txtMo2", "txtDa2", calYear, calMonth, calDay);
}

void calcDate1() {
    if (!isValidDate(yr2, mo2, da2, nation)) {
        calYear = loadedYear;  // the month stays as the test left it
        return refuse("Ogiltigt datum 2, försök igen!");
    }
    if (ageDa > 367) return refuse("Ogiltigt antal dagar, försök igen");
    int16_t y = to16(int32_t{yr2} - ageYr), m = to16(int32_t{mo2} - ageMo);
    if (m < 1) {
        m = to16(m + 12);
        y = to16(y - 1);
    }
    dayNumberToDate(to32(int64_t{movedDate(da2, y, m, nation)} - ageDa), nation);
    if (calYear < firstCountedYear) return refuse("Datum f Kr beräknas ej");
    writeResult("Frame1", "txtYr1", "txtMo1", "txtDa1", calYear, calMonth, calDay);
}

void calcAge() {
    if (yr1 < firstCountedYear || yr1 > lastShownYear) return refuse("Ogiltigt Datum 1");
    if (!isValidDate(yr1, mo1, da1, nation)) return refuse("Ogiltigt datum 1, försök igen");
    const int32_t j1 = dateToDayNumber(yr1, mo1, da1, nation);
    if (!isValidDate(yr2, mo2, da2, nation) || yr2 < firstCountedYear || yr2 > lastShownYear) {
        refuse("Ogiltigt Datum2");
        return focusFirstCalcField();
    }
    const int32_t j2 = dateToDayNumber(yr2, mo2, da2, nation);
    if (j2 < j1) {
        calYear = loadedYear;
        calMonth = curMonth;
        return refuse("Datum2 lägre än Datum1, byt om");
    }
    // A day of date 2 before the day of date 1 borrows one month; the whole months
    // and years follow from the calendar's month numbers, and the days are then
    // counted by day number from date 1 moved on by them, so that a month with
    // removed days counts only the days it has.
    int16_t m2 = da2 < da1 ? to16(mo2 - 1) : mo2, y2 = yr2;
    ageMo = to16(m2 - mo1);
    if (ageMo < 0) {
        ageMo = to16(ageMo + 12);
        y2 = to16(y2 - 1);
    }
    ageYr = to16(y2 - yr1);
    int16_t y = y2, m = to16(mo1 + ageMo);
    if (m > 12) {
        m = to16(m - 12);
        y = to16(y + 1);
    }
    ageDa = to16(j2 - movedDate(da1, y, m, nation));
    dayNumberToDate(j2, nation);  // leaves date 2's month for the main window
    writeResult("Frame2", "txtAgeYr", "txtAgeMo", "txtAgeDa", ageYr, ageMo, ageDa);
}

}  // namespace tovmir
