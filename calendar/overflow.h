// The system's one error of its own and the checked narrowing into the 16-bit
// and 32-bit widths that every value of the calendar is kept in.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tovmir {

// The system's only error of its own. It is raised where a value leaves the width
// it is kept in (years, months, days, nations, indexes and coordinates in 16 bits,
// day numbers in 32 bits), never after a silent wrap-around. The calendar and the
// reference data do not catch it; it passes to the event handler that started the
// work, which reports it and keeps the program running.
struct ArithmeticOverflow : std::overflow_error {
    explicit ArithmeticOverflow(const std::string& what);
};

// The limits of the two widths, named once.
constexpr int64_t min16 = INT16_MIN, max16 = INT16_MAX;
constexpr int64_t min32 = INT32_MIN, max32 = INT32_MAX;

// Narrow a wide intermediate into 16 or 32 bits. Callers form sums and products in
// 64 bits, where none of the system's formulas can wrap, and narrow once here.
[[noreturn]] void raiseOverflow(int64_t value, int bits);
inline int16_t to16(int64_t v) {
    if (v < min16 || v > max16) raiseOverflow(v, 16);
    return static_cast<int16_t>(v);
}
inline int32_t to32(int64_t v) {
    if (v < min32 || v > max32) raiseOverflow(v, 32);
    return static_cast<int32_t>(v);
}

// Round a real number to 16 bits, halves to the even neighbour (2.5 gives 2,
// 3.5 gives 4, -0.5 gives 0), the way every number typed or stored ends up in a
// 16-bit value. Rounding comes first, so 32767.4 fits and 32767.5 (which rounds
// to 32768) does not. NaN and infinities never fit.
int16_t roundTo16(double v);

}  // namespace tovmir
