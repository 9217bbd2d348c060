#include "spans.h"

#include "calendar/daynumber.h"
#include "calendar/numbers.h"
#include "calendar/overflow.h"
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

SpanOutcome result(int group, int16_t a, int16_t b, int16_t c) {
    SpanOutcome o;
    o.group = group;
    o.values[0] = a;
    o.values[1] = b;
    o.values[2] = c;
    return o;
}

SpanOutcome refusal(const std::string& text, bool focusFirst = false) {
    SpanOutcome o;
    o.refusal = text;
    o.focusFirst = focusFirst;
    return o;
}

}  // namespace

SpanOutcome calcDate2() {
    // The limit looks at the years alone; the month carry below may still reach 2099.
    if (yr1 + ageYr > lastSpanStartYear) {
        calYear = loadedYear;
        calMonth = curMonth;
        return refusal("Väl långt fram i tiden");
    }
    if (!isValidDate(yr1, mo1, da1, nation)) {
        calYear = curYear;
        calMonth = curMonth;
        return refusal("Ogiltigt datum1, försök igen");
    }
    int16_t y = to16(int32_t{yr1} + ageYr), m = to16(int32_t{mo1} + ageMo);
    if (m > 12) {
        m = to16(m - 12);
        y = to16(y + 1);
    }
    dayNumberToDate(to32(int64_t{movedDate(da1, y, m, nation)} + ageDa), nation);
    return result(3, calYear, calMonth, calDay);
}

SpanOutcome calcDate1() {
    if (!isValidDate(yr2, mo2, da2, nation)) {
        calYear = loadedYear;  // the month stays as the test left it
        return refusal("Ogiltigt datum 2, försök igen!");
    }
    if (ageDa > 367) return refusal("Ogiltigt antal dagar, försök igen");
    int16_t y = to16(int32_t{yr2} - ageYr), m = to16(int32_t{mo2} - ageMo);
    if (m < 1) {
        m = to16(m + 12);
        y = to16(y - 1);
    }
    dayNumberToDate(to32(int64_t{movedDate(da2, y, m, nation)} - ageDa), nation);
    if (calYear < firstCountedYear) return refusal("Datum f Kr beräknas ej");
    return result(1, calYear, calMonth, calDay);
}

namespace {

// The day number of date 1 moved on by whole years and months by calcDate2's own
// rule: calcDate2 with date 1 and an age lands on this plus the age's days.
int32_t date1MovedOn(int16_t years, int16_t months) {
    int16_t y = to16(yr1 + years), m = to16(mo1 + months);
    if (m > 12) {
        m = to16(m - 12);
        y = to16(y + 1);
    }
    return movedDate(da1, y, m, nation);
}

}  // namespace

SpanOutcome calcAge() {
    if (yr1 < firstCountedYear || yr1 > lastShownYear) return refusal("Ogiltigt Datum 1");
    if (!isValidDate(yr1, mo1, da1, nation)) return refusal("Ogiltigt datum 1, försök igen");
    const int32_t j1 = dateToDayNumber(yr1, mo1, da1, nation);
    if (!isValidDate(yr2, mo2, da2, nation) || yr2 < firstCountedYear || yr2 > lastShownYear) {
        return refusal("Ogiltigt Datum2", true);
    }
    const int32_t j2 = dateToDayNumber(yr2, mo2, da2, nation);
    if (j2 < j1) {
        calYear = loadedYear;
        calMonth = curMonth;
        return refusal("Datum2 lägre än Datum1, byt om");
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
    ageDa = to16(j2 - date1MovedOn(ageYr, ageMo));
    // Date 1 moved on by the months can still land after date 2: its day runs
    // past the end of a shorter month (31 January moved one month is 3 March in
    // 2023, after 1 March) or into the days a reform removed (23 June 1745 moved
    // 7 years 8 months is 23 "February" 1753 in Sweden, 6 March). Such an age
    // would have a negative day count, which no one can type back in; one month
    // fewer is borrowed at a time instead, until the moved date is at or before
    // date 2. With no months left the moved date is date 1 itself, so this ends.
    // Ages the single borrow left non-negative are not touched.
    while (ageDa < 0) {
        if (ageMo == 0) {
            ageMo = 11;
            ageYr = to16(ageYr - 1);
        } else {
            ageMo = to16(ageMo - 1);
        }
        ageDa = to16(j2 - date1MovedOn(ageYr, ageMo));
    }
    dayNumberToDate(j2, nation);  // leaves date 2's month for the main window
    return result(2, ageYr, ageMo, ageDa);
}

namespace {

// Which group a press computes, by the year values alone (the computations check
// months and days). At most one test holds.
SpanOutcome chooseAndCompute(const std::string (&fields)[9]) {
    errTitle = "Fel i datumberäkning";
    yr1 = readInt16(fields[0]);
    mo1 = readInt16(fields[1]);
    da1 = readInt16(fields[2]);
    ageYr = readInt16(fields[3]);
    ageMo = readInt16(fields[4]);
    ageDa = readInt16(fields[5]);
    if (ageYr < 0 || ageMo < 0 || ageDa < 0) {
        SpanOutcome o = refusal("Inga negativa tal i åldersuppgift!\nskriv i rätt datumfält i stället");
        o.negativeSpan = true;
        return o;
    }
    ageYr = to16(int32_t{ageYr} + ageMo / 12);  // the span fields keep what was typed
    ageMo = static_cast<int16_t>(ageMo % 12);
    yr2 = readInt16(fields[6]);
    mo2 = readInt16(fields[7]);
    da2 = readInt16(fields[8]);
    const bool span = ageYr != 0 || ageMo != 0 || ageDa != 0;
    if (yr1 > 0 && yr2 > 0 && ageYr == 0) return calcAge();
    if (yr1 == 0 && yr2 != 0 && span) return calcDate1();
    if (yr1 != 0 && yr2 == 0 && span) return calcDate2();
    return {};
}

}  // namespace

SpanOutcome computePress(const std::string (&fields)[9]) {
    SpanOutcome o;
    try {
        o = chooseAndCompute(fields);
    } catch (const ArithmeticOverflow&) {
        // A value typed beyond 16 bits, or a year carried or computed beyond them.
        o = refusal("Talen är för stora för en datumberäkning, försök igen");
    }
    o.turnYear = calYear;
    o.turnMonth = calMonth;
    return o;
}

}  // namespace tovmir
