// The file that remembers the nation from one run to the next, ctry.txt: in the
// run folder, or in the user's state folder ($XDG_STATE_HOME/tovmir, else
// ~/.local/state/tovmir) where the run folder cannot be written.
//
// The file is only ever replaced whole: written under a name of its own in the
// same folder, flushed to the disk, and renamed over the old one. So a kill, a
// crash, a full disk or a second window at any moment leaves either the old value
// or the new one, never a torn file and never none.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovmir {

constexpr const char* nationFile = "ctry.txt";

// The first line of ctry.txt read as the saved nation: blanks skipped, the first
// value ended by a comma, a blank or the line end. Only a whole number (optional
// sign, at most five digits) that fits 16 bits is a nation; anything else gives
// false and the start-up uses nation 0.
bool parseSavedNation(std::string_view line, int16_t& saved);

// The nation saved last: of the run folder's file and the state folder's, the one
// written later (the run folder's on a tie), as the save below leaves them. The
// file stays where it is. False where neither holds a nation.
bool readSavedNation(int16_t& saved);

// Saves the nation in the run folder, else in the state folder. Empty when it is
// saved; otherwise why not, in Swedish, naming both folders. A value written to
// the run folder removes the state folder's, so an older choice never returns.
std::string rememberNation(int16_t code);

// A system error number as the user reads it, in Swedish, for the file errors a
// desktop meets (missing, no permission, full disk, read-only disk); the
// system's own text for the rest.
std::string fileErrorText(int errorNumber);

}  // namespace tovmir
