// The shipped reference data (build/run/Const.mdb) read as the month view reads
// it, one day at a time, for the tests that check it against published facts.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "calendar/daynumber.h"
#include "calendar/state.h"
#include "refdata/nationsettings.h"
#include "refdata/yeardata.h"

namespace shipped {

// Loads the year of the nation, reading the nation's settings only when they change.
inline void load(int16_t forNation, int16_t year, bool latin) {
    using namespace tovmir;
    if (nation == forNation && loadedYear == year && latinNames == latin) return;
    curYear = year;
    if (nation != forNation || latinNames != latin || loadedYear == 0) {
        nation = forNation;
        latinNames = latin;
        loadNationSettings();
    }
    yearDayZero = dateToDayNumber(year, 1, 1, forNation) - 1;
    loadedYear = year;
    loadYearData();
}

// The day's colour and text as the month view shows it, e.g. "12 Juldagen".
inline std::string day(int16_t forNation, int16_t y, int16_t m, int16_t d, bool latin = false) {
    using namespace tovmir;
    load(forNation, y, latin);
    const auto& e = dayTableAt(dateToDayNumber(y, m, d, forNation) - yearDayZero);
    return std::to_string(e.color) + e.dayText;
}

// The day's colour alone, for days whose text depends on the name list of the era.
inline int colour(int16_t forNation, int16_t y, int16_t m, int16_t d, bool latin = false) {
    return std::stoi(day(forNation, y, m, d, latin));
}

// Each test starts in the folder of the shipped Const.mdb with a fresh state.
class Test : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::current_path(TOVMIR_RUN_DIR);
        tovmir::resetCalendarState();
    }
};

}  // namespace shipped
