// The historical notes, both ends: the builder's check of a notes file kept in
// data/, and the program's reading of the file it writes. Properties: the builder
// either refuses with a BuildError or writes a file that the program reads for
// every month without an error, each shown note exactly 60 characters; and the
// program, given any file at all, either shows whole 60-character notes or
// raises its one reading error.
#include <optional>
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
    for (std::size_t at = 0; at < shown.size(); at += 61)
        if (shown.find('\n', at) != at + 60) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view in = fuzz::text(data, size);
    std::optional<std::string> converted;
    try { converted = builder::convertNotes(in, "fuzz.txt"); } catch (const builder::BuildError&) {}
    for (int16_t y : {1200, 1700, 1712, 1753, 1972, 1973, 2024, 2100})  // across the range the window shows
        for (int16_t m : {1, 2, 12}) {
            const std::string key = notesKey(y, m);
            if (converted) {
                const std::string shown = fuzz::without<std::runtime_error>(
                    [&] { return notesFor(*converted, key); }, "a notes file the builder built fails in the program");
                fuzz::require(wholeNotes(shown), "a note from a built file is not 60 characters");
            }
            try {
                fuzz::require(wholeNotes(notesFor(std::string(in), key)), "a shown note is not 60 characters");
            } catch (const std::runtime_error&) {}
        }
    return 0;
}
