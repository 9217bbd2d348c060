#include "calendar/daynumber.h"

#include <gtest/gtest.h>

#include "calendar/overflow.h"
#include "calendar/state.h"
#include "reference.h"

using namespace tovmir;

namespace {

std::string dateOf(int32_t j, int16_t n) {
    dayNumberToDate(j, n);
    return std::to_string(calYear) + "-" + std::to_string(calMonth) + "-" + std::to_string(calDay);
}

// The nation codes that dayNumberToDate knows, and two codes outside the table.
constexpr int16_t allCodes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 100};

// The last Julian day of each code, from the published reform dates: Sweden and
// Finland 17 February 1753, Denmark and Norway 18 February 1700, code 4
// 16 November 1700, codes 6 and 8 4 October 1582, Great Britain 2 September 1752.
int32_t lastJulianDay(int16_t n) {
    switch (n) {
        case 0: case 1: return reference::julianDay(1753, 2, 17);
        case 2: case 3: return reference::julianDay(1700, 2, 18);
        case 4: return reference::julianDay(1700, 11, 16);
        case 5: return INT32_MAX;
        case 6: case 8: return reference::julianDay(1582, 10, 4);
        case 7: return reference::julianDay(1752, 9, 2);
        default: return INT32_MIN;
    }
}

}  // namespace

// Every day from 1200 to 2100 in every code: the Julian date up to the reform,
// the Gregorian after it, and back to the same day number.
TEST(DayNumbers, EveryNationAgreesWithIndependentCountsFrom1200To2100) {
    const int32_t first = reference::julianDay(1200, 1, 1), last = reference::gregorianDay(2100, 12, 31);
    for (int16_t n : allCodes) {
        for (int32_t j = first; j <= last; ++j) {
            if ((n == 0 || n == 1) && j > 2342041 && j < 2346426) continue;  // the special calendar, below
            dayNumberToDate(j, n);
            const reference::Ymd d{calYear, calMonth, calDay};
            if (j > lastJulianDay(n)) {
                const auto g = reference::gregorianDate(j);
                ASSERT_TRUE(d.y == g.y && d.m == g.m && d.d == g.d) << "nation " << n << " day " << j;
            } else {
                ASSERT_EQ(reference::julianDay(d.y, d.m, d.d), j) << "nation " << n << " day " << j;
            }
            ASSERT_EQ(dateToDayNumber(d.y, d.m, d.d, n), j) << "nation " << n << " day " << j;
        }
    }
    // A dropped day counts Gregorian: 18 February 1753 in Sweden lands on Julian 7 February.
    EXPECT_EQ(dateToDayNumber(1753, 2, 18, 0), 2361379);
    EXPECT_EQ(dateOf(2361379, 0), "1753-2-7");
}

TEST(SwedishSpecialCalendar, From1March1700To1March1712) {
    EXPECT_EQ(dateToDayNumber(1700, 2, 29, 0), 2342041);  // left out: it names 28 February's day
    EXPECT_EQ(dateToDayNumber(1712, 2, 30, 1), 2346425);
    EXPECT_EQ(dateToDayNumber(1712, 3, 0, 0), 2346425);
    EXPECT_EQ(dateOf(2346425, 0), "1712-2-30");
    EXPECT_EQ(dateOf(2346425, 1), "1712-2-30");
    // Every other day of the special calendar carries the Julian date of the next
    // day, and converts back to itself.
    for (int16_t n : {0, 1})
        for (int32_t j = 2342042; j <= 2346424; ++j) {
            dayNumberToDate(j, n);
            const reference::Ymd d{calYear, calMonth, calDay};
            EXPECT_EQ(reference::julianDay(d.y, d.m, d.d), j + 1) << j;
            EXPECT_EQ(dateToDayNumber(d.y, d.m, d.d, n), j) << j;
        }
}

TEST(DayNumbers, OutOfRangeDaysAndMonthsCountOnArithmetically) {
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
    EXPECT_EQ(dateOf(last, 9), "32767-12-31");
    EXPECT_THROW(dayNumberToDate(last + 1, 9), ArithmeticOverflow);
    for (int32_t j : {INT32_MAX, INT32_MIN, 13'700'000, -11'000'000})
        for (int16_t n : {0, 5, 9}) EXPECT_THROW(dayNumberToDate(j, n), ArithmeticOverflow) << j;
}
