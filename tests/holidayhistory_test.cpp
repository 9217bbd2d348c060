// The holidays of the shipped data before the church laws of 1686 and in Finland
// before 1900, the prayer days, and the Sundays' names by era, against independently
// known dates.
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
// A Sunday's name as the day shows it: alone, or after the day's names and a dash,
// and the day red.
struct SundayCase { int16_t nation, year, month, day; bool latin; const char* name; };

template <std::size_t N>
void expectSundaysNamed(const SundayCase (&cases)[N]) {
    for (const auto& c : cases) {
        const std::string text = day(c.nation, c.year, c.month, c.day, c.latin);
        const std::string alone = std::string("12 ") + c.name, after = std::string(" \u2013 ") + c.name;
        const bool named = text == alone || (text.substr(0, 3) == "12 " && text.size() > after.size() &&
                                             text.compare(text.size() - after.size(), after.size(), after) == 0);
        EXPECT_TRUE(named) << "nation " << c.nation << " " << c.year << "-" << c.month << "-" << c.day
                           << (c.latin ? " latin" : "") << ": " << text;
    }
}
}  // namespace

// Easter Sunday from the published tables: Julian Easter for 1300, 1500 and 1650 (the
// four nations kept the Julian calendar then); in 1750 the Swedish almanac's Easter, outside
// the usual limits that year (R. H. van Gent), was the Gregorian one, 29 March New Style,
// 18 March in the realm's Julian calendar; 1850 is Gregorian. Christmas, Easter, Ascension
// (Easter + 39) and Whitsunday (Easter + 49) must be red, and Easter's name must sit on the
// table's Sunday, not a week off.
TEST_F(HolidayHistory, GreatFeastsAreRedBeforeTheChurchLaws) {
    struct Case { int16_t nation, year, month, easter; };
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

// Sundays of the church year by era, against published dates: the church book of Osby, which
// dates the first Sunday after Epiphany 10 January 1647, 13 January 1650 and 12 January 1690
// (Julian); the Julian Easter of 1500, 19 April, from the tables above (Whitsunday 7 June,
// Trinity Sunday 14 June); Svenska kyrkan's calendar for 27 April 2014 and the Swedish list of
// autumn 2023 (kyrkstoten.se); Finland's church-year calendar for the week after Easter 2021
// and its Easter of 31 March 2024. A Sunday's name may follow the day's name-day names after
// a dash, and stands alone where the two do not fit.
TEST_F(HolidayHistory, SundaysOfTheChurchYearByEra) {
    const SundayCase cases[] = {
        {0, 1500, 6, 7, true, "Pentecostes"},
        {0, 1500, 6, 14, false, "Trinitatis"},  // the Latin names stand before 1572
        {0, 1500, 6, 21, false, "Dominica 1 post Trinitatis"}, {1, 1500, 6, 21, true, "Dominica 1 post Trinitatis"},
        {0, 1647, 1, 10, false, "Första söndagen efter trettondedagen"},
        {0, 1650, 1, 13, true, "Dominica 1 post Epiphaniam"},
        {0, 1690, 1, 12, false, "Första söndagen efter trettondedagen"},
        {1, 1690, 1, 12, true, "Dominica 1 post Epiphaniam"}, {0, 2014, 4, 27, false, "Andra söndagen i påsktiden"},
        {0, 2023, 10, 15, false, "Nittonde söndagen efter trefaldighet"},
        {0, 2023, 11, 12, false, "Tjugotredje söndagen efter trefaldighet"},
        {0, 2023, 11, 19, false, "Söndagen före domssöndagen"}, {0, 2023, 11, 26, false, "Domssöndagen"},
        {1, 2021, 4, 11, false, "Första söndagen efter påsk"}, {1, 2024, 3, 10, false, "Fjärde söndagen i fastan"},
        // Finland counts from Pentecost since 2000: Trinity Sunday is the first after it.
        {1, 2024, 6, 2, false, "Andra söndagen efter pingst"}, {1, 2024, 6, 2, true, "Dominica 2 post Pentecosten"},
    };
    expectSundaysNamed(cases);
}

// Danish and Norwegian Sundays by era, against published dates: Easter from the published
// tables (Julian 19 April 1500 and 14 April 1650; Gregorian 13 April 1800, 15 April 1900,
// 9 April 1950, 31 March 2024) and the Danish-Norwegian Easter of 29 March 1744, a week before
// the Gregorian one (slektshistoriewiki, "Bevegelige høytider"); Bibelselskabet and
// kristendom.dk on 2017, a year without Helligtrekongers søndag (the first Sunday after New Year
// fell on 8 January); Nynorsk Wikipedia on 2008, when Vingårdssøndagen fell on
// 13 January; norsksalmebok.no on 20 September 2015, the 17th Sunday in treenighetstiden; and
// the Norwegian church-year calendar of 2016-17 (foross.no, after kirken.no), with Maria
// budskapsdag on 26 March 2017 between the third and the fourth Sunday in Lent.
TEST_F(HolidayHistory, DanishAndNorwegianSundaysByEra) {
    const SundayCase cases[] = {
        {2, 1500, 6, 14, false, "Trinitatis"},  // the Latin names stand before 1538
        {3, 1500, 6, 21, false, "Dominica 1 post Trinitatis"}, {2, 1650, 4, 7, false, "Palmesøndag"},
        {2, 1650, 4, 21, false, "1. Søndag efter Paaske"}, {2, 1744, 3, 22, false, "Palmesøndag"},
        {3, 1744, 4, 5, true, "Quasimodogeniti"},
        {2, 1800, 3, 30, false, "Mariæ bebudelsesdag"},  // the fifth Sunday in Lent from 1771
        {3, 1900, 4, 22, false, "1. Søndag efter Paaske"}, {2, 1950, 4, 16, true, "Quasimodogeniti"},
        {3, 1950, 6, 11, false, "1. søndag etter trefoldighet"},
        {2, 2017, 1, 8, false, "1. søndag efter helligtrekonger"},
        {2, 2024, 1, 7, false, "Helligtrekongers søndag"},  // the first Sunday after New Year
        {2, 2024, 9, 22, false, "17. søndag efter trinitatis"}, {2, 2024, 11, 24, false, "Sidste søndag i kirkeåret"},
        {3, 2008, 1, 6, false, "Kristi åpenbaringsdag"}, {3, 2008, 1, 13, false, "Vingårdssøndag"},
        {3, 2015, 9, 20, false, "17. søndag i treenighetstiden"},
        {3, 2016, 11, 27, false, "1. søndag i adventstiden"}, {3, 2017, 1, 8, false, "Kristi åpenbaringsdag"},
        {3, 2017, 3, 19, false, "3. søndag i fastetiden"}, {3, 2017, 3, 26, false, "Maria budskapsdag"},
        {3, 2017, 4, 2, false, "4. søndag i fastetiden"}, {3, 2017, 3, 26, true, "Annuntiatio Mariae"},
    };
    expectSundaysNamed(cases);
}
