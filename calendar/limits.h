// The years the program shows and computes, each named by what it limits.
#pragma once

#include <cstdint>

namespace tovmir {

// The calendar arithmetic counts from 1 January of year 1: no earlier date is
// computed or accepted.
constexpr int16_t firstCountedYear = 1;
// The first year of the month view for the Nordic nations (codes below 5): the
// reference data begins there.
constexpr int16_t firstAlmanacYear = 1200;
// The first year the date field takes for the other codes; the month before it
// would need the year 0.
constexpr int16_t firstTypedYear = 2;
// The last year of the month view and of the date calculator's dates.
constexpr int16_t lastShownYear = 2100;
// The last year the date calculator turns the main window to.
constexpr int16_t lastTurnedYear = 2099;
// The last year that date 1 plus the years of a span may reach before the
// calculator refuses ("Väl långt fram i tiden"): the months may still carry it
// one year on, to lastTurnedYear.
constexpr int16_t lastSpanStartYear = 2098;

}  // namespace tovmir
