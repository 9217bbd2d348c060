#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tovmir {

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

int digitValue(char c, int base) {
    int v;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else return -1;
    return v < base ? v : -1;
}

// Reads the characters of text in order with the skipped characters left out,
// so the reading rule below sees one clean stream.
struct Reader {
    std::string_view s;
    std::size_t i = 0;
    void skip() { while (i < s.size() && isSkipped(s[i])) ++i; }
    char peek() { skip(); return i < s.size() ? s[i] : '\0'; }
    void take() { ++i; }
};

}  // namespace

double readNumber(std::string_view text) {
    Reader r{text};
    char c = r.peek();
    if (c == '&') {
        // "&H" and "&O" are whole numbers only; their value is accumulated in a
        // double so that any number of digits reads without wrapping.
        r.take();
        const char k = r.peek();
        const int base = (k == 'H' || k == 'h') ? 16 : (k == 'O' || k == 'o') ? 8 : 0;
        if (base == 0) return 0;
        r.take();
        double v = 0;
        for (int d; (d = digitValue(r.peek(), base)) >= 0; r.take()) v = v * base + d;
        return v;
    }
    // The decimal number is gathered into a clean buffer and handed to strtod, which
    // rounds correctly; the buffer holds only what the rule accepts.
    std::string buf;
    if (c == '+' || c == '-') {
        buf += c;
        r.take();
    }
    bool anyDigit = false, point = false;
    for (;; r.take()) {
        c = r.peek();
        if (c >= '0' && c <= '9') {
            buf += c;
            anyDigit = true;
        } else if (c == '.' && !point) {
            buf += c;
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;
    if (c == 'E' || c == 'e') {
        // The exponent belongs to the number only if digits follow its optional sign.
        Reader look = r;
        look.take();
        std::string exp = "e";
        char s = look.peek();
        if (s == '+' || s == '-') {
            exp += s;
            look.take();
        }
        bool expDigit = false;
        for (char d; (d = look.peek()) >= '0' && d <= '9'; look.take()) {
            exp += d;
            expDigit = true;
        }
        if (expDigit) buf += exp;
    }
    return std::strtod(buf.c_str(), nullptr);
}

int16_t readInt16(std::string_view text) { return roundTo16(readNumber(text)); }

std::string signPlace(int64_t v) {
    std::string out(v < 0 ? "" : " ");
    out += std::to_string(v);
    return out;
}

std::string digits(int64_t v, int minDigits) {
    if (v == 0 && minDigits == 0) return "";
    // Magnitude as unsigned so that the most negative value has a text too.
    const uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    std::string d = std::to_string(mag);
    if (static_cast<int>(d.size()) < minDigits) d.insert(0, minDigits - d.size(), '0');
    return v < 0 ? "-" + d : d;
}

}  // namespace tovmir
