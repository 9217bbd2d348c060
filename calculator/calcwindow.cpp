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
    markedDay = 0;
    writeDateField(dateFieldText(curYear, curMonth));
    loadMonthNames();
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    showCalendar();
}

namespace {

// A press on the window's fields: the computation's outcome shown there, as the
// result in its group's fields under a blue caption, or as the refusal's box and
// a cleared window.
SpanOutcome pressAndShow() {
    std::string fields[9];
    for (int i = 0; i < 9; ++i) fields[i] = calcField(calcFieldNames[i]);
    const SpanOutcome o = computePress(fields);
    if (!o.refusal.empty()) {
        refuse(o.refusal);
        if (o.focusFirst) focusFirstCalcField();
    } else if (o.group != 0) {
        static const char* const frames[] = {"Frame1", "Frame2", "Frame3"};
        setFrameBlue(frames[o.group - 1]);
        const int first = (o.group - 1) * 3;
        for (int i = 0; i < 3; ++i) setCalcField(calcFieldNames[first + i], signPlace(o.values[i]));
    }
    return o;
}

}  // namespace

int calcPress() {
    const SpanOutcome o = pressAndShow();
    if (!o.refusal.empty()) return o.negativeSpan ? -1 : 0;
    return o.group;
}

int cmdCalculate_Click() {
    const SpanOutcome o = pressAndShow();
    // A refused negative span leaves the main window as it is, and so does a press
    // with nothing to compute: calYear and calMonth then still hold the month
    // listing's last date in the other calendar, often in the next month.
    if (o.negativeSpan || (o.group == 0 && o.refusal.empty())) return 0;
    calYear = o.turnYear;
    calMonth = o.turnMonth;
    try {
        turnMainWindow();
    } catch (const std::exception& e) {
        calcMessages.push_back(e.what());
        std::string text = "Kalendern kunde inte visas som önskat:\n";
        text += e.what();
        if (ops.messageBox) ops.messageBox(text, errTitle);
    }
    if (ops.mainWindowTurned) ops.mainWindowTurned();
    return o.refusal.empty() ? o.group : 0;
}

}  // namespace tovmir
