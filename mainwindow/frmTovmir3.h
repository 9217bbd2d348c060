// The main window: the top row of controls, the month listing painted from the
// month view's display list, the ruling lines. It wires each event to the handler
// of the same name and repaints; it computes no date.
#pragma once

#include <functional>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include "calculator/frmCalc3.h"
#include "frmFind.h"

namespace tovmir {

class frmTovmir3 : public QWidget {
    Q_OBJECT

public:
    frmTovmir3();
    ~frmTovmir3() override;

    // Runs start-up; false when the program must end.
    bool Form_Load();
    // Copies what the handlers changed (field text and colour, labels) into the
    // controls and repaints the listing.
    void syncControls();
    // Types text into the date field and presses Enter.
    void enterMonth(const QString& text);
    // The calculator button's click, also for opening with the calculator beside.
    void picAge_Click();
    // The search button's click and Ctrl+F: the search dialog opens, or comes to
    // the front with the focus in its phrase.
    void picFind_Click();

    QLineEdit* txtIndate;
    QLabel *picFlg, *picHelp, *picLatin, *picAge, *picNotis, *picFind, *lblMonth, *lblYear;
    QPointer<frmCalc3> calculator;
    QPointer<frmFind> finder;

    // The listing as the window sets it, in designed pixels: each piece of text
    // with its left edge, the top of its line as drawn and its colour.
    struct Piece {
        double x, top;
        QString text;
        int16_t color;
    };
    std::vector<Piece> listingPieces() const;
    // The window's size over its designed size (the smaller of width and height).
    double scale() const;
    QFont listingFont;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Places every control at its designed geometry, font and picture times scale().
    void placeControls();
    struct Designed {
        QWidget* widget;
        QRect geometry;
        double points;
        QPixmap picture;
    };
    std::vector<Designed> designed;

    void run(const std::function<void()>& handler);
    void txtIndate_KeyPress(int character);
    void txtIndate_KeyUp(int keyCode);
    void picFlg_Click();
    void picHelp_Click();
    void picLatin_Click();
    void picNotis_Click();

    bool sessionEnding = false;
};

}  // namespace tovmir
