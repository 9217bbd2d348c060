// Where the month listing prints, in twips (15 to a pixel at the designed size):
// the window draws by it, the terminal turns it back into lines and columns, and
// the tests find each kind of text by it.
#pragma once

#include <cstdint>

namespace tovmir::layout {

constexpr int16_t twipsPerPixel = 15;

constexpr int16_t headerY = 360;      // the header line
constexpr int16_t firstLineY = 545;   // the first day's line
constexpr int16_t lineStep = 180;     // from one day's line to the next
constexpr int16_t topRuleY = 560;     // Line11 under the header; the week rules follow from it
constexpr int16_t weekStep = 7 * lineStep;

constexpr int16_t weekX = 0;             // the week numbers
constexpr int16_t textX = 300;           // a day's line: "dd Ww" and the day's text
constexpr int16_t calendarLabelX = 3800; // "Gamla Stilen" or "    Nya Stilen"
constexpr int16_t alternativeX = 4800;   // the day in the other calendar

}  // namespace tovmir::layout
