#include "calendar/feasts.h"

#include <gtest/gtest.h>

#include "calendar/daynumber.h"
#include "calendar/overflow.h"
#include "calendar/state.h"
#include "reference.h"

using namespace tovmir;

namespace {

struct Dated { int16_t year; int month, day; };

// Western Easter Sunday, from the published tables of the churches.
constexpr Dated westernEaster[] = {
    {2000, 4, 23}, {2001, 4, 15}, {2002, 3, 31}, {2003, 4, 20}, {2004, 4, 11}, {2005, 3, 27},
    {2006, 4, 16}, {2007, 4, 8},  {2008, 3, 23}, {2009, 4, 12}, {2010, 4, 4},  {2011, 4, 24},
    {2012, 4, 8},  {2013, 3, 31}, {2014, 4, 20}, {2015, 4, 5},  {2016, 3, 27}, {2017, 4, 16},
    {2018, 4, 1},  {2019, 4, 21}, {2020, 4, 12}, {2021, 4, 4},  {2022, 4, 17}, {2023, 4, 9},
    {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},  {2027, 3, 28}, {2028, 4, 16}, {2029, 4, 1},
    {2030, 4, 21},
};
// Orthodox Easter Sunday (the Julian computus), given as Gregorian dates.
constexpr Dated orthodoxEaster[] = {
    {2000, 4, 30}, {2001, 4, 15}, {2002, 5, 5},  {2003, 4, 27}, {2004, 4, 11}, {2005, 5, 1},
    {2006, 4, 23}, {2007, 4, 8},  {2008, 4, 27}, {2009, 4, 19}, {2010, 4, 4},  {2011, 4, 24},
    {2012, 4, 15}, {2013, 5, 5},  {2014, 4, 20}, {2015, 4, 12}, {2016, 5, 1},  {2017, 4, 16},
    {2018, 4, 8},  {2019, 4, 28}, {2020, 4, 19}, {2021, 5, 2},  {2022, 4, 24}, {2023, 4, 16},
    {2024, 5, 5},  {2025, 4, 20},
};

// The Gregorian computus in Meeus's form, with its full century term, as printed in
// "Astronomical Algorithms" (1991), chapter 8.
int32_t meeusEaster(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25;
    const int g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
    const int t = h + l - 7 * m + 114;
    return reference::gregorianDay(y, t / 31, t % 31 + 1);
}

}  // namespace

TEST(Easter, PublishedTablesOfTheWesternAndOrthodoxChurches) {
    for (const auto& e : westernEaster)
        for (int16_t n : {0, 1, 2, 3, 4, 6})
            EXPECT_EQ(easterDayNumber(e.year, n), reference::gregorianDay(e.year, e.month, e.day)) << e.year << " nation " << n;
    for (const auto& e : orthodoxEaster)
        EXPECT_EQ(easterDayNumber(e.year, 5), reference::gregorianDay(e.year, e.month, e.day)) << e.year;
    EXPECT_EQ(easterDayNumber(2024, 0), 2460401);
    EXPECT_EQ(easterDayNumber(2024, 5), 2460436);
}

TEST(Easter, NationsKeptTheirOwnSundaysInTheirCorrectionYears) {
    struct Case { int16_t year, nation; int32_t easter; };
    const Case cases[] = {
        {1818, 0, reference::gregorianDay(1818, 3, 29)},  // a week after the computed 22 March
        {1818, 2, reference::gregorianDay(1818, 3, 22)},
        {1742, 0, reference::julianDay(1742, 3, 14)},     // five weeks before the computed 18 April
        {1744, 0, reference::julianDay(1744, 3, 18)},
        {1744, 2, reference::gregorianDay(1744, 3, 29)},
        {1744, 4, reference::gregorianDay(1744, 3, 29)},
        {1700, 4, 2342073},                               // 31 March in its still-Julian calendar
        {1705, 0, 2343900},                               // 2 April of the special calendar
        {1761, 0, reference::gregorianDay(1761, 3, 22)},
        {1761, 3, reference::gregorianDay(1761, 3, 22)},
        {1825, 1, reference::gregorianDay(1825, 4, 10)},  // Finland a week after 3 April
        {1825, 0, reference::gregorianDay(1825, 4, 3)},
    };
    for (const auto& c : cases) EXPECT_EQ(easterDayNumber(c.year, c.nation), c.easter) << c.year << " nation " << c.nation;
    dayNumberToDate(2343900, 0);
    EXPECT_EQ(calMonth * 100 + calDay, 402);
    dayNumberToDate(2342073, 4);
    EXPECT_EQ(calMonth * 100 + calDay, 331);
}

TEST(Easter, TheGregorianNationHasTheComputusOfThePublishedTablesSince1583) {
    // 1598 and 1761 are two of the 43 years before 1800 in which the shortened
    // century term would put Easter on 19 April instead of 22 March.
    EXPECT_EQ(easterDayNumber(1598, 6), reference::gregorianDay(1598, 3, 22));
    EXPECT_EQ(easterDayNumber(1761, 6), reference::gregorianDay(1761, 3, 22));
    for (int16_t y = 1583; y <= 2100; ++y) ASSERT_EQ(easterDayNumber(y, 6), meeusEaster(y)) << y;
    EXPECT_EQ(easterDayNumber(1582, 6), reference::julianDay(1582, 4, 15));
}

TEST(Easter, AlwaysASundayAndZeroWithoutARule) {
    for (int16_t y = 1200; y <= 2100; ++y) {
        for (int16_t n = 0; n <= 6; ++n) ASSERT_EQ(easterDayNumber(y, n) % 7, 6) << y << " nation " << n;
        for (int16_t n : {7, 8, 9, 42, -1}) ASSERT_EQ(easterDayNumber(y, n), 0) << y << " nation " << n;
    }
    // The current nation's calendar is the default for the two computus functions.
    nation = 5;
    EXPECT_EQ(julianEaster(2024), 2460436);
    nation = 0;
    EXPECT_EQ(gregorianEaster(2024), 2460401);
}

TEST(WeekdaySearches, DaysOf2024) {
    yearDayZero = 2460310;  // 1 January 2024 is a Monday
    EXPECT_EQ(nthWeekdayAfter(1, 0, 1), 8);
    EXPECT_EQ(nthWeekdayAfter(1, 1, 1), 2);
    EXPECT_EQ(nthWeekdayAfter(7, 6, 1), 14);
    EXPECT_EQ(nthWeekdayAfter(1, 6, 2), 14);
    EXPECT_EQ(nthWeekdayAfter(171, 5, 1), 174);  // Midsommardagen 2024: Saturday 22 June
    EXPECT_EQ(sundayAfter(7, 0), 14);
    EXPECT_EQ(sundayAfter(6, 0), 7);
    EXPECT_EQ(sundayAfter(1, -1), 6);
    EXPECT_THROW(nthWeekdayAfter(32760, 0, 2), ArithmeticOverflow);
    EXPECT_THROW(sundayAfter(1, 32767), ArithmeticOverflow);
    yearDayZero = 0;
}
