// The date calculator's window without its toolkit: the nine fields, the three
// frames' caption colours, message boxes and the focus, reached through
// operations that the Qt window installs. Without a window (the terminal, the
// tests) the defaults keep the fields' texts and the frames' colours here and
// record the messages, so a press runs the same either way.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tovmir {

struct CalcWindowOps {
    std::function<std::string(const std::string& field)> fieldText;
    std::function<void(const std::string& field, const std::string& text)> setFieldText;
    std::function<void(const std::string& frame, bool blue)> setFrameColour;
    std::function<void()> focusFirstField;
    std::function<void(const std::string& text, const std::string& title)> messageBox;  // modal
    // After the main window was turned to another month: let it show the change.
    std::function<void()> mainWindowTurned;
};

void installCalcWindowOps(CalcWindowOps ops);

// The nine fields in the order of the Tab key and of the clear operation.
extern const char* const calcFieldNames[9];

// Without a window.
extern std::map<std::string, std::string> calcFields;
extern std::map<std::string, bool> calcFrameBlue;
extern std::vector<std::string> calcMessages;

std::string calcField(const std::string& field);
void setCalcField(const std::string& field, const std::string& text);
void setFrameBlue(const std::string& frame);
void focusFirstCalcField();

// A computation's refusal: the message box titled errTitle, then the clear
// operation.
void refuse(const std::string& text);

// "Rensa", also the clear after every refusal: empties the nine fields, turns the
// three frame captions black and puts the focus into txtYr1.
void cmdClean_Click();

// "Beräkna": reads the fields, chooses the computation by the year values, runs
// it, then turns the main window to calYear and calMonth when that year can be
// shown; a refusal other than the negative span turns it too, to the month the
// refusal left there. A press that finds no group to compute leaves the main
// window as it is. No input ends the program: a value or result outside 16 bits
// is refused like the computations' own refusals. Returns which group was
// computed: 1, 2 (the span) or 3, or 0 when nothing was computed (refusals
// included).
int cmdCalculate_Click();

// A press without its follow-up in the main window: the same reading, choice,
// computation and refusals, shown in the calculator. Returns the computed group
// as cmdCalculate_Click does, or -1 when a negative span was refused. (The
// terminal computes with computePress and prints the outcome itself.)
int calcPress();

// The follow-up of a press: the main window to calYear and calMonth, redrawn (and
// the marked day cleared) only for the years 1200 to 2099.
void turnMainWindow();

}  // namespace tovmir
