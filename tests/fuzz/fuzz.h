// What every fuzz target shares: the entry libFuzzer calls, and the one way a
// target reports a broken property. A property that fails aborts, so libFuzzer
// keeps the input and the corpus replay in the ordinary tests fails on it.
#pragma once

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

}  // namespace tovmir::fuzz
