#include "calendar/daynumber.h"

#include <gtest/gtest.h>

#include "calendar/overflow.h"
#include "calendar/state.h"
#include "reference.h"

using namespace tovmir;

namespace {

// The date of a day number in a nation's calendar, read from the shared outputs.
reference::Ymd dateOf(int32_t j, int16_t n) {
    dayNumberToDate(j, n);
    return {calYear, calMonth, calDay};
}

std::string text(const reference::Ymd& d) {
    return std::to_string(d.y) + "-" + std::to_string(d.m) + "-" + std::to_string(d.d);
}

// The nation codes that dayNumberToDate knows, and two codes outside the table.
constexpr int16_t allCodes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 100};

// First Gregorian day number of each code (day numbers above it are Gregorian).
int32_t lastJulianDay(int16_t n) {
    switch (n) {
        case 0: case 1: return 2361389;
        case 2: case 3: return 2342031;
        case 4: return 2342303;
        case 5: return INT32_MAX;
        case 6: case 8: return 2299160;
        case 7: return 2361221;
        default: return INT32_MIN;
    }
}

}  // namespace

TEST(DayNumbers, FirstOfJanuary2000IsTheSameDayEverywhereButInTheJulianCalendar) {
    for (int16_t n : allCodes) EXPECT_EQ(dateToDayNumber(2000, 1, 1, n), n == 5 ? 2451558 : 2451545) << n;
    dayNumberToDate(2451545, 5);
    EXPECT_EQ(text({calYear, calMonth, calDay}), "1999-12-19");
}

TEST(ReformDays, EachNationSkipsTheRightDays) {
    struct Case { int16_t nation; int16_t y, m, d; int32_t dayNumber; };
    const Case cases[] = {
        {0, 1753, 2, 17, 2361389}, {0, 1753, 3, 1, 2361390},  // Sweden: 18-28 February 1753 dropped
        {1, 1753, 2, 17, 2361389}, {1, 1753, 3, 1, 2361390},
        {2, 1700, 2, 18, 2342031}, {2, 1700, 3, 1, 2342032},  // Denmark
        {3, 1700, 2, 18, 2342031}, {3, 1700, 3, 1, 2342032},  // Norway
        {4, 1700, 11, 16, 2342303}, {4, 1700, 11, 28, 2342304},
        {6, 1582, 10, 4, 2299160}, {6, 1582, 10, 15, 2299161},
        {8, 1582, 10, 4, 2299160}, {8, 1582, 10, 15, 2299161},
        {7, 1752, 9, 2, 2361221},  {7, 1752, 9, 14, 2361222},  // Great Britain
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dateToDayNumber(c.y, c.m, c.d, c.nation), c.dayNumber) << c.nation << ": " << c.y << '-' << c.m << '-' << c.d;
        EXPECT_EQ(text(dateOf(c.dayNumber, c.nation)), text({c.y, c.m, c.d})) << c.nation;
    }
    // The weekdays run on across every gap: Thursday 4 October 1582 to Friday
    // 15 October, Wednesday 2 September 1752 to Thursday 14 September, Sunday
    // 18 February 1700 to Monday 1 March in Denmark, Wednesday 17 February 1753 to
    // Thursday 1 March in Sweden.
    EXPECT_EQ(2299160 % 7, 3);
    EXPECT_EQ(2361221 % 7, 2);
    EXPECT_EQ(2342031 % 7, 6);
    EXPECT_EQ(2361389 % 7, 2);
    // A dropped day gets a day number whose date is another: 18 February 1753 in
    // Sweden counts Gregorian and lands on Julian 7 February.
    EXPECT_EQ(dateToDayNumber(1753, 2, 18, 0), 2361379);
    EXPECT_EQ(text(dateOf(2361379, 0)), "1753-2-7");
}

TEST(SwedishSpecialCalendar, From1March1700To1March1712) {
    EXPECT_EQ(dateToDayNumber(1700, 2, 28, 0), 2342041);
    EXPECT_EQ(dateToDayNumber(1700, 2, 29, 0), 2342041);  // left out: it names 28 February's day
    EXPECT_EQ(dateToDayNumber(1700, 3, 1, 0), 2342042);
    EXPECT_EQ(text(dateOf(2342042, 5)), "1700-2-29");     // the same day is Julian leap day
    EXPECT_EQ(dateToDayNumber(1704, 2, 29, 0), 2343502);
    EXPECT_EQ(text(dateOf(2343502, 0)), "1704-2-29");
    EXPECT_EQ(dateToDayNumber(1712, 2, 29, 1), 2346424);
    EXPECT_EQ(dateToDayNumber(1712, 2, 30, 1), 2346425);
    EXPECT_EQ(dateToDayNumber(1712, 3, 0, 0), 2346425);
    EXPECT_EQ(dateToDayNumber(1712, 3, 1, 0), 2346426);
    EXPECT_EQ(text(dateOf(2346425, 0)), "1712-2-30");
    EXPECT_EQ(text(dateOf(2346425, 1)), "1712-2-30");

    // Every day of the special calendar carries the Julian date of the next day,
    // and converts back to itself.
    for (int16_t n : {0, 1}) {
        for (int32_t j = 2342042; j <= 2346424; ++j) {
            const auto d = dateOf(j, n);
            EXPECT_EQ(reference::julianDay(d.y, d.m, d.d), j + 1) << j;
            EXPECT_EQ(dateToDayNumber(d.y, d.m, d.d, n), j) << text(d);
        }
        EXPECT_EQ(text(dateOf(2346426, n)), "1712-3-1");  // Julian again
    }
}

TEST(DayNumbers, EveryNationAgreesWithIndependentCountsFrom1200To2100) {
    const int32_t first = reference::julianDay(1200, 1, 1), last = reference::gregorianDay(2100, 12, 31);
    for (int16_t n : allCodes) {
        for (int32_t j = first; j <= last; ++j) {
            if ((n == 0 || n == 1) && j > 2342041 && j < 2346426) continue;  // the special calendar, above
            const auto d = dateOf(j, n);
            if (j > lastJulianDay(n)) {
                const auto g = reference::gregorianDate(j);
                ASSERT_TRUE(d.y == g.y && d.m == g.m && d.d == g.d) << "nation " << n << " day " << j;
            } else {
                ASSERT_EQ(reference::julianDay(d.y, d.m, d.d), j) << "nation " << n << " day " << j;
            }
            ASSERT_EQ(dateToDayNumber(d.y, d.m, d.d, n), j) << "nation " << n << " day " << j;
        }
    }
}

TEST(DayNumbers, OutOfRangeDaysAndMonthsCountOnArithmetically) {
    EXPECT_EQ(dateToDayNumber(2000, 3, 31, 9), 2451635);
    EXPECT_EQ(text(dateOf(2451635, 9)), "2000-3-31");
    EXPECT_EQ(dateToDayNumber(2000, 12, 1, 9), 2451880);
    EXPECT_EQ(dateToDayNumber(2024, 3, 0, 0), dateToDayNumber(2024, 2, 29, 0));
    EXPECT_EQ(dateToDayNumber(2024, 0, 1, 0), dateToDayNumber(2023, 12, 1, 0));
    EXPECT_EQ(dateKey(2024, 2, 100), dateKey(2024, 3, 0));
    // The keys of the last Julian days lie on or just below the reform constants,
    // the keys of the next days above them.
    EXPECT_LE(dateKey(1752, 9, 2), lastJulianKeySep1752);
    EXPECT_GT(dateKey(1752, 9, 3), lastJulianKeySep1752);
    EXPECT_LE(dateKey(1582, 10, 4), lastJulianKeyOct1582);
    EXPECT_GT(dateKey(1582, 10, 5), lastJulianKeyOct1582);
    EXPECT_LE(dateKey(1753, 2, 17), lastJulianKeySweden);
    EXPECT_GT(dateKey(1753, 2, 18), lastJulianKeySweden);
}

TEST(DayNumbers, OverflowAtTheEdgesOfTheWidths) {
    EXPECT_THROW(dateToDayNumber(-32768, 1, 1, 0), ArithmeticOverflow);
    EXPECT_THROW(dateToDayNumber(-32768, 2, 28, 9), ArithmeticOverflow);
    EXPECT_NO_THROW(dateToDayNumber(-32768, 3, 1, 9));
    EXPECT_NO_THROW(dateToDayNumber(32767, 32767, 32767, 9));
    EXPECT_NO_THROW(dateToDayNumber(-32767, -32768, -32768, 5));

    // The last day whose year fits 16 bits converts; the next one raises the error.
    const int32_t last = dateToDayNumber(32767, 12, 31, 9);
    EXPECT_EQ(text(dateOf(last, 9)), "32767-12-31");
    EXPECT_THROW(dayNumberToDate(last + 1, 9), ArithmeticOverflow);
    for (int32_t j : {INT32_MAX, INT32_MIN, 13'700'000, -11'000'000})
        for (int16_t n : {0, 5, 9}) EXPECT_THROW(dayNumberToDate(j, n), ArithmeticOverflow) << j;
}
