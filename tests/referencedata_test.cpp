// The shipped reference data (build/run/Const.mdb) against published facts: public holidays by the laws of each era,
// the Sundays' names, the name-day lists of each era on days without a holiday. The data volume lives in data/; these
// are spot checks of it, and one sweep over every month that can be shown.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <vector>

#include "mainwindow/notes.h"
#include "monthview/layout.h"
#include "monthview/listing.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "shipped_data.h"

using namespace tovmir;
using shipped::colour;
using shipped::day;

namespace {
class ReferenceData : public shipped::Test {};

// The day a number of days after a date, as the month view shows it ("12 Pingstdagen").
std::string dayAfter(int16_t n, int16_t y, int16_t m, int16_t d, int32_t days) {
    shipped::load(n, y, false);
    const auto& e = dayTableAt(dateToDayNumber(y, m, d, n) + days - yearDayZero);
    return std::to_string(e.color) + e.dayText;
}
}  // namespace

// Every month that can be shown, as the window shows it: each year through showCalendar from its date field, its other
// months listed from the same loaded year (reading the month names for every month would make this sweep take a
// minute). Each day line's label must name the line's day in the nation's calendar, each alternative date the same day
// in the calendar its column heading says. A bad colour or a day the tables cannot place stops the listing.
class EveryMonth : public ReferenceData, public ::testing::WithParamInterface<int16_t> {};

TEST_P(EveryMonth, ListsTheRightDaysInBothTables) {
    const int16_t n = GetParam();
    for (bool latin : {false, true}) {
        nation = n, latinNames = latin, loadedYear = 0;
        loadNationSettings();
        for (int16_t y = 1200; y <= 2100; ++y)
            for (int16_t m = 1; m <= 12; ++m) {
                SCOPED_TRACE(testing::Message() << "nation " << n << " " << y << "-" << m << (latin ? " latin" : ""));
                curMonth = m;
                if (m == 1) writeDateField(std::to_string(y) + "-01");
                else clearSurface(), monthStartDay = dateToDayNumber(y, m, 1, n);
                monthOffset = static_cast<int16_t>(monthStartDay - yearDayZero);
                ASSERT_NO_THROW(m == 1 ? showCalendar() : listMonth());
                std::vector<int32_t> labelled, alternative;
                int16_t altCode = 0;
                for (const auto& op : displayList) {
                    if (op.kind != SurfaceOp::print) continue;
                    const auto number = [&](std::size_t at) { return static_cast<int16_t>(std::stoi(op.text.substr(at))); };
                    if (op.x == layout::textX) {
                        labelled.push_back(dateToDayNumber(y, m, number(0), n));
                    } else if (op.x == layout::calendarLabelX) {
                        altCode = op.text == "Gamla Stilen" ? 5 : 6;
                    } else if (op.x == layout::alternativeX) {
                        // The column does not print the year: the month tells whether the date lies across New Year.
                        const int16_t am = number(3);
                        const int16_t ay = static_cast<int16_t>(y + (am - m > 6 ? -1 : am - m < -6 ? 1 : 0));
                        alternative.push_back(dateToDayNumber(ay, am, number(0), altCode));
                    }
                }
                ASSERT_FALSE(labelled.empty());
                ASSERT_EQ(labelled.size(), alternative.size());
                for (std::size_t k = 0; k < labelled.size(); ++k) {
                    ASSERT_EQ(labelled[k], monthStartDay + static_cast<int32_t>(k)) << "line " << k;
                    ASSERT_EQ(alternative[k], labelled[k]) << "line " << k;
                }
                ASSERT_EQ(dateToDayNumber(y, static_cast<int16_t>(m + 1), 1, n), labelled.back() + 1);
            }
    }
}
// One test per nation, so that the sweep runs beside the others.
INSTANTIATE_TEST_SUITE_P(Nations, EveryMonth, ::testing::Range<int16_t>(0, 9));

// Holidays by the laws of each nation and era, and name days by the printed list of their era. A row whose text is a
// number alone checks the day's colour only (0: no longer a holiday).
TEST_F(ReferenceData, HolidaysByTheirLawsAndNamesByTheirLists) {
    struct Case { int16_t nation, y, m, d; const char* shown; };
    const Case cases[] = {
        // Sweden: Lag (1989:253) om allmänna helgdagar with SFS 2004:1320; names of the 2001 list.
        {0, 2024, 6, 6, "12 Sveriges nationaldag (flaggdag)"}, {0, 2024, 6, 22, "12 Midsommardagen (flaggdag)"},
        {0, 2024, 3, 29, "12 Långfredagen"}, {0, 2024, 5, 9, "12 Kristi himmelsfärdsdag"}, {0, 2024, 1, 2, "0 Svea"},
        {0, 2024, 1, 17, "0 Anton, Tony"}, {0, 2024, 5, 20, "2"}, {0, 2004, 5, 31, "12"},  // Annandag pingst to 2004
        // The reduction of 1772 (in force 1773): Alla helgons dag and Kyndelsmässodagen to Sundays, Kyndelsmässodagen
        // kept off Fastlagssöndagen (6 February 1780).
        {0, 1760, 11, 1, "12 Alla helgons dag"}, {0, 1780, 11, 5, "12 Alla helgons dag"},
        {0, 1760, 2, 2, "12 Kyndelsmässodagen"}, {0, 1780, 1, 30, "12 Kyndelsmässodagen"},
        {0, 1952, 6, 24, "12 Midsommardagen"},  // on the Saturday from 20 to 26 June from 1953, below
        // Marie bebådelsedag on 25 March until 1952, then the Sunday from 22 to 28 March, two weeks before Easter when
        // that Sunday is Palm Sunday (2024, Easter 31 March) or Easter Day (2016, Easter 27 March; 1989, Easter 26
        // March). 25 March a Wednesday in 1953 and 2009 (Easter 5 and 12 April) gives the Sunday before, 22 March.
        {0, 1952, 3, 25, "12 Marie bebådelsedag"}, {0, 1953, 3, 22, "12 Jungfru Marie bebådelsedag"},
        {0, 2009, 3, 22, "12 Jungfru Marie bebådelsedag"}, {0, 2016, 3, 13, "12 Jungfru Marie bebådelsedag"},
        {0, 2024, 3, 17, "12 Jungfru Marie bebådelsedag"}, {0, 1989, 3, 12, "12 Jungfru Marie bebådelsedag"},
        // The böndagsplakat for 1919 (Gustaf V, 18 December 1918) names Sunday 9 March 1919; 1921 has none in the
        // table.
        {0, 1919, 3, 9, "12 Torbjörn – Första söndagen i fastan   1. Böndagen"},
        {0, 1921, 3, 13, "12 Greger – Femte söndagen i fastan"},
        // Finland: lag 535/1953 (from 1955); Epiphany and Ascension on Saturdays 1973 to 1991.
        {1, 1954, 6, 24, "12 Johannes Döparens dag"}, {1, 1955, 6, 25, "12 Midsommardagen"},
        {1, 1965, 11, 6, "12 Alla helgons dag"}, {1, 1975, 1, 11, "12 Trettondagen"},
        {1, 1975, 5, 3, "12 Kristi himmelsfärdsdagen"}, {1, 1992, 5, 28, "12 Kristi himmelsfärdsdagen"},
        {1, 1954, 12, 6, "12 Självständighetsdagen"}, {1, 1809, 6, 24, "12 Johannes Döparens dag"},  // kept in 1809
        // Denmark: Store bededag, the fourth Friday after Easter, abolished by the Folketing on 28 February 2023 from
        // 2024; the reduction of 1770; Grundlovsdag after the day's names.
        {2, 2023, 5, 5, "12 Store bededag"}, {2, 2024, 4, 26, "0"}, {2, 1769, 12, 27, "12 3. juledag"},
        {2, 1770, 12, 27, "0"}, {2, 2024, 6, 5, "1 Bonifacius – Grundlovsdag"},
        // Norway: the ordinance of 26 October 1770; helligdagsfredloven 1995; the law of 1947 on 1 and 17 May;
        // Samefolkets dag a flag day from 2004.
        {3, 1760, 6, 24, "12 St. Hans dag"}, {3, 1771, 6, 24, "0"}, {3, 1769, 12, 27, "12 3. juledag"},
        {3, 1770, 12, 27, "0"}, {3, 2024, 3, 28, "12 Skjærtorsdag"}, {3, 2024, 5, 17, "12 Grunnlovsdagen (flaggdag)"},
        {3, 2003, 2, 6, "0"}, {3, 2004, 2, 6, "1 Dortea, Dorte – Samefolkets dag (flaggdag)"},
        // The first and last years of the older rows: the kyrkoordning of 1571 (from 1572), the Danish ordinance of
        // 1537/39 (from 1538), the ritual of 1685 and Norske Lov, Finland's church law of 1869 (from 1870), which kept
        // the Sunday feasts of 1772. Julian Easter 1571 15 April, 1572 6 April, 1685 19 April, 1686 4 April, 1687 27
        // March, 1688 15 April. Sweden and Finland: a medieval Lady day to 1571, Maundy Thursday from 1572.
        {0, 1571, 8, 15, "12 Marie himmelsfärdsdag"}, {0, 1572, 8, 15, "0"}, {0, 1571, 4, 12, "0"},
        {0, 1572, 4, 3, "12 Skärtorsdagen"}, {1, 1572, 4, 3, "12 Skärtorsdagen"},
        {2, 1537, 9, 8, "12 Mariæ fødselsdag"}, {2, 1538, 8, 15, "0"}, {1, 1899, 2, 5, "12 Kyndelsmässodagen"},
        {2, 1685, 4, 17, "0"}, {2, 1686, 4, 2, "12 Langfredag"},  // Good Friday, a holy day from the ritual of 1685
        {3, 1687, 12, 27, "12 3. juledag"}, {3, 1687, 3, 24, "0"}, {3, 1688, 4, 12, "12 Skjærtorsdag"},
        // Mikaelidagen on the Sunday after 29 September under the law of 1869 and to this day (SKS).
        {1, 1869, 10, 3, "12 Mikaelidagen"}, {1, 1870, 10, 2, "12 Mikaelidagen"}, {1, 2024, 9, 29, "12 Mikaelidagen"},
        // Name days, the first and last year of an era where the neighbouring list differs (Denmark from 2023:
        // navn.ku.dk 2022). A flag day follows the day's names; a red day keeps its name (Förordning 1982:270:
        // Nobeldagen 10 December).
        {2, 1750, 2, 10, "0 Scholastica"}, {2, 2024, 9, 22, "12 Mauritius – 17. søndag efter trinitatis"},
        {2, 1800, 7, 9, "0 Sostrata"}, {2, 2022, 11, 28, "0 Sophie Magdalene"}, {2, 2023, 11, 28, "0 Guntherus"},
        // Norway: Danish names to 1911, none from 1912, the list of 1988 not entered, the publisher's lists from 2014.
        {3, 1911, 9, 22, "0 Mauritius"}, {3, 1912, 9, 22, "12 16. Søndag efter Trinitatis"}, {3, 1997, 9, 22, "0"},
        {3, 1998, 9, 22, "0 Kyrre, Kåre"}, {3, 2013, 8, 10, "0 Lorents, Lars, Lasse"},
        {3, 2005, 7, 9, "0 Gøran, Jøran, Ørjan"}, {3, 2014, 8, 10, "12 9. søndag i treenighetstiden"},
        // Finland kept the older Swedish list to the almanac of 1907 and has none of its own after.
        {1, 1907, 1, 24, "0 Ericus Translatus"}, {1, 1908, 1, 24, "0"},
        // Sweden: before 2000 the almanac's leap day was 24 February and Mattias moved to the 25th; from 2000 the leap
        // day is 29 February and nothing moves. The list of 1993 for 2000, of 2001 for 2004.
        {0, 1996, 2, 25, "12 Mattias, Mats – Första söndagen i fastan"}, {0, 1996, 2, 29, "0 Maria, Maja"},
        {0, 2000, 2, 24, "0 Mattias, Mats"}, {0, 2000, 2, 25, "0 Sigvard, Sivert"},
        {0, 2000, 2, 26, "0 Torgny, Torkel"}, {0, 2000, 2, 28, "0 Maria, Maja"}, {0, 2004, 2, 24, "0 Mattias, Mats"},
        {0, 2004, 2, 28, "0 Maria"}, {0, 2004, 3, 1, "0 Albin, Elvira"},
        // Denmark keeps its leap day on 24 February, in common years Mattias's day, before 2000 and after: Mattias and
        // the names after him one day on. On Sundays the names come first.
        {2, 2023, 2, 24, "0 Mattias"}, {2, 2023, 2, 28, "0 Øllegaard"}, {2, 2024, 2, 29, "0 Øllegaard"},
        {2, 1996, 2, 23, "0 Papias"}, {2, 2004, 2, 23, "0 Papias"}, {2, 2024, 2, 23, "0 Papias"},
        {2, 1996, 2, 25, "12 Mattias – 1. søndag i fasten"}, {2, 1996, 2, 29, "0 Øllegaard"},
        {2, 2004, 2, 29, "12 Øllegaard – 1. søndag i fasten"}, {2, 2024, 2, 25, "12 Mattias – 2. søndag i fasten"},
        {0, 2024, 12, 10, "1 Malin, Malena – Nobeldagen"}, {0, 2024, 12, 24, "2 Eva – Julafton"},
        {2, 2017, 4, 9, "12 Palmesøndag – Danmarks besættelse 1940"}, {2, 2004, 2, 25, "0 Mattias"},
    };
    for (const auto& c : cases) {
        const std::string shown = day(c.nation, c.y, c.m, c.d);
        EXPECT_EQ(std::string(c.shown).find(' ') == std::string::npos ? shown.substr(0, shown.find(' ')) : shown, c.shown)
            << c.nation << " " << c.y << "-" << c.m << "-" << c.d;
    }
    for (int16_t y = 1953; y <= 2100; ++y) {  // 1953: Midsommardagen on the Saturday from 20 to 26 June, ever since
        const std::chrono::weekday june20{std::chrono::sys_days{std::chrono::year{y} / 6 / 20}};
        EXPECT_EQ(day(0, y, 6, 20 + (std::chrono::Saturday - june20).count()).substr(0, 17), "12 Midsommardagen") << y;
    }
    // The almanac's leap day, in Sweden and Denmark (the label is blank-filled).
    for (int16_t y : {1996, 2000, 2004}) EXPECT_EQ(day(0, y, 2, y < 2000 ? 24 : 29).substr(0, 12), "9 Skottdagen") << y;
    for (int16_t y : {1996, 2004, 2024}) EXPECT_EQ(day(2, y, 2, 24).substr(0, 9), "9 Skuddag") << y;
    // Sweden: at each change of list, a day where the two lists differ, in the last year of the older list and the
    // first of the newer (Svenska Akademien's and Isof's announcements; the 2025 names printed from 2027).
    struct Change { int16_t m, d, last; const char* older; const char* newer; };
    const Change changes[] = {
        {1, 24, 1900, "0 Ericus Translatus", "0 Erika"}, {10, 16, 1900, "0 Gallus", "0 Fingal"},
        {2, 11, 1992, "0 Yngve, Yvette, Yvonne", "0 Yngve, Ingolf"}, {10, 19, 2000, "0 Tore, Torleif", "0 Tore, Tor"},
        {9, 7, 2010, "0 Regina, Roy", "0 Kevin, Roy"}, {7, 23, 2014, "0 Emma", "0 Emma, Emmy"},
        {9, 14, 2017, "0 Ida", "0 Ida, Ronja"}, {12, 3, 2021, "0 Lydia", "0 Lydia, Cornelia"},
        {8, 9, 1985, "0 Roland", "0 Roland, Ronald, Ronny"}, {7, 30, 2026, "0 Algot", "0 Algot, Vilgot"},
    };
    for (const auto& c : changes)
        for (int k : {0, 1}) EXPECT_EQ(day(0, c.last + k, c.m, c.d), k ? c.newer : c.older) << c.last + k << '-' << c.m;
}

// Sundays of the church year by era, against published dates. Sweden and Finland: the church book of Osby, which dates
// the first Sunday after Epiphany 10 January 1647, 13 January 1650 and 12 January 1690 (Julian); the Julian Easter of
// 1500, 19 April (Whitsunday 7 June, Trinity Sunday 14 June); Svenska kyrkan's calendar for 27 April 2014 and the
// Swedish list of autumn 2023 (kyrkstoten.se); Finland's church-year calendar for the week after Easter 2021 and its
// Easter of 31 March 2024. Denmark and Norway: Easter from the published tables (Julian 14 April 1650; Gregorian 13
// April 1800, 15 April 1900, 9 April 1950, 31 March 2024) and the Danish-Norwegian Easter of 29 March 1744, a week
// before the Gregorian one (slektshistoriewiki, "Bevegelige høytider"); Bibelselskabet and kristendom.dk on 2017, a
// year without Helligtrekongers søndag (the first Sunday after New Year fell on 8 January); Nynorsk Wikipedia on 2008,
// when Vingårdssøndagen fell on 13 January; norsksalmebok.no on 20 September 2015, the 17th Sunday in treenighetstiden;
// and the Norwegian church-year calendar of 2016-17 (foross.no, after kirken.no), with Maria budskapsdag on 26 March
// 2017 between the third and the fourth Sunday in Lent. The Latin names stand in Sweden before 1572, in Denmark before
// 1538; Mariæ bebudelsesdag is the fifth Sunday in Lent from 1771; Helligtrekongers søndag the first Sunday after New
// Year. A Sunday's name may follow the day's name-day names after a dash, and stands alone where the two do not fit.
TEST_F(ReferenceData, SundaysAndGreatFeastsOfTheChurchYearByEra) {
    struct Case { int16_t nation, year, month, day, latin; const char* name; };
    const Case cases[] = {
        {0, 1500, 6, 7, 1, "Pentecostes"}, {0, 1500, 6, 14, 0, "Trinitatis"},
        {0, 1500, 6, 21, 0, "Dominica 1 post Trinitatis"}, {1, 1500, 6, 21, 1, "Dominica 1 post Trinitatis"},
        {0, 1647, 1, 10, 0, "Första söndagen efter trettondedagen"}, {0, 1650, 1, 13, 1, "Dominica 1 post Epiphaniam"},
        {0, 1690, 1, 12, 0, "Första söndagen efter trettondedagen"}, {1, 1690, 1, 12, 1, "Dominica 1 post Epiphaniam"},
        {0, 2014, 4, 27, 0, "Andra söndagen i påsktiden"}, {0, 2023, 10, 15, 0, "Nittonde söndagen efter trefaldighet"},
        {0, 2023, 11, 12, 0, "Tjugotredje söndagen efter trefaldighet"},
        {0, 2023, 11, 19, 0, "Söndagen före domssöndagen"}, {0, 2023, 11, 26, 0, "Domssöndagen"},
        {1, 2021, 4, 11, 0, "Första söndagen efter påsk"}, {1, 2024, 3, 10, 0, "Fjärde söndagen i fastan"},
        // Finland counts from Pentecost since 2000: Trinity Sunday is the first after it.
        {1, 2024, 6, 2, 0, "Andra söndagen efter pingst"}, {1, 2024, 6, 2, 1, "Dominica 2 post Pentecosten"},
        {2, 1500, 6, 14, 0, "Trinitatis"}, {3, 1500, 6, 21, 0, "Dominica 1 post Trinitatis"},
        {2, 1650, 4, 7, 0, "Palmesøndag"}, {2, 1650, 4, 21, 0, "1. Søndag efter Paaske"},
        {2, 1744, 3, 22, 0, "Palmesøndag"}, {3, 1744, 4, 5, 1, "Quasimodogeniti"},
        {2, 1800, 3, 30, 0, "Mariæ bebudelsesdag"}, {3, 1900, 4, 22, 0, "1. Søndag efter Paaske"},
        {2, 1950, 4, 16, 1, "Quasimodogeniti"}, {3, 1950, 6, 11, 0, "1. søndag etter trefoldighet"},
        {2, 2017, 1, 8, 0, "1. søndag efter helligtrekonger"}, {2, 2024, 1, 7, 0, "Helligtrekongers søndag"},
        {2, 2024, 9, 22, 0, "17. søndag efter trinitatis"}, {2, 2024, 11, 24, 0, "Sidste søndag i kirkeåret"},
        {3, 2008, 1, 6, 0, "Kristi åpenbaringsdag"}, {3, 2008, 1, 13, 0, "Vingårdssøndag"},
        {3, 2015, 9, 20, 0, "17. søndag i treenighetstiden"}, {3, 2016, 11, 27, 0, "1. søndag i adventstiden"},
        {3, 2017, 1, 8, 0, "Kristi åpenbaringsdag"}, {3, 2017, 3, 19, 0, "3. søndag i fastetiden"},
        {3, 2017, 3, 26, 0, "Maria budskapsdag"}, {3, 2017, 4, 2, 0, "4. søndag i fastetiden"},
        {3, 2017, 3, 26, 1, "Annuntiatio Mariae"},
    };
    for (const auto& c : cases) {
        const std::string text = day(c.nation, c.year, c.month, c.day, c.latin), name = c.name;
        EXPECT_TRUE(text == "12 " + name || (text.starts_with("12 ") && text.ends_with(" \u2013 " + name)))
            << c.nation << " " << c.year << "-" << c.month << "-" << c.day << " latin " << c.latin << ": " << text;
    }
    // Easter Sunday from the published tables: Julian Easter for 1300, 1500 and 1650 (the four nations kept the Julian
    // calendar then); in 1750 the Swedish almanac's Easter, outside the usual limits that year (R. H. van Gent), was
    // the Gregorian one, 29 March New Style, 18 March in the realm's Julian calendar; 1850 is Gregorian. Christmas,
    // Easter, Ascension and Whitsunday must be red, and Easter's name on the table's Sunday, not a week off.
    struct Feast { int16_t year, month, easter; };
    const Feast feasts[] = {{1300, 4, 10}, {1500, 4, 19}, {1650, 4, 14}, {1750, 3, 18}, {1850, 3, 31}};
    const char* easterName[] = {"12 Påskdagen", "12 Påskdagen", "12 Påskedag", "12 1. påskedag"};
    for (int16_t n = 0; n <= 3; ++n)
        for (const auto& c : feasts) {
            if (c.year > 1700 && n != 1) continue;  // the Easters of 1750 and 1850 are Finland's
            const std::string where = "nation " + std::to_string(n) + " " + std::to_string(c.year);
            EXPECT_EQ(day(n, c.year, c.month, c.easter), easterName[n]) << where;
            EXPECT_EQ(colour(n, c.year, 12, 25), 12) << where;
            for (int after : {39, 49}) EXPECT_EQ(dayAfter(n, c.year, c.month, c.easter, after).substr(0, 3), "12 ") << where;
            EXPECT_NE(dayAfter(n, c.year, c.month, c.easter, -1).substr(0, 3), "12 ") << where;
        }
}

// The shipped notes as the crown-and-sword button reads them, every month: whole notes of 60 characters, no overrun.
TEST_F(ReferenceData, NotesFilesReadForEveryMonth) {
    const auto read = [](const char* file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (int16_t n = 0; n <= 3; ++n) {
        const std::string text = read(notesFile(n));
        std::size_t shown = 0;
        for (int16_t y = 1200; y <= 2100; ++y)
            for (int16_t m = 1; m <= 12; ++m) {
                std::string notes;
                ASSERT_NO_THROW(notes = notesFor(text, notesKey(y, m))) << notesFile(n) << " " << y << "-" << m;
                ASSERT_EQ(notes.size() % 61, 0u) << notesFile(n) << " " << y << "-" << m;
                shown += notes.size() / 61;
            }
        EXPECT_GT(shown, 0u) << notesFile(n);
    }
    // The Swedish special calendar is explained in the months it touches.
    EXPECT_NE(notesFor(read("HistSe.txt"), notesKey(1712, 2)), "");
    EXPECT_NE(notesFor(read("HistDk.txt"), notesKey(1700, 2)), "");
}
