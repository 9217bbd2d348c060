// The historical notes: fixed-column records in Windows-1252, one file per nation,
// each note shown for the months from its start key to its end key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovmir {

// HistSe.txt, HistFi.txt, HistDk.txt, HistNo.txt for codes 0 to 3; none for others.
const char* notesFile(int16_t nation);

// The key of a month as the notes compare it: the year without leading zeros, a
// hyphen, two month digits, blank-filled or cut to seven characters.
std::string notesKey(int16_t year, int16_t month);

// The 60-character notes whose span holds key, each followed by a line feed, read
// from a file's whole text (still in the code page) until a start key past key.
// A file that ends first raises std::runtime_error.
std::string notesFor(const std::string& fileText, const std::string& key);

// What the notes box says for a month that no note applies to, rather than
// nothing: "Inga anteckningar för februari 1753."
std::string noNotesText(int16_t year, int16_t month);

// The box shows at most this many notes, so that it fits a small screen and its
// OK button can be reached; a notes file is read up to maxNotesBytes.
constexpr std::size_t maxShownNotes = 25;
constexpr std::size_t maxNotesBytes = 1024 * 1024;

// The notes as the box shows them: the first maxLines lines, and where more
// follow, a last line that says how many ("... och 3 rader till för månaden.").
std::string shownNotes(const std::string& notes, std::size_t maxLines);

}  // namespace tovmir
