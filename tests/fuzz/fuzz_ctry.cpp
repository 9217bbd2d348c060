// ctry.txt, the file that remembers the nation between runs; anyone can edit it.
// Property: its first line gives a nation exactly when the first value is a whole
// decimal number of at most five digits that fits 16 bits, and then that number.
#include "fuzz.h"
#include "mainwindow/handlers.h"

using namespace tovmir;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view line = fuzz::text(data, size);
    int16_t saved = -12345;
    const bool read = parseSavedNation(line, saved);

    // The same reading said another way: the first value, then a plain reading.
    const std::string_view v = line.substr(std::min(line.find_first_not_of(' '), line.size()));
    int64_t value = 0;
    const bool expected = fuzz::plainWhole(v.substr(0, v.find_first_of(", \r")), 5, true, value) &&
                          value >= -32768 && value <= 32767;
    fuzz::require(read == expected, "ctry.txt read as a nation when it holds none, or the other way");
    if (read) fuzz::require(saved == value, "ctry.txt read as another nation");
    return 0;
}
