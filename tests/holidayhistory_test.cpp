// The holidays of the shipped data before the church laws of 1686 and in Finland
// before 1900, and the prayer days, against independently known dates.
#include "shipped_data.h"

using shipped::day;

namespace {
class HolidayHistory : public shipped::Test {};
}  // namespace
