// The main window's event handlers, named after the control and the event. The Qt
// window calls each one from its event and repaints; the logic is all here, so it
// runs and is tested without a window. Each handler lets errors pass; the window
// calls it through runHandler, the event's edge.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "savednation.h"

namespace tovmir {

// Start-up: the saved nation (read and left in place, so no ending of this run
// or a second window's can lose it), today's month, the nation's settings, the
// month shown. A saved nation that cannot be shown is reported, and the start
// falls back once to nation 0; the saved file is then kept as it was until the
// user picks a nation. A failure then too is reported and gives false: the
// program ends.
bool Form_Load();

// The window closes. Only a close by the user saves the nation (and closes the
// calculator); a session end or a kill leaves the file as it was. Where neither
// the run folder nor the state folder takes the file, a message box says why.
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
// A nation whose settings, flag or month cannot be loaded changes nothing: the
// caption, flag, days and saved nation stay those of the nation before.
void picFlg_Click();
void picLatin_Click();
void picHelp_Click();
void picAge_Click();
void picNotis_Click();

}  // namespace tovmir
