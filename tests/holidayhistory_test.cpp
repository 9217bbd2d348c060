// The holidays of the shipped data before the church laws of 1686 and in Finland
// before 1900, and the prayer days, against independently known dates.
#include <string>

#include "calendar/daynumber.h"
#include "calendar/state.h"
#include "refdata/yeardata.h"
#include "shipped_data.h"

using shipped::colour;
using shipped::day;

namespace {
class HolidayHistory : public shipped::Test {};

// The day a number of days after a date, as the month view shows it ("12 Pingstdagen").
std::string dayAfter(int16_t nation, int16_t y, int16_t m, int16_t d, int32_t days) {
    using namespace tovmir;
    shipped::load(nation, y, false);
    const auto& e = dayTableAt(dateToDayNumber(y, m, d, nation) + days - yearDayZero);
    return std::to_string(e.color) + e.dayText;
}
}  // namespace

// Easter Sunday from the published tables: Julian Easter for 1300, 1500 and 1650 (the
// four nations kept the Julian calendar then); in 1750 the Swedish almanac's Easter, outside
// the usual limits that year (R. H. van Gent), was the Gregorian one, 29 March New Style,
// 18 March in the realm's Julian calendar; 1850 is Gregorian. Christmas, Easter, Ascension
// (Easter + 39) and Whitsunday (Easter + 49) must be red, and Easter's name must sit on the
// table's Sunday, not a week off.
TEST_F(HolidayHistory, GreatFeastsAreRedBeforeTheChurchLaws) {
    struct Case {
        int16_t nation, year, month, easter;
    };
    const Case cases[] = {
        {0, 1300, 4, 10}, {0, 1500, 4, 19}, {0, 1650, 4, 14},  //
        {1, 1300, 4, 10}, {1, 1500, 4, 19}, {1, 1650, 4, 14}, {1, 1750, 3, 18}, {1, 1850, 3, 31},
        {2, 1300, 4, 10}, {2, 1500, 4, 19}, {2, 1650, 4, 14},  //
        {3, 1300, 4, 10}, {3, 1500, 4, 19}, {3, 1650, 4, 14},
    };
    const char* easterName[] = {"12 Påskdagen", "12 Påskdagen", "12 Påskedag", "12 1. påskedag"};
    for (const auto& c : cases) {
        const std::string where = "nation " + std::to_string(c.nation) + " " + std::to_string(c.year);
        EXPECT_EQ(day(c.nation, c.year, c.month, c.easter), easterName[c.nation]) << where;
        EXPECT_EQ(colour(c.nation, c.year, 12, 25), 12) << where;
        EXPECT_EQ(dayAfter(c.nation, c.year, c.month, c.easter, 39).substr(0, 3), "12 ") << where;
        EXPECT_EQ(dayAfter(c.nation, c.year, c.month, c.easter, 49).substr(0, 3), "12 ") << where;
        EXPECT_NE(dayAfter(c.nation, c.year, c.month, c.easter, -1).substr(0, 3), "12 ") << where;
    }
}

// The first and last years of the rows: the kyrkoordning of 1571 (from 1572), the Danish
// ordinance of 1537/39 (from 1538), the ritual of 1685 and Norske Lov, Finland's church law
// of 1869 (from 1870). Julian Easter 1571 15 April, 1572 6 April, 1685 19 April, 1686 4 April,
// 1687 27 March, 1688 15 April.
TEST_F(HolidayHistory, OldHolidaysBeginAndEndWithTheirLaws) {
    EXPECT_EQ(day(0, 1571, 8, 15), "12 Marie himmelsfärdsdag");  // a medieval Lady day
    EXPECT_EQ(colour(0, 1572, 8, 15), 0);
    EXPECT_EQ(colour(0, 1571, 4, 12), 0);  // Maundy Thursday, from the 1571 list on
    EXPECT_EQ(day(0, 1572, 4, 3), "12 Skärtorsdagen");
    EXPECT_EQ(day(1, 1572, 4, 3), "12 Skärtorsdagen");  // Finland in the realm
    EXPECT_EQ(day(2, 1537, 9, 8), "12 Mariæ fødselsdag");
    EXPECT_EQ(colour(2, 1538, 8, 15), 0);
    EXPECT_EQ(colour(2, 1685, 4, 17), 0);  // Good Friday, a holy day from the ritual of 1685
    EXPECT_EQ(day(2, 1686, 4, 2), "12 Langfredag");
    EXPECT_EQ(day(3, 1687, 12, 27), "12 3. juledag");
    EXPECT_EQ(colour(3, 1687, 3, 24), 0);
    EXPECT_EQ(day(3, 1688, 4, 12), "12 Skjærtorsdag");
    EXPECT_EQ(day(1, 1809, 6, 24), "12 Johannes Döparens dag");  // the Grand Duchy kept the law
    EXPECT_EQ(day(1, 1869, 10, 3), "12 Mikaelidagen");  // the Sunday after 29 September
    EXPECT_EQ(colour(1, 1870, 10, 2), 0);
    EXPECT_EQ(day(1, 1899, 2, 5), "12 Kyndelsmässodagen");
}

// The böndagsplakat for 1919 (Gustaf V, 18 December 1918) names Sunday 9 March 1919; a year
// without a plakat in the table shows none.
TEST_F(HolidayHistory, PrayerDaysOfThePlakat) {
    const std::string first = day(0, 1919, 3, 9);
    EXPECT_EQ(first.substr(0, 3), "12 ");
    EXPECT_NE(first.find("1. Böndagen"), std::string::npos);
    EXPECT_EQ(day(0, 1921, 3, 13).find("Böndagen"), std::string::npos);
}
