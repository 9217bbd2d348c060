// The name-day lists of every nation and era in the shipped data, spot-checked
// against the published lists on days without a holiday.
#include "shipped_data.h"

using shipped::day;

namespace {
class NameDays : public shipped::Test {};
}  // namespace
