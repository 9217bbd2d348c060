// The historical notes, both ends: the builder's check of a notes file kept in
// data/, and the program's reading of the file it writes. Properties: the builder
// either refuses with a BuildError or writes a file that the program reads for
// every month without an error, each shown note exactly 60 characters; and the
// program, given any file at all, either shows whole 60-character notes or
// raises its one reading error.
#include <stdexcept>
#include <string>

#include "fuzz.h"
#include "mainwindow/notes.h"
#include "tools/dbbuilder.h"

using namespace tovmir;

namespace {

// Every line of a shown text holds one note of 60 bytes (Windows-1252: one byte
// a character) and ends in a line feed.
bool wholeNotes(const std::string& shown) {
    std::size_t at = 0;
    while (at < shown.size()) {
        const std::size_t end = shown.find('\n', at);
        if (end == std::string::npos || end - at != 60) return false;
        at = end + 1;
    }
    return true;
}

// Months across the range the window shows.
constexpr int16_t years[] = {1200, 1700, 1712, 1753, 1972, 1973, 2024, 2100};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view in = fuzz::text(data, size);
    std::string converted;
    bool built = true;
    try {
        converted = builder::convertNotes(in, "fuzz.txt");
    } catch (const builder::BuildError&) {
        built = false;
    }
    for (int16_t y : years)
        for (int16_t m : {1, 2, 12}) {
            const std::string key = notesKey(y, m);
            if (built) {
                std::string shown;
                try {
                    shown = notesFor(converted, key);
                } catch (const std::runtime_error&) {
                    fuzz::broken("a notes file the builder accepted fails in the program");
                }
                fuzz::require(wholeNotes(shown), "a note from a built file is not 60 characters");
            }
            try {
                fuzz::require(wholeNotes(notesFor(std::string(in), key)), "a shown note is not 60 characters");
            } catch (const std::runtime_error&) {
            }
        }
    return 0;
}
