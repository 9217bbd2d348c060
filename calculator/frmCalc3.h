// The date calculator's window, opened by picAge and closed by the flag, by the
// main window's close and from within itself.
#pragma once

#include <QWidget>

namespace tovmir {

class frmCalc3 : public QWidget {
    Q_OBJECT

public:
    explicit frmCalc3(QWidget* owner);
};

}  // namespace tovmir
