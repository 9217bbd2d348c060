// The name-day lists of every nation and era in the shipped data, spot-checked
// against the published lists on days without a holiday.
#include "shipped_data.h"

using shipped::day;

namespace {
class NameDays : public shipped::Test {};

// The day's names without its colour and without what follows them after a dash.
std::string namesOf(const std::string& shown) {
    const std::string text = shown.substr(shown.find(' '));
    return text.substr(0, text.find(" \u2013"));
}
}  // namespace

// Days away from every holiday, each checked against the printed list of its
// era; the first and last year of an era where the neighbouring list differs.
// A flag day follows the names of the day; a red day keeps its name (Förordning
// 1982:270: Nobeldagen 10 December; Easter 1989 on 26 March put Jungfru Marie
// bebådelsedag on 12 March).
TEST_F(NameDays, ByNationAndEra) {
    struct Case { int16_t nation, y, m, d; const char* shown; };
    const Case cases[] = {
        {2, 1750, 2, 10, "0 Scholastica"}, {2, 2024, 9, 22, "12 Mauritius \u2013 17. søndag efter trinitatis"}, {2, 1800, 7, 9, "0 Sostrata"},
        {2, 2022, 11, 28, "0 Sophie Magdalene"}, {2, 2023, 11, 28, "0 Guntherus"},  // navn.ku.dk 2022
        {3, 1911, 9, 22, "0 Mauritius"},  // the Danish row, last year in the Norwegian almanac
        {3, 1912, 9, 22, "12 16. Søndag efter Trinitatis"},  // no names printed from 1912
        {3, 1997, 9, 22, "0"},            // the list of 1988 is not entered
        {3, 1998, 9, 22, "0 Kyrre, Kåre"}, {3, 2013, 8, 10, "0 Lorents, Lars, Lasse"},
        {3, 2005, 7, 9, "0 Gøran, Jøran, Ørjan"},
        {3, 2014, 8, 10, "12 9. søndag i treenighetstiden"},  // the lists from 2014 are the publisher's
        // Finland kept the older Swedish list to the almanac of 1907 and has none of its own after.
        {1, 1907, 1, 24, "0 Ericus Translatus"}, {1, 1908, 1, 24, "0"},
        // Denmark keeps its leap day on 24 February in common years' order: Mattias on the 24th.
        {2, 2023, 2, 24, "0 Mattias"}, {2, 2023, 2, 28, "0 Øllegaard"},
        // Sweden: before 2000 the almanac's leap day was 24 February and Mattias moved
        // to the 25th; from 2000 the leap day is 29 February and nothing moves. The
        // list of 1993 for 2000, of 2001 for 2004.
        {0, 1996, 2, 25, "12 Mattias, Mats \u2013 Första söndagen i fastan"}, {0, 1996, 2, 29, "0 Maria, Maja"},
        {0, 2000, 2, 24, "0 Mattias, Mats"}, {0, 2000, 2, 25, "0 Sigvard, Sivert"},
        {0, 2000, 2, 26, "0 Torgny, Torkel"}, {0, 2000, 2, 28, "0 Maria, Maja"},
        {0, 2004, 2, 24, "0 Mattias, Mats"}, {0, 2004, 2, 28, "0 Maria"}, {0, 2004, 3, 1, "0 Albin, Elvira"},
        {0, 2024, 12, 10, "1 Malin, Malena – Nobeldagen"}, {0, 1989, 3, 12, "12 Jungfru Marie bebådelsedag"},
        {2, 2017, 4, 9, "12 Palmesøndag – Danmarks besættelse 1940"}, {0, 2024, 12, 24, "2 Eva – Julafton"},
    };
    for (const auto& c : cases) EXPECT_EQ(day(c.nation, c.y, c.m, c.d), c.shown) << c.nation << ' ' << c.y << '-' << c.m << '-' << c.d;
    for (int16_t y : {1996, 2000, 2004}) EXPECT_EQ(day(0, y, 2, y < 2000 ? 24 : 29).substr(0, 12), "9 Skottdagen") << y;
    // The Danish almanac keeps its leap day on 24 February, before 2000 and after:
    // Mattias and the names after him move one day on. 25 February 1996 and 2024
    // and 29 February 2004 are Sundays: the names come first.
    for (int16_t y : {1996, 2004, 2024}) {
        EXPECT_EQ(day(2, y, 2, 23), "0 Papias") << y;
        EXPECT_EQ(day(2, y, 2, 24).substr(0, 9), "9 Skuddag") << y;  // the label is blank-filled
        EXPECT_EQ(namesOf(day(2, y, 2, 25)), " Mattias") << y;
        EXPECT_EQ(namesOf(day(2, y, 2, 29)), " Øllegaard") << y;
    }
}

// Sweden: for each change of list, a day where the two lists differ, in the last
// year of the older list and the first year of the newer (Svenska Akademien's and
// Isof's announcements of each revision; the 2025 names printed from 2027).
TEST_F(NameDays, SwedenAtEveryChangeOfList) {
    struct Case { int16_t m, d, lastOld; const char* older; const char* newer; };
    const Case cases[] = {
        {1, 24, 1900, "0 Ericus Translatus", "0 Erika"}, {10, 16, 1900, "0 Gallus", "0 Fingal"},
        {8, 9, 1985, "0 Roland", "0 Roland, Ronald, Ronny"}, {2, 11, 1992, "0 Yngve, Yvette, Yvonne", "0 Yngve, Ingolf"},
        {10, 19, 2000, "0 Tore, Torleif", "0 Tore, Tor"}, {9, 7, 2010, "0 Regina, Roy", "0 Kevin, Roy"},
        {7, 23, 2014, "0 Emma", "0 Emma, Emmy"}, {9, 14, 2017, "0 Ida", "0 Ida, Ronja"},
        {12, 3, 2021, "0 Lydia", "0 Lydia, Cornelia"}, {7, 30, 2026, "0 Algot", "0 Algot, Vilgot"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(day(0, c.lastOld, c.m, c.d), c.older) << c.lastOld << '-' << c.m << '-' << c.d;
        EXPECT_EQ(day(0, static_cast<int16_t>(c.lastOld + 1), c.m, c.d), c.newer) << c.lastOld + 1 << '-' << c.m << '-' << c.d;
    }
}
