// The numeric reading rule, by which every typed field becomes a number. Property:
// readInt16 gives exactly readNumber's value rounded half to even whenever that
// fits 16 bits, and raises the overflow error otherwise; nothing else escapes.
// The fixed-width text it is read from keeps its length in characters.
#include <cmath>

#include "calendar/numbers.h"
#include "calendar/text.h"
#include "fuzz.h"

using namespace tovmir;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view in = fuzz::text(data, size);
    const double wide = readNumber(in);
    // Half to even, as the reading stores it, done here by hand: the value and its floor
    // decide, not the rounding mode of the library. Infinity and NaN stay not finite.
    const double f = std::floor(wide), frac = wide - f;
    const double rounded = frac > 0.5 ? f + 1 : frac < 0.5 ? f : (std::fmod(f, 2.0) == 0 ? f : f + 1);
    const bool fits = std::isfinite(rounded) && rounded >= -32768.0 && rounded <= 32767.0;
    try {
        const int16_t v = readInt16(in);
        fuzz::require(fits, "readInt16 returned a value that does not fit 16 bits");
        fuzz::require(v == static_cast<int16_t>(rounded), "readInt16 differs from readNumber rounded half to even");
    } catch (const ArithmeticOverflow&) {
        fuzz::require(!fits, "readInt16 raised overflow for a value that fits");
    }
    for (std::size_t width : {std::size_t{0}, std::size_t{4}, std::size_t{7}, std::size_t{60}})
        fuzz::require(textLength(fixedText(in, width)) == width, "fixedText lost its width");
    return 0;
}
