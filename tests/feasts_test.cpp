#include "calendar/feasts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "calendar/daynumber.h"
#include "calendar/overflow.h"
#include "calendar/state.h"
#include "reference.h"

using namespace tovmir;

namespace {

// Western and Orthodox Easter Sunday (the Julian computus) as Gregorian month * 100
// + day, from the published tables of the churches; 0 where none was copied.
struct ChurchEaster { int16_t year, western, orthodox; };
constexpr ChurchEaster churchEaster[] = {
    {2000, 423, 430}, {2001, 415, 415}, {2002, 331, 505}, {2003, 420, 427}, {2004, 411, 411}, {2005, 327, 501}, {2006, 416, 423},
    {2007, 408, 408}, {2008, 323, 427}, {2009, 412, 419}, {2010, 404, 404}, {2011, 424, 424}, {2012, 408, 415}, {2013, 331, 505},
    {2014, 420, 420}, {2015, 405, 412}, {2016, 327, 501}, {2017, 416, 416}, {2018, 401, 408}, {2019, 421, 428}, {2020, 412, 419},
    {2021, 404, 502}, {2022, 417, 424}, {2023, 409, 416}, {2024, 331, 505}, {2025, 420, 420}, {2026, 405, 0}, {2027, 328, 0},
    {2028, 416, 0}, {2029, 401, 0}, {2030, 421, 0},
};

// Gregorian Easter as month * 100 + day, from python-dateutil's easter(y, 3)
// (generated once; past 9999 with its date() made a tuple): 2090 to 2209 around
// the first century the folded constant misses, every 149th year from 2200 and
// the century years and width limits up to 32767.
struct GregorianEaster { int16_t year; int16_t monthDay; };
constexpr GregorianEaster dateutilEaster[] = {
    {2090, 416}, {2091, 408}, {2092, 330}, {2093, 412}, {2094, 404}, {2095, 424}, {2096, 415}, {2097, 331}, {2098, 420},
    {2099, 412}, {2100, 328}, {2101, 417}, {2102, 409}, {2103, 325}, {2104, 413}, {2105, 405}, {2106, 418}, {2107, 410},
    {2108, 401}, {2109, 421}, {2110, 406}, {2111, 329}, {2112, 417}, {2113, 402}, {2114, 422}, {2115, 414}, {2116, 329},
    {2117, 418}, {2118, 410}, {2119, 326}, {2120, 414}, {2121, 406}, {2122, 329}, {2123, 411}, {2124, 402}, {2125, 422},
    {2126, 414}, {2127, 330}, {2128, 418}, {2129, 410}, {2130, 326}, {2131, 415}, {2132, 406}, {2133, 419}, {2134, 411},
    {2135, 403}, {2136, 422}, {2137, 407}, {2138, 330}, {2139, 419}, {2140, 403}, {2141, 326}, {2142, 415}, {2143, 331},
    {2144, 419}, {2145, 411}, {2146, 403}, {2147, 416}, {2148, 407}, {2149, 330}, {2150, 412}, {2151, 404}, {2152, 423},
    {2153, 415}, {2154, 331}, {2155, 420}, {2156, 411}, {2157, 327}, {2158, 416}, {2159, 408}, {2160, 323}, {2161, 412},
    {2162, 404}, {2163, 424}, {2164, 408}, {2165, 331}, {2166, 420}, {2167, 405}, {2168, 327}, {2169, 416}, {2170, 401},
    {2171, 421}, {2172, 412}, {2173, 404}, {2174, 417}, {2175, 409}, {2176, 331}, {2177, 420}, {2178, 405}, {2179, 328},
    {2180, 416}, {2181, 401}, {2182, 421}, {2183, 413}, {2184, 328}, {2185, 417}, {2186, 409}, {2187, 325}, {2188, 413},
    {2189, 405}, {2190, 425}, {2191, 410}, {2192, 401}, {2193, 421}, {2194, 406}, {2195, 329}, {2196, 417}, {2197, 409},
    {2198, 325}, {2199, 414}, {2200, 406}, {2201, 419}, {2202, 411}, {2203, 403}, {2204, 422}, {2205, 407}, {2206, 330},
    {2207, 419}, {2208, 403}, {2209, 326}, {2349, 410}, {2399, 328}, {2400, 416}, {2401, 401}, {2498, 413}, {2500, 418},
    {2600, 323}, {2647, 418}, {2700, 401}, {2796, 421}, {2800, 402}, {2945, 425}, {3094, 325}, {3243, 329}, {3392, 401},
    {3541, 406}, {3690, 409}, {3839, 414}, {3988, 417}, {3999, 418}, {4000, 409}, {4001, 325}, {4099, 419}, {4100, 411},
    {4137, 421}, {4200, 420}, {4286, 328}, {4435, 401}, {4584, 404}, {4733, 409}, {4882, 412}, {5031, 417}, {5180, 420},
    {5329, 424}, {5478, 331}, {5627, 328}, {5776, 407}, {5925, 412}, {6074, 415}, {6223, 413}, {6372, 423}, {6521, 420},
    {6670, 327}, {6819, 331}, {6968, 403}, {7117, 408}, {7266, 411}, {7415, 416}, {7564, 419}, {7713, 326}, {7862, 330},
    {8011, 403}, {8160, 406}, {8309, 411}, {8458, 414}, {8607, 419}, {8756, 422}, {8905, 322}, {9054, 326}, {9203, 330},
    {9352, 402}, {9501, 407}, {9650, 410}, {9799, 414}, {9948, 418}, {9999, 328}, {10000, 416}, {10001, 408}, {10097, 324},
    {10246, 329}, {10395, 402}, {10544, 405}, {10693, 409}, {10842, 413}, {10991, 417}, {11140, 421}, {11289, 327}, {11438, 401},
    {11587, 405}, {11736, 408}, {11885, 412}, {12034, 416}, {12183, 420}, {12332, 424}, {12481, 323}, {12630, 328}, {12779, 401},
    {12928, 404}, {13077, 408}, {13226, 412}, {13375, 416}, {13524, 420}, {13673, 326}, {13822, 331}, {13971, 404}, {14120, 407},
    {14269, 411}, {14418, 415}, {14567, 419}, {14716, 423}, {14865, 329}, {15014, 403}, {15163, 407}, {15312, 410}, {15461, 414},
    {15610, 418}, {15759, 422}, {15908, 419}, {16057, 325}, {16206, 330}, {16355, 403}, {16383, 327}, {16384, 415}, {16504, 406},
    {16653, 410}, {16802, 414}, {16951, 418}, {17100, 422}, {17249, 328}, {17398, 401}, {17547, 406}, {17696, 408}, {17845, 413},
    {17994, 417}, {18143, 421}, {18292, 327}, {18441, 331}, {18590, 404}, {18739, 402}, {18888, 411}, {19037, 416}, {19186, 420},
    {19335, 417}, {19484, 323}, {19633, 327}, {19782, 331}, {19931, 405}, {20000, 423}, {20080, 407}, {20229, 412}, {20378, 416},
    {20527, 420}, {20676, 326}, {20825, 330}, {20974, 403}, {21123, 408}, {21272, 410}, {21421, 415}, {21570, 419}, {21719, 423},
    {21868, 329}, {22017, 402}, {22166, 330}, {22315, 404}, {22464, 406}, {22613, 411}, {22762, 415}, {22911, 419}, {23060, 325},
    {23209, 329}, {23358, 402}, {23507, 407}, {23656, 409}, {23805, 414}, {23954, 418}, {24103, 422}, {24252, 328}, {24401, 401},
    {24550, 405}, {24699, 409}, {24848, 412}, {24997, 416}, {25146, 421}, {25295, 424}, {25444, 324}, {25593, 328}, {25742, 401},
    {25891, 405}, {26040, 408}, {26189, 412}, {26338, 417}, {26487, 420}, {26636, 327}, {26785, 331}, {26934, 404}, {27083, 408},
    {27232, 411}, {27381, 415}, {27530, 420}, {27679, 423}, {27828, 330}, {27977, 403}, {28126, 407}, {28275, 411}, {28424, 414},
    {28573, 418}, {28722, 423}, {28871, 419}, {29020, 326}, {29169, 330}, {29318, 403}, {29467, 407}, {29616, 410}, {29765, 414},
    {29914, 419}, {30000, 402}, {30063, 422}, {30212, 329}, {30361, 402}, {30510, 406}, {30659, 410}, {30808, 413}, {30957, 417},
    {31106, 422}, {31255, 425}, {31404, 401}, {31553, 405}, {31702, 409}, {31851, 406}, {32000, 416}, {32149, 413}, {32298, 424},
    {32447, 324}, {32596, 327}, {32700, 422}, {32745, 401}, {32765, 418}, {32766, 410}, {32767, 402},
};
}  // namespace

TEST(Easter, PublishedTablesOfTheChurchesAndDateutilUpTo32767) {
    for (const auto& e : churchEaster) {
        for (int16_t n : {0, 1, 2, 3, 4, 6})
            EXPECT_EQ(easterDayNumber(e.year, n), reference::gregorianDay(e.year, e.western / 100, e.western % 100))
                << e.year << " nation " << n;
        if (e.orthodox != 0)
            EXPECT_EQ(easterDayNumber(e.year, 5), reference::gregorianDay(e.year, e.orthodox / 100, e.orthodox % 100)) << e.year;
    }
    // Code 6 takes the full century term from 1583: 1598 and 1761 are two of the 43
    // years before 1800 in which the shortened term would give 19 April, not 22 March.
    EXPECT_EQ(easterDayNumber(1598, 6), reference::gregorianDay(1598, 3, 22));
    EXPECT_EQ(easterDayNumber(1761, 6), reference::gregorianDay(1761, 3, 22));
    EXPECT_EQ(easterDayNumber(1582, 6), reference::julianDay(1582, 4, 15));
    for (const auto& e : dateutilEaster)
        for (int16_t n : {0, 1, 2, 3, 4, 6})
            ASSERT_EQ(easterDayNumber(e.year, n), reference::gregorianDay(e.year, e.monthDay / 100, e.monthDay % 100))
                << e.year << " nation " << n;
}

TEST(Easter, NationsKeptTheirOwnSundaysInTheirCorrectionYears) {
    // Dates from the sources of data/Paskavvikelser.tsv, apart from the table itself.
    struct Case { int16_t year, nation; int32_t easter; };
    const Case cases[] = {
        {1742, 0, reference::julianDay(1742, 3, 14)},  // five weeks before the computed 18 April
        {1744, 0, reference::julianDay(1744, 3, 18)}, {1744, 2, reference::gregorianDay(1744, 3, 29)},
        {1744, 4, reference::gregorianDay(1744, 3, 29)}, {1761, 3, reference::gregorianDay(1761, 3, 22)},
        // Sweden and Finland a week after most of Europe in 1802, 1805 and 1818, not in 1825
        {1802, 0, reference::gregorianDay(1802, 4, 25)}, {1805, 1, reference::gregorianDay(1805, 4, 21)},
        {1818, 0, reference::gregorianDay(1818, 3, 29)}, {1818, 2, reference::gregorianDay(1818, 3, 22)},
        {1825, 0, reference::gregorianDay(1825, 4, 3)},
        // Denmark on the Gregorian tables' date in 1724, a week after the computus with the old constant
        {1724, 2, reference::gregorianDay(1724, 4, 16)},
    };
    for (const auto& c : cases) EXPECT_EQ(easterDayNumber(c.year, c.nation), c.easter) << c.year << " nation " << c.nation;
}

TEST(Easter, EveryDateOfTheCorrectionTableAndTheComputusBesideIt) {
    // The nations of each list. A row's date is Julian in swedenJulian (in the special
    // calendar of 1700-1711 a day behind the Julian day of its name), else Gregorian.
    const std::map<std::string, std::vector<int16_t>> lists = {
        {"swedenJulian", {0, 1}}, {"swedenGregorian", {0, 1}}, {"finlandExtra", {1}}, {"denmarkGregorian", {2, 3, 4}}};
    std::ifstream in(std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "Paskavvikelser.tsv");
    ASSERT_TRUE(in) << "data/Paskavvikelser.tsv";
    std::set<std::pair<int16_t, int>> kept;  // (nation, year) of every row
    std::string line;
    for (bool header = true; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || std::exchange(header, false)) continue;
        char list[32];
        int y, m, d;
        ASSERT_EQ(std::sscanf(line.c_str(), "%31s %d-%d-%d", list, &y, &m, &d), 4) << line;
        ASSERT_TRUE(lists.count(list)) << line;
        const int32_t published = std::string(list) != "swedenJulian" ? reference::gregorianDay(y, m, d)
                                                                      : reference::julianDay(y, m, d) - (y >= 1700 && y <= 1711);
        for (int16_t n : lists.at(list)) {
            EXPECT_EQ(easterDayNumber(int16_t(y), n), published) << line << " nation " << n;
            kept.insert({n, y});
        }
    }
    // The years beside a row keep the nation's computus unless a row names them too.
    for (const auto& [n, y] : kept)
        for (int16_t near : {int16_t(y - 1), int16_t(y + 1)}) {
            if (kept.count({n, near})) continue;
            const bool julian = near <= (n <= 1 ? 1752 : 1699);
            EXPECT_EQ(easterDayNumber(near, n), julian ? julianEaster(near, n) : gregorianEaster(near, n)) << near << " nation " << n;
        }
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
