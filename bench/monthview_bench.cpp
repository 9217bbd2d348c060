// Speed of redrawing the month view on the real Const.mdb: a step to the next
// month within a loaded year only reprints (and reloads the month names); a step
// to the next year loads that year's data as well.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "calendar/overflow.h"
#include "calendar/state.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "refdata/nationsettings.h"

namespace {

using namespace tovmir;

void startAt(int16_t year) {
    std::filesystem::current_path(TOVMIR_RUN_DIR);
    nation = 0;
    latinNames = false;
    curYear = year;
    curMonth = 1;
    loadedYear = 0;
    loadNationSettings();
}

void show(int16_t year, int16_t month) {
    curMonth = month;
    writeDateField(dateFieldText(year, month));
    showCalendar();
}

void BM_MonthStep(benchmark::State& state) {
    startAt(2024);
    int16_t month = 1;
    show(2024, month);
    for (auto _ : state) {
        month = month == 12 ? 1 : month + 1;
        show(2024, month);
        benchmark::DoNotOptimize(displayList.data());
    }
}
BENCHMARK(BM_MonthStep)->Unit(benchmark::kMicrosecond);

void BM_YearStep(benchmark::State& state) {
    startAt(1900);
    int16_t year = 1900;
    show(year, 5);
    for (auto _ : state) {
        year = year == 2100 ? 1900 : year + 1;
        show(year, 5);
        benchmark::DoNotOptimize(displayList.data());
    }
}
BENCHMARK(BM_YearStep)->Unit(benchmark::kMicrosecond);

}  // namespace
