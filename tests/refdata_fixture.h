// Small reference databases for the tests, built by the same builder as Const.mdb
// from tables written out in the test, in a scratch folder that becomes the
// working folder (where the loaders look for Const.mdb).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "calendar/daynumber.h"
#include "calendar/overflow.h"
#include "calendar/state.h"
#include "refdata/nationsettings.h"
#include "refdata/windowops.h"
#include "refdata/yeardata.h"
#include "tools/dbbuilder.h"

namespace fixture {

// A name-day list whose row k holds "nk", so every day shows where its row went.
inline std::string numberedNames() {
    std::string t = "dayname\n";
    for (int k = 1; k <= 365; ++k) t.append("n").append(std::to_string(k)).append("\n");
    return t;
}

// Sweden (0) with Swedish texts; the other codes 1 to 8 with English ones, so a
// test sees whose row was read.
inline std::map<std::string, std::string> baseTables() {
    std::map<std::string, std::string> t = {
        {"Titles", "Nation:int\tFlag\tTitle\tlpDChg:int\tleapDayName\tweekNoChg:int\n"
                   "0\tflag.xpm\tSverige\t2000\tSkottdagen\t1972\n"},
        {"Weekdays", "Nation:int\tMon\tTue\tWen\tThu\tFri\tSat\tSun\n"
                     "0\tMån\tTi\tOn\tTo\tFr\tLö\tS\n"},
        {"MonthNames", "Nation:int\tchgYr:int\tjan\tfeb\tmar\tapr\tmai\tjun\tjul\taug\tsep\tOct\tnov\tdec\n"
                       "0\t32767\tJanuari\tFebruari\tMars\tApril\tMaj\tJuni\tJuli\tAugusti\tSeptember\tOktober\tNovember\tDecember\n"},
        {"DayNameFiles", "Nation:int\tMaxYear:int\tDaynameFile\n0\t32767\tNames\n"},
        {"Names", numberedNames()},
        {"HolidayFiles", "Nation:int\tHolidayFile\n0\tRules\n0\tRulesLatin\n"},
        {"Rules", "begYr:int\tendYr:int\tdayNo:int\trule\tparam:num\tcolor:int\tdagNamn\n"},
        {"RulesLatin", "begYr:int\tendYr:int\tdayNo:int\trule\tparam:num\tcolor:int\tdagNamn\n"},
        {"BONDAG", "bonyr:int\tbon1:int\tbon2:int\tbon3:int\tbon4:int\n"},
    };
    for (int n = 1; n <= 8; ++n) {
        const std::string code = std::to_string(n);
        t["Titles"] += code + "\tflag.xpm\tNation " + code + "\t1753\tLeap day\t1753\n";
        t["Weekdays"] += code + "\tMo\tTu\tWe\tTh\tFr\tSa\tSu\n";
        t["MonthNames"] += code + "\t32767\tJanuary\tFebruary\tMarch\tApril\tMay\tJune\tJuly\tAugust\tSeptember\tOctober\tNovember\tDecember\n";
        t["DayNameFiles"] += code + "\t32767\tNames\n";
        t["HolidayFiles"] += code + "\tRules\n" + code + "\tRules\n";
    }
    return t;
}

// A scratch working folder with a Const.mdb of the given tables; the previous
// working folder comes back when the test ends.
class WorkingFolder : public ::testing::Test {
protected:
    std::filesystem::path saved, dir;
    void SetUp() override {
        saved = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() /
              ("tovmir-test-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        // A real one-pixel picture, so a window can show it too.
        std::ofstream("flag.xpm") << "/* XPM */\nstatic const char* f[] = {\"1 1 1 1\", \"a c #0000FF\", \"a\"};\n";
        tovmir::resetCalendarState();
        tovmir::installMainWindowOps({});
    }
    void TearDown() override {
        std::filesystem::current_path(saved);
        std::filesystem::remove_all(dir);
    }
    void build(const std::map<std::string, std::string>& tables) {
        std::vector<tovmir::builder::Table> parsed;
        for (const auto& [name, text] : tables) parsed.push_back(tovmir::builder::parseTable(text, name + ".tsv"));
        tovmir::builder::writeDatabase(parsed, "Const.mdb");
    }
    // The base tables with the ordinary rule table replaced by these rows.
    void buildWithRules(const std::string& rows) {
        auto t = baseTables();
        t["Rules"] += rows;
        build(t);
    }
    // Loads a year as the view driver does.
    void loadYear(int16_t year, int16_t nation = 0) {
        tovmir::nation = nation;
        tovmir::curYear = year;
        tovmir::loadNationSettings();
        tovmir::yearDayZero = tovmir::dateToDayNumber(year, 1, 1, nation) - 1;
        tovmir::loadedYear = year;
        tovmir::loadYearData();
    }
    // The first day of the loaded year whose text is exactly text, or -1.
    static int dayWith(const std::string& text) {
        for (int i = 1; i < tovmir::dayTableSize; ++i)
            if (tovmir::dayTable[i].dayText == text) return i;
        return -1;
    }
};

}  // namespace fixture
