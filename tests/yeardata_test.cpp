#include "refdata/yeardata.h"

#include "calendar/feasts.h"
#include "refdata_fixture.h"

using namespace tovmir;

namespace {
class NationSettings : public fixture::WorkingFolder {};
class YearData : public fixture::WorkingFolder {};
}  // namespace

TEST_F(NationSettings, FixedTextsAndTheWindowsSettings) {
    auto t = fixture::baseTables();
    t["MonthNames"] =
        "Nation:int\tchgYr:int\tjan\tfeb\tmar\tapr\tmai\tjun\tjul\taug\tsep\tOct\tnov\tdec\n"
        "0\t1900\tJanuarius\tFebruarius\tMartius\tAprilis\tMajus\tJunius\tJulius\tAugustus\tSeptembris\tOctobris\tNovembris\tDecembris\n"
        "1\t32767\tJanuary\tFebruary\tMarch\tApril\tMay\tJune\tJuly\tAugust\tSeptember\tOctober\tNovember\tDecember\n";
    build(t);
    std::string caption, flag;
    installMainWindowOps({[&](const std::string& f) { flag = f; }, [&](const std::string& c) { caption = c; }});
    EXPECT_EQ(nationCriterion(), "Nation =  0");
    nation = 0;
    curYear = 1900;  // chgYr equal to the year: still the first row
    loadNationSettings();
    EXPECT_EQ(caption, "Sverige");
    EXPECT_EQ(flag, "flag.xpm");
    EXPECT_EQ(lpDChg, 2000);
    EXPECT_EQ(weekNoChg, 1972);
    EXPECT_EQ(leapDayName, "Skottdagen        ");  // 10 characters and 8 blanks
    EXPECT_EQ(weekdayNames[0], "Må");                // cut to two characters
    EXPECT_EQ(weekdayNames[6], "S ");                // filled with a blank
    EXPECT_EQ(monthNames[9], "Septembris ");
    EXPECT_EQ(monthNames[12], "Decembris  ");
    curYear = 1901;  // past chgYr: the row stored next, although it is another nation's
    loadMonthNames();
    EXPECT_EQ(monthNames[5], "May        ");

    nation = 10;  // no rows: the settings stay, the month names are an error
    EXPECT_EQ(nationCriterion(), "Nation =  10");
    EXPECT_THROW(loadNationSettings(), DataError);
    EXPECT_EQ(caption, "Sverige");
    EXPECT_EQ(weekdayNames[0], "Må");
    nation = -1;
    EXPECT_EQ(nationCriterion(), "Nation = -1");
}

TEST_F(NationSettings, ABadRowChangesNothing) {
    auto t = fixture::baseTables();
    t["Titles"] += "9\tother.xpm\tNio\t\tLeap\t1972\n";  // lpDChg empty: NULL
    build(t);
    std::string caption, flag;
    installMainWindowOps({[&](const std::string& f) { flag = f; }, [&](const std::string& c) { caption = c; }});
    nation = 0;
    loadNationSettings();
    nation = 9;
    EXPECT_THROW(loadNationSettings(), DataError);
    EXPECT_EQ(caption, "Sverige");  // neither the caption nor the flag of the bad row
    EXPECT_EQ(flag, "flag.xpm");
    EXPECT_EQ(lpDChg, 2000);
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
    const char* const leap = "Skottdagen        ";  // 10 characters and 8 blanks
    const Case cases[] = {
        {2000, 2023, 60, "n60"},  {2000, 2004, 59, "n59"}, {2000, 2004, 60, leap}, {2000, 2004, 61, "n60"},
        {2000, 2004, 366, "n365"}, {2000, 2000, 55, "n55"}, {2000, 2000, 59, "n59"}, {2000, 2000, 60, leap},
        {2000, 2000, 61, "n60"},  {2000, 1996, 54, "n54"}, {2000, 1996, 55, leap},  {2000, 1996, 56, "n55"},
        {2000, 1996, 60, "n59"},  {1990, 1996, 55, "n55"}, {1990, 1996, 60, leap},  {1990, 1996, 61, "n60"},
        {1990, 1988, 55, leap},   {1990, 1988, 60, "n59"},
        // Sweden's 1712 with 367 days: the names of 24-28 February moved on to
        // 29 February, 30 February empty, 1 March keeping its name.
        {1990, 1712, 55, leap},   {1990, 1712, 60, "n59"}, {1990, 1712, 61, ""},   {1990, 1712, 62, "n60"},
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
        if (c.text == leap) EXPECT_EQ(dayTable[c.day].color, 9) << c.year;
    }
    EXPECT_EQ(leapShift, 2);
}

TEST_F(YearData, RuleCodesLandOnThePublishedDays) {
    // Each rule's name is unique, so the day it lands on is found by its text.
    buildWithRules(
        "1900\t2100\t170\twkd\t4\t12\tWkd4\n"        // the first Friday after 19 June
        "1900\t2100\t170\twkd\t11\t12\tWkd11\n"      // the second Friday after
        "1900\t2100\t32\tkyn\t0\t12\tKyn\n"          // Kyndelsmässodagen
        "1900\t2100\t0\tMB2\t0\t12\tMB2\n"           // Jungfru Marie bebådelsedag
        "1900\t2100\t0\test\t-2\t12\tLångfredagen\n"
        "1900\t2100\t59\tfix\t0\t12\tFix59\n"
        "1900\t2100\t60\tfix\t0\t12\tFix60\n"
        "1900\t2100\t330\tsun\t0\t12\tAdvent\n"
        "1900\t2100\t0\tfix\t0\t3\tRecord0\n");
    struct Case { int16_t year; const char* name; int day; };
    const Case cases[] = {
        {2015, "Wkd4", 177},  {2024, "Wkd4", 173},  {2024, "Wkd11", 180}, // 26 June 2015, 21 and 28 June 2024
        {2008, "Kyn", 27},    {2024, "Kyn", 35},                          // 27 January 2008, 4 February 2024
        {2011, "MB2", 86},    {2016, "MB2", 73},    {2024, "MB2", 77},    {2008, "MB2", 69},
        {1981, "MB2", 81},    {2009, "MB2", 81},    {2020, "MB2", 82},    // 22 March: 25 March a Wednesday
        {2024, "Långfredagen", 89},                                       // 29 March 2024
        {2023, "Fix59", 59},  {2024, "Fix59", 59},  {2023, "Fix60", 60},  {2024, "Fix60", 61},
        {2024, "Advent", 336}, {2025, "Advent", 334},                     // 1 December 2024, 30 November 2025
    };
    for (const auto& c : cases) {
        loadYear(c.year);
        EXPECT_EQ(dayWith(c.name), c.day) << c.name << ' ' << c.year;
    }
    loadYear(2024);
    EXPECT_EQ(dayTable[59].color, 12);
    EXPECT_EQ(dayTable[0].dayText, "Record0");  // record 0 takes a target but is never shown

    buildWithRules("1600\t1800\t60\tfix\t0\t12\tFix60\n");
    loadYear(1712);
    EXPECT_EQ(dayWith("Fix60"), 62);
    loadYear(1753);
    EXPECT_EQ(dayWith("Fix60"), 49);
}

TEST_F(YearData, MovedFeastsKeepOffEaster) {
    // 2024: Easter Sunday 31 March (day 91). A leap year: a dayNo from 60 on names
    // the day after its index.
    buildWithRules(
        "2024\t2024\t93\tMB1\t0\t12\tThreeAfter\n"     // 3 April: Easter week, to Easter Tuesday
        "2024\t2024\t82\tMB1\t0\t12\tEightBefore\n"    // 23 March stays
        "2024\t2024\t83\tMB1\t0\t12\tOnPalmSunday\n"   // 24 March: to the Saturday before, 23 March
        "2024\t2024\t91\tfly\t0\t12\tOnMonday\n"       // the Monday on or before 1 April: Easter Monday
        "2024\t2024\t70\tfly\t6\t12\tTwoWeeksBefore\n" // the Sunday after 11 March: 17 March
        "2024\t2024\t94\tfly\t3\t12\tFourAfter\n");    // the Thursday on or before 4 April stays
    loadYear(2024);
    EXPECT_EQ(easterDay, 91);
    EXPECT_EQ(dayWith("ThreeAfter"), 93);
    EXPECT_EQ(dayTable[83].dayText, "OnPalmSunday");  // the later row replaced EightBefore
    EXPECT_EQ(dayWith("EightBefore"), -1);
    EXPECT_EQ(dayWith("OnMonday"), -1);  // both moved to the Thursday after Easter and
    EXPECT_EQ(dayWith("TwoWeeksBefore"), -1);  // were replaced there by the last row
    EXPECT_EQ(dayWith("FourAfter"), 95);
}

TEST_F(YearData, TableOrderYearsCodesAndPersons) {
    buildWithRules(
        "2024\t2024\t10\tfix\t0\t12\tFirst\n"
        "2024\t2024\t10\tfix\t0\t1\tLast\n"          // the later row decides
        "2025\t2100\t11\tfix\t0\t12\tNextYear\n"
        "2024\t2024\t12\tFix\t0\t12\tCapitalF\n"     // codes keep their capitals
        "2024\t2024\t0\tmb2\t0\t12\tLowerMB2\n"
        "2024\t2024\t13\tage\t1950\t2\tAstrid Lindgren\n"
        "2024\t2024\t13\tded\t0\t0\tOlof Palme\n"
        "2024\t2024\t14\tfix\t0\t12\tHoliday\n"
        "2024\t2024\t14\tage\t2020\t5\tBarn\n");
    loadYear(2024);
    EXPECT_EQ(dayTable[10].dayText, "Last");
    EXPECT_EQ(dayTable[10].color, 1);
    EXPECT_EQ(dayWith("NextYear"), -1);
    EXPECT_EQ(dayWith("CapitalF"), -1);
    EXPECT_EQ(dayWith("LowerMB2"), -1);
    EXPECT_EQ(dayTable[13].dayText,
              "n13   Astrid Lindgren       74 år Olof Palme            död");
    EXPECT_EQ(dayTable[13].color, 2);
    EXPECT_EQ(dayTable[14].dayText, "Holiday   Barn                  04 år");
    EXPECT_EQ(dayTable[14].color, 5);
}

TEST_F(YearData, AddingRowsNeverHideARedDayNorTheNames) {
    // A "+" after a code adds the row's name to the day instead of replacing it.
    buildWithRules(
        "2024\t2024\t20\tfix\t0\t12\t Söndag\n"
        "2024\t2024\t20\tfix+\t0\t1\t Flaggdag\n"          // on a red day: after it, still red
        "2024\t2024\t21\tfix+\t0\t1\t Nobeldagen\n"        // on a name day: names kept, blue
        "2024\t2024\t22\tfix\t0\t12\t Jungfru Marie bebådelsedag\n"
        "2024\t2024\t22\tfix+\t0\t1\t Kronprinsessans namnsdag\n"  // too long beside it: left out
        "2024\t2024\t23\tfix+\t0\t2\t Tjugoförsta söndagen efter trefaldighet\n"  // too long: alone
        "2024\t2024\t0\test+\t0\t12\t Påskdagen\n"         // red onto red: joined, red
        "2024\t2024\t24\tage+\t1950\t2\tNot a code\n"
        "2024\t2024\t25\tfix+\t0\t2\t Eve\n"
        "2024\t2024\t25\tfix+\t0\t1\t Flag\n"             // two adding rows: both, the last colour
        "2024\t2024\t26\tfix+\t0\t2\tn26\n");              // a name the list carries: not twice
    loadYear(2024);
    struct Shown { int day; const char* text; int16_t color; };
    for (const Shown& e : {Shown{20, " Söndag – Flaggdag", 12}, {21, "n21 – Nobeldagen", 1},
                           {22, " Jungfru Marie bebådelsedag", 12}, {23, " Tjugoförsta söndagen efter trefaldighet", 2},
                           {91, "n90 – Påskdagen", 12},  // 31 March 2024, after the leap day
                           {24, "n24", 0}, {25, "n25 – Eve – Flag", 1}, {26, "n26", 2}}) {
        EXPECT_EQ(dayTable[e.day].dayText, e.text) << e.day;
        EXPECT_EQ(dayTable[e.day].color, e.color) << e.day;
    }
}

TEST_F(YearData, PrayerDaysInSwedenUntil1983) {
    auto t = fixture::baseTables();
    t["BONDAG"] += "1983\t100\t150\t0\t-1\n1984\t100\t0\t0\t0\n";
    t["Rules"] += "1983\t1983\t100\tfix\t0\t1\tHelg\n";
    build(t);
    loadYear(1983);
    EXPECT_EQ(dayTable[100].dayText, "Helg   1. Böndagen");
    EXPECT_EQ(dayTable[100].color, 12);
    EXPECT_EQ(dayTable[150].dayText, "n150   2. Böndagen");
    loadYear(1984);
    EXPECT_EQ(dayTable[101].dayText, "n100");
    EXPECT_EQ(dayTable[100].color, 0);
}

TEST_F(YearData, DayNameListsChangeAtMaxYear) {
    auto t = fixture::baseTables();
    t["DayNameFiles"] = "Nation:int\tMaxYear:int\tDaynameFile\n0\t2001\tOld\n0\t32767\tNames\n";
    t["Old"] = "dayname\nold1\nold2\n";  // shorter than the year: the rest stays empty
    build(t);
    loadYear(2000);
    EXPECT_EQ(dayTable[2].dayText, "old2");
    EXPECT_EQ(dayTable[3].dayText, "");
    loadYear(2001);  // MaxYear itself belongs to the next row
    EXPECT_EQ(dayTable[2].dayText, "n2");
}

TEST_F(YearData, BadDataFailsClearlyAndForcesAReload) {
    struct Case { const char* rows; const char* why; };
    const Case cases[] = {
        {"2024\t2024\t400\tfix\t0\t12\tFar\n", "dagindex 401"},
        {"2024\t2024\t10\tfix\t0\t16\tColour\n", "färgen 16"},
        {"2024\t2024\t10\tfix\t0\t-1\tColour\n", "färgen -1"},
    };
    for (const auto& c : cases) {
        buildWithRules(c.rows);
        std::string what = "no error";
        try { loadYear(2024); } catch (const std::exception& e) { what = e.what(); }
        EXPECT_NE(what.find(c.why), std::string::npos) << what;
        EXPECT_EQ(loadedYear, 0) << c.rows;
    }
}

TEST_F(YearData, ANationWithoutEasterKeepsTheRulesThatNeedNone) {
    buildWithRules("1700\t1800\t0\test\t0\t12\tPåskdagen\n1700\t1800\t359\tfix\t0\t12\tJuldagen\n");
    loadYear(1751, 7);
    EXPECT_EQ(dayWith("Påskdagen"), -1);
    EXPECT_EQ(dayWith("Juldagen"), 359);
    // No rows at all: the clear error.
    EXPECT_THROW(loadYear(1752, 9), DataError);
}
