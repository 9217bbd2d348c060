#include "calendar/numbers.h"
#include "calendar/overflow.h"
#include "calendar/text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovmir;

TEST(NumericReading, OddInputsReadAsTheFieldRuleSays) {
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"", 0},          {"abc", 0},        {"2024-05", 2024},   {"1 7 5 3", 1753},
        {"\t\n 12", 12},  {"-4", -4},        {"+ 7", 7},          {"- 1 2", -12},
        {"12abc", 12},    {"3.25", 3.25},    {"1.2.3", 1.2},      {".5", 0.5},
        {"2e3", 2000},    {"2E+2", 200},     {"25e-1", 2.5},      {"5e", 5},
        {"5e+", 5},       {"1 e 2", 100},    {"&H10", 16},        {"&hff", 255},
        {"&O17", 15},     {"&o 1 7", 15},    {"&H", 0},           {"&X1", 0},
        {"&HFFFF", 65535}, {"-", 0},         {".", 0},            {"--5", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(readNumber(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(readNumber("1e999")));
}

TEST(NumericReading, StoresIn16BitsWithHalvesToEven) {
    struct Case { const char* text; int16_t value; };
    const Case cases[] = {
        {"2.5", 2},       {"3.5", 4},       {"-0.5", 0},        {"-1.5", -2},      {"0.49", 0},
        {"32767", 32767}, {"32767.4", 32767}, {"-32768", -32768}, {"-32768.5", -32768},
        {"2024-05", 2024}, {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(readInt16(c.text), c.value) << '"' << c.text << '"';
    for (const char* text : {"32767.5", "32768", "-32769", "&HFFFF", "&H8000", "1e999", "-1e5", "99999999999999999999"})
        EXPECT_THROW(readInt16(text), ArithmeticOverflow) << '"' << text << '"';
}

TEST(Narrowing, EveryWidthEdgeRaisesTheOverflowError) {
    EXPECT_EQ(to16(32767), 32767);
    EXPECT_EQ(to16(-32768), -32768);
    EXPECT_THROW(to16(32768), ArithmeticOverflow);
    EXPECT_THROW(to16(-32769), ArithmeticOverflow);
    EXPECT_EQ(to32(INT32_MAX), INT32_MAX);
    EXPECT_THROW(to32(int64_t{INT32_MAX} + 1), ArithmeticOverflow);
    EXPECT_THROW(to32(int64_t{INT32_MIN} - 1), ArithmeticOverflow);
    EXPECT_THROW(roundTo16(std::nan("")), ArithmeticOverflow);
    // The error is a std::overflow_error, so a handler that knows only the standard
    // hierarchy still catches it.
    EXPECT_THROW(to16(1 << 20), std::overflow_error);
}

// The digit patterns at their edges: a sign before the padding, no digits for
// zero without a minimum, and the most negative value.
TEST(NumberTexts, DigitPatternsAtTheirEdges) {
    EXPECT_EQ(format0x(-5), "-05");
    EXPECT_EQ(format0x(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(format000x(33), "0033");
    EXPECT_EQ(format000x(12345), "12345");
    EXPECT_EQ(formatHashes(0), "");
}

TEST(FixedText, CutsAndPadsByCharactersNotBytes) {
    EXPECT_EQ(fixedText("Måndag", 2), "Må");
    EXPECT_EQ(fixedText("", 2), "  ");
    EXPECT_EQ(fixedText("Öland", 1), "Ö");
    // A stray byte counts as one character, so a broken text keeps its width.
    EXPECT_EQ(textLength(fixedText("\xff\xfe", 5)), 5u);
    EXPECT_EQ(fixedText("a\xc3", 5), "a\xc3   ");
}

// Well-formed UTF-8 by RFC 3629's table: the forms Unicode forbids begin no
// character, so a message shows their bytes escaped, as it shows control bytes.
TEST(Utf8, ForbiddenFormsAreShownEscaped) {
    struct Case { const char* bytes; std::size_t length; const char* shown; };
    const Case cases[] = {
        {"\xc3\xa5", 2, "\xc3\xa5"},                          // å
        {"\xe2\x82\xac", 3, "\xe2\x82\xac"},                  // €
        {"\xf4\x8f\xbf\xbf", 4, "\xf4\x8f\xbf\xbf"},          // U+10FFFF, the last code point
        {"\xed\x9f\xbf", 3, "\xed\x9f\xbf"},                  // U+D7FF, just below the surrogates
        {"\xc0\x80", 0, "\\xc0\\x80"},                        // overlong NUL
        {"\xc1\xbf", 0, "\\xc1\\xbf"},                        // overlong DEL
        {"\xe0\x80\x80", 0, "\\xe0\\x80\\x80"},               // overlong three-byte form
        {"\xf0\x80\x80\x80", 0, "\\xf0\\x80\\x80\\x80"},      // overlong four-byte form
        {"\xed\xa0\x80", 0, "\\xed\\xa0\\x80"},               // surrogate U+D800
        {"\xf4\x90\x80\x80", 0, "\\xf4\\x90\\x80\\x80"},      // U+110000
        {"\xf5\x80\x80\x80", 0, "\\xf5\\x80\\x80\\x80"},      // past every plane
        {"\xff", 0, "\\xff"},
        {"\x1b[", 1, "\\x1b["},                               // a control byte, as before
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8SequenceLength(c.bytes, 0), c.length) << c.shown;
        EXPECT_EQ(shownValue(c.bytes), c.shown) << c.shown;
    }
    // Paths are shown up to their own limit, values cut at 40 characters.
    EXPECT_EQ(shownValue(std::string(50, 'a')), std::string(40, 'a') + "…");
    EXPECT_EQ(shownValue(std::string(50, 'a'), 200), std::string(50, 'a'));
}
