#include "calcwindow.h"

#include "calendar/numbers.h"
#include "calendar/limits.h"
#include "calendar/state.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "refdata/engine.h"
#include "refdata/nationsettings.h"
#include "spans.h"

namespace tovmir {

namespace {
CalcWindowOps ops;
}

const char* const calcFieldNames[9] = {"txtYr1",   "txtMo1",   "txtDa1", "txtAgeYr", "txtAgeMo",
                                       "txtAgeDa", "txtYr2", "txtMo2",   "txtDa2"};
std::map<std::string, std::string> calcFields;
std::map<std::string, bool> calcFrameBlue;
std::vector<std::string> calcMessages;

void installCalcWindowOps(CalcWindowOps o) { ops = std::move(o); }

std::string calcField(const std::string& field) { return ops.fieldText ? ops.fieldText(field) : calcFields[field]; }

void setCalcField(const std::string& field, const std::string& text) {
    if (ops.setFieldText) ops.setFieldText(field, text);
    else calcFields[field] = text;
}

void setFrameBlue(const std::string& frame) {
    if (ops.setFrameColour) ops.setFrameColour(frame, true);
    else calcFrameBlue[frame] = true;
}

void focusFirstCalcField() {
    if (ops.focusFirstField) ops.focusFirstField();
}

void refuse(const std::string& text) {
    calcMessages.push_back(text);
    if (ops.messageBox) ops.messageBox(text, errTitle);
    cmdClean_Click();
}

void cmdClean_Click() {
    for (const char* f : calcFieldNames) setCalcField(f, "");
    for (const char* frame : {"Frame1", "Frame2", "Frame3"}) {
        if (ops.setFrameColour) ops.setFrameColour(frame, false);
        else calcFrameBlue[frame] = false;
    }
    focusFirstCalcField();
}

void turnMainWindow() {
    curYear = calYear;
    curMonth = calMonth;
    if (curYear < firstAlmanacYear || curYear > lastTurnedYear) return;
    writeDateField(dateFieldText(curYear, curMonth));
    loadMonthNames();
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    showCalendar();
}

namespace {

// Which group a press computes, by the year values alone (the computations check
// months and days). At most one test holds. -1 for the refused negative span,
// after which the main window is not touched.
int chooseAndCompute() {
    errTitle = "Fel i datumberäkning";
    yr1 = readInt16(calcField("txtYr1"));
    mo1 = readInt16(calcField("txtMo1"));
    da1 = readInt16(calcField("txtDa1"));
    ageYr = readInt16(calcField("txtAgeYr"));
    ageMo = readInt16(calcField("txtAgeMo"));
    ageDa = readInt16(calcField("txtAgeDa"));
    if (ageYr < 0 || ageMo < 0 || ageDa < 0) {
        refuse("Inga negativa tal i åldersuppgift!\nskriv i rätt datumfält i stället");
        return -1;
    }
    ageYr = to16(int32_t{ageYr} + ageMo / 12);  // the span fields keep what was typed
    ageMo = static_cast<int16_t>(ageMo % 12);
    yr2 = readInt16(calcField("txtYr2"));
    mo2 = readInt16(calcField("txtMo2"));
    da2 = readInt16(calcField("txtDa2"));
    const bool span = ageYr != 0 || ageMo != 0 || ageDa != 0;
    const std::size_t before = calcMessages.size();
    int group = 0;
    if (yr1 > 0 && yr2 > 0 && ageYr == 0) {
        calcAge();
        group = 2;
    } else if (yr1 == 0 && yr2 != 0 && span) {
        calcDate1();
        group = 1;
    } else if (yr1 != 0 && yr2 == 0 && span) {
        calcDate2();
        group = 3;
    }
    return calcMessages.size() == before ? group : 0;
}

}  // namespace

int calcPress() {
    try {
        return chooseAndCompute();
    } catch (const ArithmeticOverflow&) {
        // A value typed beyond 16 bits, or a year carried or computed beyond them.
        refuse("Talen är för stora för en datumberäkning, försök igen");
        return 0;
    }
}

int cmdCalculate_Click() {
    const std::size_t before = calcMessages.size();
    const int group = calcPress();
    if (group < 0) return 0;  // a negative span: the main window stays as it is
    // No group filled and nothing refused: calYear and calMonth still hold the
    // month listing's last date in the other calendar, often in the next month,
    // so turning to them would step the main window on at every such press.
    if (group == 0 && calcMessages.size() == before) return 0;
    try {
        turnMainWindow();
    } catch (const std::exception& e) {
        calcMessages.push_back(e.what());
        std::string text = "Kalendern kunde inte visas som önskat:\n";
        text += e.what();
        if (ops.messageBox) ops.messageBox(text, errTitle);
    }
    if (ops.mainWindowTurned) ops.mainWindowTurned();
    return group;
}

}  // namespace tovmir
