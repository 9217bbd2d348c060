// The numeric reading rule by which every text field becomes a number, and the
// number formats that the listing, the date field and the calculator print.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "overflow.h"

namespace tovmir {

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

}  // namespace tovmir
