#include "state.h"

#include <stdexcept>

namespace tovmir {

int16_t curYear = 0;
int16_t curMonth = 0;
int16_t altDay = 0;
int16_t calYear = 0, calMonth = 0, calDay = 0;
int16_t loadedYear = 0;
int16_t nation = 0;
bool latinNames = false;
int16_t weekNoChg = 0;
int16_t lpDChg = 0;
std::string leapDayName;
std::array<std::string, 8> weekdayNames;
std::array<std::string, 13> monthNames;
int32_t yearDayZero = 0;
int32_t monthStartDay = 0;
int16_t monthOffset = 0;
std::array<DayRecord, dayTableSize> dayTable;
int32_t markedDay = 0;

DayRecord& dayTableAt(int64_t index) {
    if (index < 0 || index >= dayTableSize)
        throw std::out_of_range("dagindex " + std::to_string(index) + " ligger utanför årets dagar (0 till " +
                                std::to_string(dayTableSize - 1) + ")");
    return dayTable[static_cast<std::size_t>(index)];
}

void resetCalendarState() {
    curYear = curMonth = altDay = 0;
    calYear = calMonth = calDay = 0;
    loadedYear = nation = weekNoChg = lpDChg = 0;
    latinNames = false;
    leapDayName.clear();
    weekdayNames.fill({});
    monthNames.fill({});
    yearDayZero = monthStartDay = 0;
    monthOffset = 0;
    dayTable.fill({});
    markedDay = 0;
}

}  // namespace tovmir
