// Speed of the reference-data loaders on the real Const.mdb of build/run/. Every
// loader call opens the encrypted database anew, so these time the open (key
// derivation included) as much as the reading.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "calendar/daynumber.h"
#include "calendar/state.h"
#include "refdata/nationsettings.h"
#include "refdata/yeardata.h"

namespace {

using namespace tovmir;

void setUp2024() {
    std::filesystem::current_path(TOVMIR_RUN_DIR);
    nation = 0;
    curYear = 2024;
    latinNames = false;
    yearDayZero = dateToDayNumber(2024, 1, 1, 0) - 1;
}

void BM_LoadMonthNames(benchmark::State& state) {
    setUp2024();
    for (auto _ : state) {
        loadMonthNames();
        benchmark::DoNotOptimize(monthNames[12].data());
    }
}
BENCHMARK(BM_LoadMonthNames)->Unit(benchmark::kMicrosecond);

void BM_LoadYearData(benchmark::State& state) {
    setUp2024();
    loadNationSettings();
    for (auto _ : state) {
        loadedYear = curYear;
        loadYearData();
        benchmark::DoNotOptimize(dayTable[366].dayText.data());
    }
}
BENCHMARK(BM_LoadYearData)->Unit(benchmark::kMicrosecond);

}  // namespace
