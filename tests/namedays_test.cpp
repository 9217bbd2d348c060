// The name-day lists of every nation and era in the shipped data, spot-checked
// against the published lists on days without a holiday.
#include "shipped_data.h"

using shipped::day;

namespace {
class NameDays : public shipped::Test {};
}  // namespace

// Days away from every holiday, each checked against the printed list of its era;
// the first and last year of an era where the neighbouring list differs.
TEST_F(NameDays, DenmarkAndNorwayByEra) {
    struct Case { int16_t nation, y, m, d; const char* shown; };
    const Case cases[] = {
        {2, 1750, 2, 10, "0 Scholastica"}, {2, 2024, 9, 22, "0 Mauritius"}, {2, 1800, 7, 9, "0 Sostrata"},
        {2, 2022, 11, 28, "0 Sophie Magdalene"}, {2, 2023, 11, 28, "0 Guntherus"},  // navn.ku.dk 2022
        {3, 1911, 9, 22, "0 Mauritius"},  // the Danish row, last year in the Norwegian almanac
        {3, 1912, 9, 22, "0"},            // no names printed from 1912
        {3, 1997, 9, 22, "0"},            // the list of 1988 is not entered
        {3, 1998, 9, 22, "0 Kyrre, Kåre"}, {3, 2013, 8, 10, "0 Lorents, Lars, Lasse"},
        {3, 2005, 7, 9, "0 Gøran, Jøran, Ørjan"},
        {3, 2014, 8, 10, "0"},  // the lists from 2014 are the publisher's
    };
    for (const auto& c : cases) EXPECT_EQ(day(c.nation, c.y, c.m, c.d), c.shown) << c.nation << ' ' << c.y << '-' << c.m << '-' << c.d;
}

// The Danish almanac keeps its leap day on 24 February, before 2000 and after:
// Mattias and the names after him move one day on.
TEST_F(NameDays, DanishLeapYearsKeepSkuddagOn24February) {
    for (int16_t y : {1996, 2004, 2024}) {
        EXPECT_EQ(day(2, y, 2, 23), "0 Papias") << y;
        EXPECT_EQ(day(2, y, 2, 24).substr(0, 9), "9 Skuddag") << y;  // the label is blank-filled
        EXPECT_EQ(day(2, y, 2, 25), "0 Mattias") << y;
        EXPECT_EQ(day(2, y, 2, 29), "0 Øllegaard") << y;
    }
    EXPECT_EQ(day(2, 2023, 2, 24), "0 Mattias");
    EXPECT_EQ(day(2, 2023, 2, 28), "0 Øllegaard");
}
