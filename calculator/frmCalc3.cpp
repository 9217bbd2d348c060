#include "frmCalc3.h"

namespace tovmir {

frmCalc3::frmCalc3(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("frmCalc3");
    setWindowTitle("Datumberäkningar");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(330, 260);
}

}  // namespace tovmir
