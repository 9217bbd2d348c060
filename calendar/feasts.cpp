#include "feasts.h"

#include <algorithm>
#include <iterator>

#include "daynumber.h"
#include "nations.h"
#include "overflow.h"

namespace tovmir {

namespace {

// A year in which a nation kept Easter a whole number of weeks (one to five) away
// from the computed Sunday: the years in which the nation's almanac
// set Easter by an astronomical reckoning of the full moon and the equinox instead
// of the computus, as the Swedish almanacs did and as the Protestant "improved
// calendar" of 1700 did in Denmark and Norway.
struct EasterShift {
    int16_t year;
    int16_t days;
};

// The lists, made from data/Paskavvikelser.tsv at build time, where each group
// names its source: swedenJulian (codes 0 and 1, Julian Easter up to 1752),
// swedenGregorian (codes 0 and 1 from 1754 to 1818), finlandExtra (code 1 alone,
// to 1845) and denmarkGregorian (codes 2, 3 and 4 from 1700).
#include "calendar/paskavvikelser.h"

template <std::size_t N>
int32_t shift(const EasterShift (&list)[N], int16_t year) {
    const auto* hit = std::find_if(std::begin(list), std::end(list),
                                   [year](const EasterShift& s) { return s.year == year; });
    return hit == std::end(list) ? 0 : hit->days;
}

// Easter as a date in March (day 22 to 31) or April, from the day count after 21 March.
int32_t easterFromMarch22(int16_t year, int64_t daysAfter22, int16_t inNation) {
    int64_t month = 3, day = 22 + daysAfter22;
    if (day > 31) {
        month = 4;
        day -= 31;
    }
    return dateToDayNumber(year, to16(month), to16(day), inNation);
}

}  // namespace

int32_t julianEaster(int16_t year, int16_t inNation) {
    const int64_t y = year;
    const int64_t a = y % 19;
    const int64_t d = (19 * a + 15) % 30;
    const int64_t e = (2 * (y % 4) + 4 * (y % 7) + 6 * d + 6) % 7;
    int32_t j = easterFromMarch22(year, d + e, inNation);
    if (nationCalendar(inNation).swedish && year >= 1700 && year <= 1711) j = to32(int64_t{j} + 1);
    return j;
}

int32_t gregorianEaster(int16_t year, int16_t inNation) {
    const int64_t y = year;
    const int64_t a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    // The century term: the lunar correction (b - (b + 8) / 25 + 1) / 3 since 1582,
    // taken from 15. Folded into the constant 9 it is right for 1800 to 2099 only.
    // Codes 0 to 4 keep the constant before 1800, since their correction lists were
    // drawn against it; code 6 has no list and takes the full term there. From 2100
    // every code takes the full term: the constant would put Easter a week off in
    // some years (4000, 9999, 32767). All years here are positive, so b is too, and
    // h stays non-negative up to 32767 (19a + b - d + term >= 0 for every b <= 327).
    int64_t centuryTerm = 9;
    if (year > 2099 || (inNation == 6 && year >= 1583 && year <= 1799))
        centuryTerm = 15 - (b - (b + 8) / 25 + 1) / 3;
    const int64_t h = (19 * a + b - d + centuryTerm) % 30;
    const int64_t i = c / 4, k = c % 4;
    const int64_t l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int64_t m = (a + 11 * h + 22 * l) / 451;
    const int64_t t = h + l - 7 * m + 114;
    return dateToDayNumber(year, to16(t / 31), to16(t % 31 + 1), inNation);
}

int32_t easterDayNumber(int16_t year, int16_t nation) {
    int64_t j;
    switch (nationCalendar(nation).easter) {
        case EasterRule::swedish:
            if (year <= 1752) return to32(int64_t{julianEaster(year, nation)} + shift(swedenJulian, year));
            j = gregorianEaster(year, nation);
            if (year >= 1754 && year <= 1818) j += shift(swedenGregorian, year);
            if (nation == 1 && year > 1818 && year <= 1845) j += shift(finlandExtra, year);
            return to32(j);
        case EasterRule::danish:
            if (year <= 1699) return julianEaster(year, nation);
            j = int64_t{gregorianEaster(year, nation)} + shift(denmarkGregorian, year);
            // In 1700 nation 4 still counts Julian dates at Easter, so the Gregorian
            // Easter date read in its calendar lands eleven days late.
            if (nation == 4 && year == 1700) j -= 11;
            return to32(j);
        case EasterRule::julian:
            return julianEaster(year, nation);
        case EasterRule::reform1582:
            return year <= 1582 ? julianEaster(year, nation) : gregorianEaster(year, nation);
        case EasterRule::none:
            break;
    }
    return 0;
}

int16_t nthWeekdayAfter(int16_t p, int16_t q, int16_t r) {
    int64_t x = (int64_t{yearDayZero} + p + 6 - q) % 7;
    if (x == 6) x = -1;
    return to16(p + 6 - x + 7 * (int64_t{r} - 1));
}

int16_t sundayAfter(int16_t p, int16_t q) {
    int64_t x = (int64_t{yearDayZero} + p) % 7;
    if (x == 6) x = -1;  // day p is itself a Sunday: the next one is a week on
    return to16(p + 6 - x + q);
}

}  // namespace tovmir
