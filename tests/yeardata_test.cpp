#include "refdata/yeardata.h"

#include <functional>

#include "calendar/feasts.h"
#include "refdata_fixture.h"

using namespace tovmir;

namespace {
class YearData : public fixture::WorkingFolder {};

// The loaded year's day as the month view shows it: colour and text.
struct Shown { int day; int16_t color; const char* text; };
std::string shown(int day) { return std::to_string(dayTable[day].color) + dayTable[day].dayText; }
std::string errorOf(const std::function<void()>& f) {
    try { f(); } catch (const std::exception& e) { return e.what(); }
    return "no error";
}
}  // namespace

TEST_F(YearData, NationSettingsFixedTextsAndBadRows) {
    auto t = fixture::baseTables();
    t["MonthNames"] =
        "Nation:int\tchgYr:int\tjan\tfeb\tmar\tapr\tmai\tjun\tjul\taug\tsep\tOct\tnov\tdec\n"
        "0\t1900\tJanuarius\tFebruarius\tMartius\tAprilis\tMajus\tJunius\tJulius\tAugustus\tSeptembris\tOctobris\tNovembris\tDecembris\n"
        "1\t32767\tJanuary\tFebruary\tMarch\tApril\tMay\tJune\tJuly\tAugust\tSeptember\tOctober\tNovember\tDecember\n";
    t["Titles"] += "9\tother.xpm\tNio\t\tLeap\t1972\n";  // lpDChg empty: NULL
    build(t);
    std::string caption, flag;
    installMainWindowOps({[&](const std::string& f) { flag = f; }, [&](const std::string& c) { caption = c; }});
    nation = 0, curYear = 1900;  // chgYr equal to the year: still the first row
    loadNationSettings();
    EXPECT_EQ(caption + " " + flag + " " + std::to_string(lpDChg) + " " + std::to_string(weekNoChg),
              "Sverige flag.xpm 2000 1972");
    // Filled with blanks: the leap day's name to 18 characters, weekdays cut to two, months to 11.
    EXPECT_EQ(leapDayName + weekdayNames[0] + weekdayNames[6], "Skottdagen        MåS ");
    EXPECT_EQ(monthNames[9] + monthNames[12], "Septembris Decembris  ");
    curYear = 1901;  // past chgYr: the row stored next, although it is another nation's
    loadMonthNames();
    EXPECT_EQ(monthNames[5], "May        ");
    // No rows (10), or a row with a NULL (9): an error, and nothing of the row
    // taken, neither the caption nor the flag.
    for (int16_t bad : {10, 9}) {
        nation = bad;
        EXPECT_THROW(loadNationSettings(), DataError) << bad;
        EXPECT_EQ(caption + flag + weekdayNames[0] + std::to_string(lpDChg), "Sverigeflag.xpmMå2000") << bad;
    }
    EXPECT_EQ(nationCriterion(), "Nation =  9");
    nation = -1;
    EXPECT_EQ(nationCriterion(), "Nation = -1");
    // A missing flag picture fails without a window too.
    installMainWindowOps({});
    std::filesystem::remove("flag.xpm");
    nation = 0;
    EXPECT_THROW(loadNationSettings(), DataError);
}

// Row k of the name list holds "nk". In a leap year the names move one day on
// from the almanac's leap day: 24 February (day 55) in the years before the
// nation's lpDChg, 29 February (day 60) from lpDChg itself on.
TEST_F(YearData, NamesMoveAroundTheLeapDayOfTheNationsAlmanac) {
    struct Case { int16_t lpDChg, year, day; const char* text; };
    const char* const L = "Skottdagen        ";  // the leap day: 10 characters and 8 blanks
    const Case cases[] = {
        {2000, 2023, 60, "n60"}, {2000, 2004, 59, "n59"}, {2000, 2004, 60, L}, {2000, 2004, 61, "n60"},
        {2000, 2004, 366, "n365"}, {2000, 2000, 55, "n55"}, {2000, 2000, 59, "n59"}, {2000, 2000, 60, L},
        {2000, 2000, 61, "n60"}, {2000, 1996, 54, "n54"}, {2000, 1996, 55, L}, {2000, 1996, 56, "n55"},
        {2000, 1996, 60, "n59"}, {1990, 1996, 55, "n55"}, {1990, 1996, 60, L}, {1990, 1996, 61, "n60"},
        {1990, 1988, 55, L}, {1990, 1988, 60, "n59"},
        // Sweden's 1712 with 367 days: the names of 24-28 February moved on to
        // 29 February, 30 February empty, 1 March keeping its name.
        {1990, 1712, 55, L}, {1990, 1712, 60, "n59"}, {1990, 1712, 61, ""}, {1990, 1712, 62, "n60"},
        {1990, 1712, 367, "n365"},
    };
    int16_t built = 0;
    for (const auto& c : cases) {
        if (c.lpDChg != built) {
            auto t = fixture::baseTables();
            t["Titles"].replace(t["Titles"].find("\t2000\t"), 6, "\t" + std::to_string(built = c.lpDChg) + "\t");
            build(t);
        }
        loadYear(c.year);
        EXPECT_EQ(dayTable[c.day].dayText, c.text) << c.lpDChg << " " << c.year << " day " << c.day;
        if (c.text == L) { EXPECT_EQ(dayTable[c.day].color, 9) << c.year; }
    }
}

TEST_F(YearData, RuleCodesLandOnThePublishedDays) {
    // Each rule's name is unique, so the day it lands on is found by its text: Wkd4 and Wkd11 the
    // first and second Friday after 19 June, Kyn Kyndelsmässodagen, MB2 Jungfru Marie bebådelsedag.
    buildWithRules("1900\t2100\t170\twkd\t4\t12\tWkd4\n1900\t2100\t170\twkd\t11\t12\tWkd11\n"
                   "1900\t2100\t32\tkyn\t0\t12\tKyn\n1900\t2100\t0\tMB2\t0\t12\tMB2\n"
                   "1900\t2100\t0\test\t-2\t12\tLångfredagen\n1900\t2100\t59\tfix\t0\t12\tFix59\n"
                   "1600\t2100\t60\tfix\t0\t12\tFix60\n1900\t2100\t330\tsun\t0\t12\tAdvent\n"
                   "1900\t2100\t0\tfix\t0\t3\tRecord0\n"
                   // 2024: Easter Sunday 31 March (day 91). A leap year: a dayNo from 60 on names the day after.
                   "2024\t2024\t93\tMB1\t0\t12\tThreeAfter\n"     // 3 April: Easter week, to Easter Tuesday
                   "2024\t2024\t82\tMB1\t0\t12\tEightBefore\n"    // 23 March stays
                   "2024\t2024\t83\tMB1\t0\t12\tOnPalmSunday\n"   // 24 March: to the Saturday before, 23 March
                   "2024\t2024\t91\tfly\t0\t12\tOnMonday\n"       // the Monday on or before 1 April: Easter Monday
                   "2024\t2024\t70\tfly\t6\t12\tTwoWeeksBefore\n" // the Sunday after 11 March: 17 March
                   "2024\t2024\t94\tfly\t3\t12\tFourAfter\n");    // the Thursday on or before 4 April stays
    struct Case { int16_t year; const char* name; int day; };
    const Case cases[] = {
        {2015, "Wkd4", 177}, {2024, "Wkd4", 173}, {2024, "Wkd11", 180},  // 26 June 2015, 21 and 28 June 2024
        {2008, "Kyn", 27}, {2024, "Kyn", 35},                            // 27 January 2008, 4 February 2024
        {2011, "MB2", 86}, {2016, "MB2", 73}, {2024, "MB2", 77}, {2008, "MB2", 69},
        {1981, "MB2", 81}, {2009, "MB2", 81}, {2020, "MB2", 82},         // 22 March: 25 March a Wednesday
        {2024, "Långfredagen", 89},                                      // 29 March 2024
        {2023, "Fix59", 59}, {2024, "Fix59", 59}, {2023, "Fix60", 60}, {2024, "Fix60", 61},
        {1712, "Fix60", 62}, {1753, "Fix60", 49},  // after 30 February 1712; 1753 lacked 18-28 February
        // EightBefore replaced by the later row; OnMonday and TwoWeeksBefore both
        // moved to the Thursday after Easter and replaced there by the last row.
        {2024, "ThreeAfter", 93}, {2024, "OnPalmSunday", 83}, {2024, "EightBefore", -1}, {2024, "OnMonday", -1},
        {2024, "TwoWeeksBefore", -1}, {2024, "FourAfter", 95},
        {2024, "Advent", 336}, {2025, "Advent", 334},                    // 1 December 2024, 30 November 2025
    };
    for (const auto& c : cases) {
        loadYear(c.year);
        EXPECT_EQ(dayWith(c.name), c.day) << c.name << ' ' << c.year;
    }
    EXPECT_EQ(dayTable[59].color, 12);
    EXPECT_EQ(dayTable[0].dayText, "Record0");  // record 0 takes a target but is never shown
}

// The later row decides; rules outside their years or with a code in the wrong
// case do nothing; persons' ages and deaths; a "+" after a code adds the row's
// name to the day instead of replacing it, never hiding a red day nor the names.
TEST_F(YearData, TableOrderPersonsAndAddingRows) {
    buildWithRules(std::string(
        "2024\t2024\t10\tfix\t0\t12\tFirst\n2024\t2024\t10\tfix\t0\t1\tLast\n2025\t2100\t11\tfix\t0\t12\tNextYear\n"
        "2024\t2024\t13\tage\t1950\t2\tAstrid Lindgren\n2024\t2024\t13\tded\t0\t0\tOlof Palme\n"
        "2024\t2024\t14\tfix\t0\t12\tHoliday\n2024\t2024\t14\tage\t2020\t5\tBarn\n"
        "2024\t2024\t20\tfix\t0\t12\t Söndag\n2024\t2024\t20\tfix+\t0\t1\t Flaggdag\n"  // on red: after, red
        "2024\t2024\t21\tfix+\t0\t1\t Nobeldagen\n"        // on a name day: names kept, blue
        "2024\t2024\t22\tfix\t0\t12\t Jungfru Marie bebådelsedag\n"
        "2024\t2024\t22\tfix+\t0\t1\t Kronprinsessans namnsdag\n"  // too long beside it: left out
        "2024\t2024\t23\tfix+\t0\t2\t Tjugoförsta söndagen efter trefaldighet\n"  // too long: alone
        "2024\t2024\t0\test+\t0\t12\t Påskdagen\n"         // red onto red: joined, red
        "2024\t2024\t25\tfix+\t0\t2\t Eve\n2024\t2024\t25\tfix+\t0\t1\t Flag\n"  // both, the last colour
        "2024\t2024\t26\tfix+\t0\t2\tn26\n"               // a name the list carries: not twice
        "2024\t2024\t27\tfix+\t0\t1\t ") + std::string(38, 'x') + "\n");  // joined, exactly the 44 a line holds
    loadYear(2024);
    EXPECT_EQ(shown(27), "1n27 – " + std::string(38, 'x'));
    const Shown days[] = {
        {10, 1, "Last"}, {11, 0, "n11"}, {25, 1, "n25 – Eve – Flag"}, {26, 2, "n26"},
        {13, 2, "n13   Astrid Lindgren       74 år Olof Palme            död"},
        {14, 5, "Holiday   Barn                  04 år"},
        {20, 12, " Söndag – Flaggdag"}, {21, 1, "n21 – Nobeldagen"}, {22, 12, " Jungfru Marie bebådelsedag"},
        {23, 2, " Tjugoförsta söndagen efter trefaldighet"}, {91, 12, "n90 – Påskdagen"},  // 31 March, after 29 Feb
    };
    for (const Shown& e : days) EXPECT_EQ(shown(e.day), std::to_string(e.color) + e.text);
    // A code in the wrong case, or a person's code with a "+", is no code: the
    // builder refuses it, naming it, rather than leave a holiday out unseen.
    for (const char* row : {"2024\t2024\t12\tFix\t0\t12\tBad\n", "2024\t2024\t0\tmb2\t0\t12\tBad\n",
                            "2024\t2024\t24\tage+\t1950\t2\tBad\n"})
        EXPECT_NE(errorOf([&] { buildWithRules(row); }).find("okänd regelkod"), std::string::npos) << row;
}

// Prayer days in Sweden until 1983; the name lists change at MaxYear, which
// belongs to the next row (a list shorter than the year leaves the rest empty).
TEST_F(YearData, PrayerDaysAndNameListsByYear) {
    auto t = fixture::baseTables();
    t["BONDAG"] += "1983\t100\t150\t0\t-1\n1984\t100\t0\t0\t0\n1808\t100\t0\t0\t0\n1809\t100\t0\t0\t0\n";
    t["Rules"] += "1983\t1983\t100\tfix\t0\t1\tHelg\n";
    t["DayNameFiles"] = "Nation:int\tMaxYear:int\tDaynameFile\n0\t1983\tOld\n0\t32767\tNames\n1\t32767\tNames\n";
    t["Old"] = "dayname\nold1\nold2\n";
    build(t);
    const std::pair<int16_t, Shown> cases[] = {
        {1982, {2, 0, "old2"}}, {1982, {3, 0, ""}}, {1983, {2, 0, "n2"}}, {1984, {100, 0, "n99"}},
        {1983, {100, 12, "Helg   1. Böndagen"}}, {1983, {150, 12, "n150   2. Böndagen"}}, {1984, {101, 0, "n100"}},
    };
    for (const auto& [year, e] : cases) {
        loadYear(year);
        EXPECT_EQ(shown(e.day), std::to_string(e.color) + e.text) << year << " day " << e.day;
    }
    // Finland's almanacs carried them while it was Swedish, to 1808.
    for (int16_t y : {1808, 1809}) { loadYear(y, 1); EXPECT_EQ(shown(100).ends_with("1. Böndagen"), y == 1808) << y; }
}

// Bad data fails clearly and forces a reload; a nation without Easter keeps the
// rules that need none, and one without rows is the clear error.
TEST_F(YearData, BadDataAndNationsWithoutEaster) {
    const std::pair<const char*, const char*> bad[] = {{"2024\t2024\t400\tfix\t0\t12\tFar\n", "dagindex 401"},
        {"2024\t2024\t10\tfix\t0\t16\tColour\n", "färgen 16"}, {"2024\t2024\t10\tfix\t0\t-1\tColour\n", "färgen -1"}};
    for (const auto& [rows, why] : bad) {
        buildWithRules(rows);
        EXPECT_NE(errorOf([&] { loadYear(2024); }).find(why), std::string::npos) << rows;
        EXPECT_EQ(loadedYear, 0) << rows;
    }
    buildWithRules("1700\t1800\t0\test\t0\t12\tPåskdagen\n1700\t1800\t359\tfix\t0\t12\tJuldagen\n");
    loadYear(1751, 7);
    EXPECT_EQ(std::pair(dayWith("Påskdagen"), dayWith("Juldagen")), std::pair(-1, 359));
    EXPECT_THROW(loadYear(1752, 9), DataError);
}
