#include "text.h"

#include <algorithm>
#include <stdexcept>

namespace tovmir {

std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    // The lead byte gives the length. C0 and C1 could only begin an overlong form
    // of an ASCII character, F5 to FF a code point past U+10FFFF: none begins one.
    const std::size_t n = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : (b >> 4) == 0xE ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    // The second byte's range narrows after four leads (RFC 3629): E0 A0.. (no
    // overlong three-byte form), ED ..9F (no surrogate D800 to DFFF), F0 90.. (no
    // overlong four-byte form), F4 ..8F (nothing past U+10FFFF).
    if (n > 1) {
        const auto second = static_cast<unsigned char>(s[i + 1]);
        const unsigned char lo = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
        if (second < lo || second > hi) return 0;
    }
    for (std::size_t k = 2; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

namespace {

// A byte that does not begin a well-formed sequence is one character by itself.
std::size_t charBytes(std::string_view s, std::size_t i) { return std::max<std::size_t>(1, utf8SequenceLength(s, i)); }

}  // namespace

std::size_t textLength(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += charBytes(s, i)) ++n;
    return n;
}

std::string fixedText(std::string_view s, std::size_t length) {
    std::size_t i = 0, n = 0;
    while (i < s.size() && n < length) {
        i += charBytes(s, i);
        ++n;
    }
    std::string out(s.substr(0, i));
    out.append(length - n, ' ');
    return out;
}

std::string lastCharacters(std::string_view s, std::size_t n) {
    std::size_t skip = textLength(s) > n ? textLength(s) - n : 0, i = 0;
    for (; skip > 0; --skip) i += charBytes(s, i);
    return std::string(s.substr(i));
}

namespace {

// 0x80 to 0x9F are the code page's own letters and signs; the rest is Latin-1.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

}  // namespace

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        const char32_t c = b >= 0x80 && b < 0xA0 ? windows1252High[b - 0x80] : b;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8ToWindows1252(std::string_view text) {
    std::string out;
    for (std::size_t i = 0, n; i < text.size(); i += n) {
        n = utf8SequenceLength(text, i);
        if (n == 0) throw std::invalid_argument("texten är inte giltig UTF-8");
        const auto byte = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(text[i + k])); };
        char32_t c = n == 1 ? byte(0)
                   : n == 2 ? (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F)
                   : n == 3 ? (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F)
                            : (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
        int code = c < 0x80 || (c >= 0xA0 && c < 0x100) ? static_cast<int>(c) : -1;
        for (int k = 0; k < 32 && code < 0; ++k)
            if (windows1252High[k] == c && c != 0xFFFD) code = 0x80 + k;
        if (code < 0) throw std::invalid_argument("tecknet " + std::string(text.substr(i, n)) + " finns inte i teckentabellen Windows-1252");
        out += static_cast<char>(code);
    }
    return out;
}

std::string shownValue(std::string_view text, std::size_t longest) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (characters == longest) return out + "…";
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t n = utf8SequenceLength(text, i);
        if (c < 0x20 || c == 0x7F || n == 0) {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
            n = 1;
        } else {
            out.append(text.substr(i, n));
        }
        ++characters;
        i += n;
    }
    return out;
}

}  // namespace tovmir
