// The main window's surface as the month view draws on it: a text printer with a
// print position in twips and a colour, the movable week-separator lines, the
// labels and the date field. The month view links no window toolkit: it writes
// into a display list, which the window paints whenever it needs to (so the month
// survives covering and uncovering) and the terminal prints.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tovmir {

// One drawing operation, in the order it happened.
struct SurfaceOp {
    enum Kind { caption, clear, print, line, hide } kind;
    std::string name;  // caption: the label; line and hide: the line control
    int16_t x = 0, y = 0;
    int16_t color = 0;  // print: palette index
    std::string text;   // caption and print
};

// The prints and line moves since the last clear: what the window paints.
extern std::vector<SurfaceOp> displayList;
// Every operation since resetSurfaceLog, clears and captions included.
extern std::vector<SurfaceOp> surfaceLog;
// The captions of lblYear and lblMonth, the date field's text, and where the
// lines Line2 to Line6 and Line11 stand now (y in twips); a hidden line has no
// entry.
extern std::map<std::string, std::string> labelCaptions;
extern std::string txtIndateText;
extern std::map<std::string, int16_t> lineY;

// One printed line of the window's font (Arial 8.25 point) is 195 twips high; the
// listing sets y before every print, so only a print without it moves by this.
constexpr int16_t textLineHeight = 195;

void resetSurfaceLog();
void setLabelCaption(const std::string& label, const std::string& text);
const std::string& readDateField();
void writeDateField(const std::string& text);
// The date field's text for a year and month: at least four digits, a hyphen, two.
std::string dateFieldText(int64_t year, int64_t month);
// All printed text gone, print position back to 0, 0.
void clearSurface();
void setPrintX(int64_t x);
void setPrintY(int64_t y);
// A palette index 0 to 15; any other raises std::invalid_argument.
void setForeColor(int64_t color);
// Writes text at the print position in the current colour, then moves to x = 0,
// one text line down.
void printText(const std::string& text);
// Puts a line at y and shows it.
void moveLine(const std::string& line, int64_t y);
// Takes a line out of sight until it is moved again: a week rule that the month
// has no place for.
void hideLine(const std::string& line);
// The mark of one day's line, whose print position's top is y: a line operation
// named markLineName in the display list, which the window draws as a band behind
// that line. It moves no ruling line (lineY keeps none of it), and the next clear
// removes it.
constexpr const char* markLineName = "Mark";
void markLine(int64_t y);

// The RGB value of a palette index, for whoever paints the list.
uint32_t paletteRgb(int16_t color);

}  // namespace tovmir
