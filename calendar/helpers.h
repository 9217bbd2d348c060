// Shared helpers of the whole system: the one arithmetic overflow error, the
// checked narrowing into the 16-bit and 32-bit widths, the numeric reading rule
// by which every text field becomes a number, and the text formats that the
// listing, the date field and the calculator print.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

// The numeric reading rule, as for a text typed into a field. Blanks, tabs and
// line feeds are skipped wherever they stand ("1 7 5 3" reads 1753); then an
// optional sign, decimal digits with at most one decimal point and an optional
// exponent (E or e, optional sign, digits); or "&H" / "&O" (either case) and a
// hexadecimal or octal whole number. Reading stops at the first character that
// cannot continue the number, so "2024-05" reads 2024 and "12abc" reads 12; a
// text without a number reads 0. An exponent with no digits is not part of the
// number ("5e" reads 5). Hex and octal digits are taken as a plain non-negative
// value: "&HFFFF" is 65535, which does not fit 16 bits. A number too large for a
// double reads as infinity, which no width accepts.
double readNumber(std::string_view text);

// readNumber stored into 16 bits: rounded halves to even, overflow raised.
int16_t readInt16(std::string_view text);

// Sign-place text: a blank before a number of 0 or more, a minus before a negative
// one, no leading zeros (3 gives " 3", -3 gives "-3"). Used in database criteria,
// the year label, the other calendar's month in the listing and the calculator's
// results.
std::string signPlace(int64_t v);

// Digit patterns. "0#" pads to at least two digits, "0###" and "000#" to at least
// four; "####" has no required place at all, so like its model it writes nothing
// for 0. A negative number keeps its minus sign before the padding (-5 in "0#"
// gives "-05").
std::string digits(int64_t v, int minDigits);
inline std::string format0x(int64_t v) { return digits(v, 2); }      // "0#"
inline std::string format000x(int64_t v) { return digits(v, 4); }    // "000#" and "0###"
inline std::string formatHashes(int64_t v) { return digits(v, 0); }  // "####"

// Fixed text of length L: the first L characters, left-aligned, a shorter value
// filled with blanks on the right. Characters, not bytes: text is UTF-8 inside the
// system, and "Må" is two characters (three bytes). A byte that does not start a
// valid UTF-8 sequence counts as one character, so no input loses its length.
std::string fixedText(std::string_view s, std::size_t length);

// Number of characters (UTF-8 code points, by the rule of fixedText) in s.
std::size_t textLength(std::string_view s);

// The last n characters of s, by the rule of fixedText (the whole text when it is
// shorter).
std::string lastCharacters(std::string_view s, std::size_t n);

// Length in bytes of the well-formed UTF-8 sequence that starts at s[i], or 0 when
// none starts there (a stray continuation byte, a lead byte without its
// continuations, a byte that never begins one). The one place that knows the
// encoding's shape: the text rules above count a 0 as one character, the data
// builder refuses it.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i);

// The notes files are single-byte text in the Windows-1252 code page; inside the
// system text is UTF-8. The five byte values the code page leaves unassigned read
// as U+FFFD. The way back refuses (std::invalid_argument, naming the character) a
// character the code page lacks and a byte that is not UTF-8, so no note is
// written with a letter silently changed.
std::string windows1252ToUtf8(std::string_view text);
std::string utf8ToWindows1252(std::string_view text);

}  // namespace tovmir
