// The search dialog "Sök": the phrase and the years above, the days found in a
// list, the message line, "Visa" and "Stäng". It only wires its controls to the
// handlers of findwindow.h and shows what they left there; it computes no date.
#pragma once

#include <functional>

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tovmir {

class frmFind : public QWidget {
    Q_OBJECT

public:
    // mainWindowTurned lets the main window show what a search or a chosen day drew
    // there; focusDateField puts the focus back into its date field on closing.
    frmFind(QWidget* owner, std::function<void()> mainWindowTurned, std::function<void()> focusDateField);

    // Shows the dialog (again) with "Från år" at the year on show and the focus in
    // the phrase, its text selected so that typing replaces it.
    void Form_Load();
    // Types text into the phrase field and presses Enter.
    void enterPhrase(const QString& text);
    void cmdFind_Click();
    void cmdShow_Click();
    void cmdClose_Click();
    void lstDays_DblClick(int row);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs a handler behind the dialog's error edge, then shows the message line
    // and lets the main window show what changed.
    void run(const std::function<void()>& handler);
    // The fields' texts and the list as the handlers left them.
    void showFields();
    void showList();

    QLineEdit *txtPhrase, *txtFrom, *txtTo;
    QTreeWidget* lstDays;
    QLabel* lblMessage;
    QPushButton *cmdFind, *cmdShow, *cmdClose;
    std::function<void()> mainWindowTurned, focusDateField;
};

}  // namespace tovmir
