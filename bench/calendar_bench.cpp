// Speed of the day-number conversions, which every listed day, week number and
// holiday goes through. Run: build/bench/tovmir-bench --benchmark_repetitions=5
// --benchmark_report_aggregates_only=true and read the median.
#include <benchmark/benchmark.h>

#include "calendar/daynumber.h"
#include "calendar/state.h"

namespace {

using namespace tovmir;

// Every day of 1200 to 2100 for the nation codes 0 to 9, date to day number and
// back. The dates are listed once beforehand (in nation 9's Gregorian calendar, by
// stepping day numbers) so that the loop times the conversions, not the listing.
void BM_RoundTrip(benchmark::State& state) {
    struct Date { int16_t y, m, d; };
    std::vector<Date> dates;
    for (int32_t j = dateToDayNumber(1200, 1, 1, 9), end = dateToDayNumber(2100, 12, 31, 9); j <= end; ++j) {
        dayNumberToDate(j, 9);
        dates.push_back({calYear, calMonth, calDay});
    }
    int64_t conversions = 0;
    for (auto _ : state) {
        for (int16_t n = 0; n <= 9; ++n) {
            for (const Date& d : dates) {
                const int32_t j = dateToDayNumber(d.y, d.m, d.d, n);
                dayNumberToDate(j, n);
                benchmark::DoNotOptimize(calDay);
            }
        }
        conversions += 2 * 10 * static_cast<int64_t>(dates.size());
    }
    // Time per single conversion (one of the two directions).
    state.counters["per_conversion"] =
        benchmark::Counter(static_cast<double>(conversions), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
