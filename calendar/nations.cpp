#include "nations.h"

#include <limits>

#include "daynumber.h"
#include "limits.h"
#include "overflow.h"

namespace tovmir {

namespace {

constexpr double always = std::numeric_limits<double>::infinity();
constexpr ReformMonth noGap{0, 0, 0, 0, 0};

// Codes 0 to 8 in order. The keys of codes 5 and 6 reach down to year 1; codes
// from 7 have no lower limit but the 16-bit edge.
constexpr NationCalendar nations[] = {
    {lastJulianKeySweden, lastJulianDaySweden, true, true, firstAlmanacYear, noGap, EasterRule::swedish, 1983},  // 0 Sweden, prayer days to 1983
    {lastJulianKeySweden, lastJulianDaySweden, true, true, firstAlmanacYear, noGap, EasterRule::swedish, 1808},  // 1 Finland, to 1808, its last year in the realm
    {lastJulianKeyDenmark, lastJulianDayDenmark, false, true, firstAlmanacYear, noGap, EasterRule::danish, 0}, // 2 Denmark
    {lastJulianKeyDenmark, lastJulianDayDenmark, false, true, firstAlmanacYear, noGap, EasterRule::danish, 0}, // 3 Norway
    // November 1700: 16 November, then 28 November.
    {lastJulianKeyNov1700, lastJulianDayNov1700, false, true, firstAlmanacYear, {2342288, 30, 19, 2342304, 12}, EasterRule::danish, 0},
    {always, INT64_MAX, false, false, firstCountedYear, noGap, EasterRule::julian, 0},  // 5 Julian
    // October 1582: 4 October, then 15 October.
    {lastJulianKeyOct1582, lastJulianDayOct1582, false, false, firstCountedYear,
     {firstOfOctober1582, 31, 21, lastJulianDayOct1582 + 1, 11}, EasterRule::reform1582, 0},
    // September 1752: 2 September, then 14 September.
    {lastJulianKeySep1752, lastJulianDaySep1752, false, false, int16_t(min16), {2361220, 30, 19, 2361222, 12},
     EasterRule::none, 0},
    {lastJulianKeyOct1582, lastJulianDayOct1582, false, false, int16_t(min16),
     {firstOfOctober1582, 31, 21, lastJulianDayOct1582 + 1, 11}, EasterRule::none, 0},
};
constexpr NationCalendar gregorian{-always, INT64_MIN, false, false, int16_t(min16), noGap, EasterRule::none, 0};

}  // namespace

const NationCalendar& nationCalendar(int16_t nation) {
    return nation >= 0 && nation < int16_t(std::size(nations)) ? nations[nation] : gregorian;
}

int16_t otherCalendar(int16_t y, int16_t m, int16_t d, int16_t nation) {
    if (nation >= firstGregorianCode) return julianCode;
    return dateToDayNumber(y, m, d, reform1582Code) == dateToDayNumber(y, m, d, nation) ? julianCode : reform1582Code;
}

}  // namespace tovmir
