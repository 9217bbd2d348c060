// The shipped reference data (build/run/Const.mdb) against published facts: public
// holidays of chosen years, the reforms of the holiday laws, name days of each era
// on days without a holiday. The data volume lives in data/; these are spot checks
// of it, and one sweep over every month that can be shown.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/daynumber.h"
#include "calendar/state.h"
#include "mainwindow/notes.h"
#include "monthview/layout.h"
#include "monthview/listing.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "refdata/nationsettings.h"
#include "refdata/yeardata.h"
#include "shipped_data.h"

using namespace tovmir;
using shipped::colour;
using shipped::day;

namespace {
class ReferenceData : public shipped::Test {};
}  // namespace

// Every month that can be shown, as the window shows it: each year through
// showCalendar from its date field, its other months listed from the same loaded
// year (the month names are read once a year: reading them for every month would
// make this sweep take a minute). Each day line's label must name the line's day
// in the nation's calendar, and each alternative date must name the same day in
// the calendar its column heading says. A bad colour or a day the tables cannot
// place stops the listing with an error.
class EveryMonth : public ReferenceData, public ::testing::WithParamInterface<int16_t> {};

TEST_P(EveryMonth, ListsTheRightDaysInBothTables) {
    const int16_t n = GetParam();
    for (bool latin : {false, true}) {
        nation = n;
        latinNames = latin;
        loadedYear = 0;
        loadNationSettings();
        for (int16_t y = 1200; y <= 2100; ++y)
            for (int16_t m = 1; m <= 12; ++m) {
                const std::string where = "nation " + std::to_string(n) + " " + std::to_string(y) + "-" +
                                          std::to_string(m) + (latin ? " latin" : "");
                curMonth = m;
                if (m == 1) {
                    writeDateField(std::to_string(y) + "-01");
                    ASSERT_NO_THROW(showCalendar()) << where;
                } else {
                    clearSurface();
                    monthStartDay = dateToDayNumber(y, m, 1, n);
                    monthOffset = static_cast<int16_t>(monthStartDay - yearDayZero);
                    ASSERT_NO_THROW(listMonth()) << where;
                }
                std::vector<int32_t> labelled, alternative;
                int16_t altCode = 0;
                for (const auto& op : displayList) {
                    if (op.kind != SurfaceOp::print) continue;
                    if (op.x == layout::textX) {
                        labelled.push_back(dateToDayNumber(y, m, static_cast<int16_t>(std::stoi(op.text.substr(0, 2))), n));
                    } else if (op.x == layout::calendarLabelX) {
                        altCode = op.text == "Gamla Stilen" ? 5 : 6;
                    } else if (op.x == layout::alternativeX) {
                        const int16_t d = static_cast<int16_t>(std::stoi(op.text.substr(0, 2)));
                        const int16_t am = static_cast<int16_t>(std::stoi(op.text.substr(3)));
                        // The column does not print the year: the month tells
                        // whether the date lies across New Year.
                        const int16_t ay = static_cast<int16_t>(y + (am - m > 6 ? -1 : am - m < -6 ? 1 : 0));
                        alternative.push_back(dateToDayNumber(ay, am, d, altCode));
                    }
                }
                ASSERT_FALSE(labelled.empty()) << where;
                ASSERT_EQ(labelled.size(), alternative.size()) << where;
                for (std::size_t k = 0; k < labelled.size(); ++k) {
                    ASSERT_EQ(labelled[k], monthStartDay + static_cast<int32_t>(k)) << where << " line " << k;
                    ASSERT_EQ(alternative[k], labelled[k]) << where << " line " << k;
                }
                ASSERT_EQ(dateToDayNumber(y, static_cast<int16_t>(m + 1), 1, n), labelled.back() + 1) << where;
            }
    }
}
// One test per nation, so that the sweep runs beside the others.
INSTANTIATE_TEST_SUITE_P(Nations, EveryMonth, ::testing::Range<int16_t>(0, 9));

// Holidays by the laws of each nation and era, on the days the laws give. A row
// whose expected text is a number alone checks the day's colour only (0 for a
// day that is no longer a holiday).
TEST_F(ReferenceData, HolidaysByTheirLaws) {
    struct Case { int16_t nation, y, m, d; const char* shown; };
    const Case cases[] = {
        // Sweden: Lag (1989:253) om allmänna helgdagar with SFS 2004:1320.
        {0, 2024, 6, 6, "12 Sveriges nationaldag (flaggdag)"}, {0, 2024, 6, 22, "12 Midsommardagen (flaggdag)"},
        {0, 2024, 3, 29, "12 Långfredagen"}, {0, 2024, 5, 9, "12 Kristi himmelsfärdsdag"},
        {0, 2024, 5, 20, "2"},  {0, 2004, 5, 31, "12"},  // Annandag pingst a holiday to 2004
        {0, 2024, 1, 2, "0 Svea"}, {0, 2024, 1, 17, "0 Anton, Tony"},  // the 2001 list
        // The reduction of 1772 (in force 1773): Alla helgons dag and Kyndelsmässodagen
        // to Sundays, Kyndelsmässodagen kept off Fastlagssöndagen (6 February 1780).
        {0, 1760, 11, 1, "12 Alla helgons dag"}, {0, 1780, 11, 5, "12 Alla helgons dag"},
        {0, 1760, 2, 2, "12 Kyndelsmässodagen"}, {0, 1780, 1, 30, "12 Kyndelsmässodagen"},
        {0, 1952, 6, 24, "12 Midsommardagen"},  // on the Saturday from 20 to 26 June from 1953, below
        // Marie bebådelsedag on 25 March until 1952, then the Sunday from 22 to 28
        // March, two weeks before Easter when that Sunday is Palm Sunday (2024,
        // Easter 31 March) or Easter Day (2016, Easter 27 March). 25 March was a
        // Wednesday in 1953, 1981, 2009 and 2020 (Easter 5 April, 19 April, 12 April,
        // 12 April): the Sunday before it, 22 March, not the one after.
        {0, 1952, 3, 25, "12 Marie bebådelsedag"}, {0, 1953, 3, 22, "12 Jungfru Marie bebådelsedag"},
        {0, 1981, 3, 22, "12 Jungfru Marie bebådelsedag"}, {0, 2009, 3, 22, "12 Jungfru Marie bebådelsedag"},
        {0, 2020, 3, 22, "12 Jungfru Marie bebådelsedag"}, {0, 2016, 3, 13, "12 Jungfru Marie bebådelsedag"},
        {0, 2024, 3, 17, "12 Jungfru Marie bebådelsedag"},
        // Finland: lag 535/1953 (from 1955); Epiphany and Ascension on Saturdays 1973 to 1991.
        {1, 1954, 6, 24, "12 Johannes Döparens dag"}, {1, 1955, 6, 25, "12 Midsommardagen"},
        {1, 1965, 11, 6, "12 Alla helgons dag"}, {1, 1975, 1, 11, "12 Trettondagen"},
        {1, 1975, 5, 3, "12 Kristi himmelsfärdsdagen"}, {1, 1992, 5, 28, "12 Kristi himmelsfärdsdagen"},
        {1, 1954, 12, 6, "12 Självständighetsdagen"},
        // Denmark: Store bededag, the fourth Friday after Easter, abolished by the
        // Folketing on 28 February 2023 from 2024; the reduction of 1770.
        {2, 2023, 5, 5, "12 Store bededag"}, {2, 2024, 4, 26, "0"},
        {2, 1769, 12, 27, "12 3. juledag"}, {2, 1770, 12, 27, "0"},
        // Norway: the ordinance of 26 October 1770; helligdagsfredloven 1995; the law
        // of 1947 on 1 and 17 May; Samefolkets dag a flag day from 2004.
        {3, 1760, 6, 24, "12 St. Hans dag"}, {3, 1771, 6, 24, "0"},
        {3, 1769, 12, 27, "12 3. juledag"}, {3, 1770, 12, 27, "0"},
        {3, 2024, 3, 28, "12 Skjærtorsdag"}, {3, 2024, 5, 17, "12 Grunnlovsdagen (flaggdag)"},
        {3, 2003, 2, 6, "0"}, {3, 2004, 2, 6, "1 Dortea, Dorte – Samefolkets dag (flaggdag)"},
        // The first and last years of the older rows: the kyrkoordning of 1571 (from
        // 1572), the Danish ordinance of 1537/39 (from 1538), the ritual of 1685 and
        // Norske Lov, Finland's church law of 1869 (from 1870), which kept the Sunday
        // feasts of 1772. Julian Easter 1571 15 April, 1572 6 April, 1685 19 April,
        // 1686 4 April, 1687 27 March, 1688 15 April.
        {0, 1571, 8, 15, "12 Marie himmelsfärdsdag"}, {0, 1572, 8, 15, "0"},  // a medieval Lady day
        {0, 1571, 4, 12, "0"}, {0, 1572, 4, 3, "12 Skärtorsdagen"},  // Maundy Thursday, from the 1571 list on
        {1, 1572, 4, 3, "12 Skärtorsdagen"},  // Finland in the realm
        {2, 1537, 9, 8, "12 Mariæ fødselsdag"}, {2, 1538, 8, 15, "0"},
        {2, 1685, 4, 17, "0"}, {2, 1686, 4, 2, "12 Langfredag"},  // Good Friday, a holy day from the ritual of 1685
        {3, 1687, 12, 27, "12 3. juledag"}, {3, 1687, 3, 24, "0"}, {3, 1688, 4, 12, "12 Skjærtorsdag"},
        {1, 1809, 6, 24, "12 Johannes Döparens dag"},  // the Grand Duchy kept the law
        // Mikaelidagen on the Sunday after 29 September under the law of 1869 and to this day (SKS).
        {1, 1869, 10, 3, "12 Mikaelidagen"}, {1, 1870, 10, 2, "12 Mikaelidagen"}, {1, 2024, 9, 29, "12 Mikaelidagen"},
        {1, 1899, 2, 5, "12 Kyndelsmässodagen"},
    };
    for (const auto& c : cases) {
        const std::string shown = day(c.nation, c.y, c.m, c.d);
        EXPECT_EQ(std::string(c.shown).find(' ') == std::string::npos ? shown.substr(0, shown.find(' ')) : shown, c.shown)
            << c.nation << " " << c.y << "-" << c.m << "-" << c.d;
    }
    // The böndagsplakat for 1919 (Gustaf V, 18 December 1918) names Sunday 9 March
    // 1919; a year without a plakat in the table shows none.
    EXPECT_EQ(day(0, 1919, 3, 9).substr(0, 3), "12 ");
    EXPECT_NE(day(0, 1919, 3, 9).find("1. Böndagen"), std::string::npos);
    EXPECT_EQ(day(0, 1921, 3, 13).find("Böndagen"), std::string::npos);
    // Grundlovsdag follows the name of the day, in blue.
    EXPECT_EQ(colour(2, 2024, 6, 5), 1);
    EXPECT_NE(day(2, 2024, 6, 5).find(" – Grundlovsdag"), std::string::npos);
    // 1953: Midsommardagen on the Saturday from 20 to 26 June, every year since.
    for (int16_t y = 1953; y <= 2100; ++y) {
        const std::chrono::weekday june20{std::chrono::sys_days{std::chrono::year{y} / 6 / 20}};
        const auto saturday = static_cast<int16_t>(20 + (std::chrono::Saturday - june20).count());
        EXPECT_EQ(day(0, y, 6, saturday).substr(0, 17), "12 Midsommardagen") << y;
    }
}

// The shipped notes as the crown-and-sword button reads them: for every month
// that can be shown, whole 60-character notes and no running off the end.
TEST_F(ReferenceData, NotesFilesReadForEveryMonth) {
    const auto read = [](const char* file) {
        std::ifstream in(file, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    };
    for (int16_t n = 0; n <= 3; ++n) {
        const std::string text = read(notesFile(n));
        ASSERT_NE(text.find("\r\n9999-12 9999-12"), std::string::npos) << notesFile(n);
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
