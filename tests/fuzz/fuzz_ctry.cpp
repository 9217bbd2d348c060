// ctry.txt, the file that remembers the nation between runs; anyone can edit it.
// Property: its first line gives a nation exactly when the first value is a whole
// decimal number of at most five digits that fits 16 bits, and then that number.
#include <charconv>

#include "fuzz.h"
#include "mainwindow/handlers.h"

using namespace tovmir;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view line = fuzz::text(data, size);
    int16_t saved = -12345;
    const bool read = parseSavedNation(line, saved);

    // The same reading said another way: the first value, then std::from_chars.
    const std::size_t from = line.find_first_not_of(' ');
    bool expected = false;
    long value = 0;
    if (from != std::string_view::npos) {
        std::string_view v = line.substr(from);
        v = v.substr(0, v.find_first_of(", \r"));
        std::string_view digits = v;
        if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
        const bool plain = !digits.empty() && digits.size() <= 5 &&
                           digits.find_first_not_of("0123456789") == std::string_view::npos;
        if (plain) {
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
            if (v[0] == '-') value = -value;
            expected = value >= -32768 && value <= 32767;
        }
    }
    fuzz::require(read == expected, "ctry.txt read as a nation when it holds none, or the other way");
    if (read) fuzz::require(saved == value, "ctry.txt read as another nation");
    return 0;
}
