// The main window's event handlers, named after the control and the event. The Qt
// window calls each one from its event and repaints; the logic is all here, so it
// runs and is tested without a window. Each handler lets errors pass; the window
// calls it through runHandler, the event's edge.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovmir {

// The file that remembers the nation from one run to the next: in the run folder,
// or in the user's state folder ($XDG_STATE_HOME/tovmir, else
// ~/.local/state/tovmir) where the run folder cannot be written.
constexpr const char* nationFile = "ctry.txt";

// The first line of ctry.txt read as the saved nation: blanks skipped, the first
// value ended by a comma, a blank or the line end. Only a whole number (optional
// sign, at most five digits) that fits 16 bits is a nation; anything else gives
// false and the start-up uses nation 0.
bool parseSavedNation(std::string_view line, int16_t& saved);

// Start-up: the nation from ctry.txt (read, then deleted; the run folder's file
// first, the state folder's where that is missing or cannot be deleted), today's
// month, the nation's settings, the month shown. A failure falls back once to nation 0 and
// starts again; a failure then writes the nation read from ctry.txt back to it, is
// reported in a message box and gives false: the program ends.
bool Form_Load();

// The window closes. Only a close by the user writes ctry.txt (and closes the
// calculator); a session end or a kill leaves no file. Where neither the run
// folder nor the state folder takes the file, a message box says so.
void Form_QueryUnload(bool closedByUser);

// A character typed into the date field, before it goes in (it always goes in):
// Enter takes a seven-character yyyy-mm within the nation's years (and clears the
// marked day); anything but a digit or Enter turns the field red, anything else
// yellow.
void txtIndate_KeyPress(int character);

// The date field's Enter once it has read a month the calendar shows: curYear and
// curMonth, the year and month labels, the month drawn. The search's chosen day
// turns the window the same way, with its day marked.
void showEnteredMonth(int16_t year, int16_t month);

// Key codes of the stepping keys, as the date field's key release reports them.
enum StepKey { keyPageUp = 33, keyPageDown = 34, keyEnd = 35, keyHome = 36, keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40 };

// A key released in the date field: one step of the shown month or year, which
// clears the marked day.
void txtIndate_KeyUp(int keyCode);

// The flag and the Latin names change what is shown, and clear the marked day.
void picFlg_Click();
void picLatin_Click();
void picHelp_Click();
void picAge_Click();
void picNotis_Click();

}  // namespace tovmir
