#include "overflow.h"

#include <cmath>

namespace tovmir {

ArithmeticOverflow::ArithmeticOverflow(const std::string& what) : std::overflow_error(what) {}

void raiseOverflow(int64_t value, int bits) {
    throw ArithmeticOverflow("aritmetiskt spill: " + std::to_string(value) + " ryms inte i " +
                             std::to_string(bits) + " bitar");
}

int16_t roundTo16(double v) {
    // nearbyint rounds halves to even under the default rounding mode, which the
    // program never changes. The range test is on the rounded value.
    if (std::isnan(v)) throw ArithmeticOverflow("aritmetiskt spill: talet saknar värde");
    const double r = std::nearbyint(v);
    if (!(r >= static_cast<double>(min16) && r <= static_cast<double>(max16)))
        throw ArithmeticOverflow("aritmetiskt spill: talet ryms inte i 16 bitar");
    return static_cast<int16_t>(r);
}

}  // namespace tovmir
