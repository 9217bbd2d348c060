// The date calculator's window: three groups under the arrow "Tiden" (date 1, the
// span, date 2), "Beräkna", "Rensa" and "Stäng". It only wires its controls to the
// press and the clear of calcwindow.h and paints the arrow; the computations know
// nothing of Qt.
#pragma once

#include <functional>
#include <map>

#include <QWidget>

class QGroupBox;
class QLineEdit;

namespace tovmir {

class frmCalc3 : public QWidget {
    Q_OBJECT

public:
    // mainWindowTurned lets the main window show the month a press turned it to;
    // focusDateField puts the focus back into the main window's date field.
    frmCalc3(QWidget* owner, std::function<void()> mainWindowTurned, std::function<void()> focusDateField);
    ~frmCalc3() override;

    void Form_Load();
    void cmdCalculate_Click();
    void cmdClean_Click();
    void cmdClose_Click();

    // Where the word "Tiden" stands, in the window's pixels; the arrow's shaft
    // leaves it clear.
    QRect timeWordRect() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::map<std::string, QLineEdit*> fields;
    std::map<std::string, QGroupBox*> frames;
    std::function<void()> mainWindowTurned, focusDateField;
};

}  // namespace tovmir
