#include "listing.h"

#include "calendar/daynumber.h"
#include "calendar/nations.h"
#include "calendar/numbers.h"
#include "calendar/state.h"
#include "calendar/weeks.h"
#include "layout.h"
#include "surface.h"

namespace tovmir {

namespace {

using namespace layout;


const char* const header = "V    Dag           Namn                                   Alternativa kalenderns datum";
const char* const oldStyle = "Gamla Stilen";
const char* const newStyle = "    Nya Stilen";

// The nation's reform month, when it is the month on show.
const ReformMonth* reformMonth() {
    const ReformMonth& r = nationCalendar(nation).reformMonth;
    return r.monthStartDay != 0 && r.monthStartDay == monthStartDay ? &r : nullptr;
}

// October 1582, whatever the nation: its first days are Julian in every calendar,
// so its column starts under "Gamla Stilen" and turns Gregorian at 15 October.
constexpr int32_t october1582 = firstOfOctober1582;
constexpr int32_t gregorianReformDay = lastJulianDayOct1582 + 1;
constexpr int16_t october1582SwitchY = 1280;

}  // namespace

void listMonth() {
    const ReformMonth* reform = reformMonth();
    const int16_t dayCount =
        reform ? reform->lastLabel
               : to16(int64_t{dateToDayNumber(curYear, to16(int64_t{curMonth} + 1), 1, nation)} - monthStartDay);
    // The lines the month takes: one a day that exists, fewer than its last date
    // where a reform dropped days.
    const int16_t lines = reform ? reform->days : dayCount;

    setPrintY(headerY);
    setForeColor(9);
    setPrintX(0);
    printText(header);
    moveLine("Line11", topRuleY);

    // The first day of the month that begins a week: a Sunday while the nation
    // counts weeks from Sunday, a Monday after. The rule stands just above that
    // day's line. A rule whose week would begin after the month's last line (the
    // fifth in most months, three of them in February 1753 with its 17 lines) is
    // hidden, so that no rule stands under the last day; a week beginning on the
    // first line has its rule on Line11.
    const int64_t d = monthStartDay % 7;
    const int64_t s = curYear <= weekNoChg ? 6 - d : (d == 0 ? 0 : 7 - d);
    const char* const rules[] = {"Line2", "Line3", "Line4", "Line5", "Line6"};
    for (int i = 0; i < 5; ++i) {
        const int64_t weekStart = s + 7 * i;
        if (weekStart < lines) moveLine(rules[i], topRuleY + lineStep * s + int64_t{weekStep} * i);
        else hideLine(rules[i]);
    }

    const bool nordic = nationCalendar(nation).almanac;
    int64_t lineY = firstLineY;
    int64_t label = 1;
    for (int64_t k = 0; label <= dayCount; ++k) {
        const int64_t day = int64_t{monthStartDay} + k;
        const DayRecord& record = dayTableAt(int64_t{monthOffset} + k);
        const int64_t w = day % 7;
        setForeColor(nordic && w == 6 ? 12 : record.color);
        setPrintY(lineY);
        if (nordic) {
            // On the first line the number of the week the month begins in, then
            // the number of each new week: Sundays up to weekNoChg, Mondays after.
            // The first line can print the same number twice in the same place.
            if (k == 0) {
                setPrintX(0);
                printText(format0x(weekNumber(monthStartDay)));
                setPrintY(lineY);
            }
            if ((w == 0 && curYear > weekNoChg) || (w == 6 && curYear <= weekNoChg)) {
                setPrintX(0);
                printText(format0x(weekNumber(to32(day))));
                setPrintY(lineY);
            }
        }
        if (markedDay != 0 && day == markedDay) markLine(lineY);
        setPrintX(textX);
        printText(format0x(label) + " " + weekdayNames[static_cast<std::size_t>(w)] + record.dayText);
        lineY += lineStep;
        setForeColor(0);
        label += reform && day + 1 == reform->firstGregorian ? reform->jump : 1;
        label = to16(label);
    }

    // The other calendar, as its month's first day has it.
    int16_t alternative = otherCalendar(curYear, curMonth, 1, nation);
    // The other calendar's month and year are worked out in curYear and curMonth;
    // they get the shown month back on every way out, an overflow error included.
    struct Restore {
        int16_t year = curYear, month = curMonth;
        ~Restore() {
            curYear = year;
            curMonth = month;
        }
    } restore;
    dayNumberToDate(monthStartDay, alternative);
    curYear = calYear;
    curMonth = calMonth;
    setPrintY(firstLineY);
    setPrintX(calendarLabelX);
    printText(alternative == julianCode ? oldStyle : newStyle);
    lineY = firstLineY;
    for (int64_t r = 0; r < lines; ++r) {
        const int32_t day = to32(int64_t{monthStartDay} + r);
        if (monthStartDay == october1582 && alternative == julianCode && day == gregorianReformDay) {
            // From 15 October 1582 every day has its Gregorian date.
            alternative = reform1582Code;
            setPrintY(october1582SwitchY);
            setPrintX(calendarLabelX);
            printText(newStyle);
        } else if (reform && alternative == reform1582Code && day == reform->firstGregorian) {
            // November 1700 and September 1752: the nation's own dates are Gregorian
            // from the first day after the gap, so the other calendar turns Julian
            // there, under its label on that day's line.
            alternative = julianCode;
            setPrintY(to16(lineY));
            setPrintX(calendarLabelX);
            printText(oldStyle);
        }
        dayNumberToDate(day, alternative);
        altDay = calDay;
        curMonth = calMonth;
        setPrintY(lineY);
        setPrintX(alternativeX);
        printText(format0x(altDay) + "/" + signPlace(curMonth));
        lineY += lineStep;
    }
}

}  // namespace tovmir
