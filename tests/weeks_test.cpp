#include "calendar/weeks.h"

#include <gtest/gtest.h>

#include "calendar/daynumber.h"
#include "calendar/overflow.h"
#include "calendar/state.h"
#include "reference.h"

using namespace tovmir;

namespace {

// ISO 8601 week number from the standard library's civil calendar: the week of
// the day's Thursday, counted in the year that Thursday falls in.
int isoWeek(int32_t j) {
    using namespace std::chrono;
    const sys_days day{days{j - 2440588}};
    const int isoWeekday = int(weekday{day}.iso_encoding());  // 1 Monday .. 7 Sunday
    const sys_days thursday = day + days{4 - isoWeekday};
    const year y = year_month_day{thursday}.year();
    return int((thursday - sys_days{y / January / 1}).count() / 7 + 1);
}

}  // namespace

// ISO weeks from 1973 and Sunday weeks (1 plus the Sundays after 1 January up
// to the day) before, on every day from 1754 to 2100 in Sweden.
TEST(WeekNumbers, EveryDayFrom1754To2100) {
    nation = 0;
    weekNoChg = 1972;  // Sweden's Titles row
    int week = 0;
    for (int32_t j = reference::gregorianDay(1754, 1, 1); j <= reference::gregorianDay(2100, 12, 31); ++j) {
        const auto d = reference::gregorianDate(j);
        if (d.m == 1 && d.d == 1) week = 1;
        else if (j % 7 == 6) ++week;
        ASSERT_EQ(weekNumber(j), d.y <= 1972 ? week : isoWeek(j)) << d.y << '-' << d.m << '-' << d.d;
    }
    // The year whose rule was looked up: an ISO week 53 early in January is the
    // previous year's.
    struct Case { int16_t y, m, d, week, yearLookedUp; };
    for (const Case& c : {Case{1972, 12, 31, 54, 1972}, Case{2021, 1, 1, 53, 2020}, Case{2024, 12, 31, 1, 2024}}) {
        EXPECT_EQ(weekNumber(dateToDayNumber(c.y, c.m, c.d, 0)), c.week) << c.y << '-' << c.m << '-' << c.d;
        EXPECT_EQ(curYear, c.yearLookedUp) << c.y << '-' << c.m << '-' << c.d;
    }
    // A shortened reform year still starts its count at the nation's own 1 January.
    nation = 2;
    EXPECT_EQ(weekNumber(dateToDayNumber(1701, 1, 1, 2)), 1);
    EXPECT_EQ(weekNumber(dateToDayNumber(1710, 1, 1, 2)), 1);
    nation = 0;
    EXPECT_THROW(weekNumber(INT32_MAX), ArithmeticOverflow);
    EXPECT_EQ(weekNumber(dateToDayNumber(32767, 12, 31, 0)), 52);
}

TEST(WeekNumbers, TheLastSundayWeekYearIsTheNationsOwn) {
    // Finland's almanac kept Sunday weeks through 1973 (weekNoChg 1973), Sweden's
    // through 1972: 7 and 30 December 1973 are Sundays, 31 December a Monday.
    struct Case { int16_t nation, lastSundayYear; int32_t day; int16_t week; };
    const Case cases[] = {
        {1, 1973, 2441690, 2},  {1, 1973, 2442047, 53}, {1, 1973, 2442048, 53}, {1, 1973, 2442049, 1},
        {1, 1973, 2441683, 54}, {0, 1972, 2441690, 1},  {0, 1972, 2442047, 52}, {0, 1972, 2442048, 1},
    };
    for (const auto& c : cases) {
        nation = c.nation;
        weekNoChg = c.lastSundayYear;
        EXPECT_EQ(weekNumber(c.day), c.week) << "nation " << c.nation << " day " << c.day;
    }
}

TEST(DateValidity, RejectsExactlyTheDatesACalendarDoesNotHave) {
    struct Case { int16_t y, m, d, nation; bool valid; };
    const Case cases[] = {
        {1712, 2, 30, 0, true},  {1712, 2, 30, 1, true},  {1712, 2, 30, 5, false},
        {1700, 2, 29, 0, false}, {1700, 2, 29, 2, false}, {1700, 2, 29, 5, true},
        {1712, 4, 31, 0, false}, {1712, 0, 1, 0, false},  {1712, 13, 1, 0, false},
        {1712, 3, 0, 0, false},  {1704, 2, 29, 0, true},  {1753, 2, 18, 0, false},
        {1753, 2, 28, 0, false}, {1753, 3, 1, 0, true},   {1752, 9, 3, 7, false},
        {1752, 9, 13, 7, false}, {1752, 9, 14, 7, true},  {1582, 10, 10, 6, false},
        {1700, 11, 20, 4, false}, {1500, 2, 29, 9, false}, {1500, 2, 29, 5, true},
        {1900, 2, 29, 5, true},  {1900, 2, 29, 0, false}, {2024, 2, 29, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidDate(c.y, c.m, c.d, c.nation), c.valid) << c.nation << ": " << c.y << '-' << c.m << '-' << c.d;
}

TEST(MonthLengths, ReformMonthsHaveTheirTrueLength) {
    struct Case { int16_t y, m, nation, previousLength; };
    const Case cases[] = {
        {1712, 3, 0, 30}, {1753, 3, 0, 17}, {1700, 3, 0, 28}, {1700, 3, 2, 18}, {1700, 12, 4, 19},
        {1582, 11, 6, 21}, {1582, 11, 8, 21}, {1752, 10, 7, 19}, {1900, 3, 0, 28}, {1900, 3, 5, 29},
        {2024, 1, 0, 31}, {2024, 3, 0, 29}, {2023, 3, 0, 28},
    };
    for (const auto& c : cases)
        EXPECT_EQ(prevMonthLength(c.y, c.m, c.nation), c.previousLength) << c.nation << ": " << c.y << '-' << c.m;
    EXPECT_THROW(prevMonthLength(2024, -32768, 0), ArithmeticOverflow);
    EXPECT_THROW(prevMonthLength(-32768, 1, 0), ArithmeticOverflow);
}
