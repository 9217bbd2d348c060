// What every fuzz target shares: the entry libFuzzer calls, and the one way a
// target reports a broken property. A property that fails aborts, so libFuzzer
// keeps the input and the corpus replay in the ordinary tests fails on it.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace tovmir::fuzz {

inline std::string_view text(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

[[noreturn]] inline void broken(const char* property) {
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

inline void require(bool holds, const char* property) {
    if (!holds) broken(property);
}

// What f gives; an E escaping from it breaks the property.
template <class E, class F> auto without(F f, const char* property) {
    try { return f(); } catch (const E&) { broken(property); }
}

// A plain reading of a whole number (a sign, then decimal digits) to check the readers
// against: false for other text or more than maxDigits digits, leading zeros counted or not.
inline bool plainWhole(std::string_view v, std::size_t maxDigits, bool zerosCount, int64_t& value) {
    std::string_view d = v.substr(!v.empty() && (v[0] == '+' || v[0] == '-'));
    if (d.empty() || d.find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (!zerosCount) d.remove_prefix(std::min(d.find_first_not_of('0'), d.size()));
    if (d.size() > maxDigits) return false;
    value = 0;
    std::from_chars(d.data(), d.data() + d.size(), value);
    if (v[0] == '-') value = -value;
    return true;
}

}  // namespace tovmir::fuzz
