// tovmir: the perpetual calendar's main window. It runs in the folder that holds
// Const.mdb, the flags, the notes and the help, and remembers the nation in
// ctry.txt there.
#include <QApplication>

#include "frmTovmir3.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("tovmir");
    tovmir::frmTovmir3 window;
    if (!window.Form_Load()) return 1;
    // --month YYYY-MM: open on that month instead of today's (for screenshots),
    // typed into the date field and taken with Enter as a user would.
    const QStringList args = app.arguments();
    const int at = args.indexOf("--month");
    if (at > 0 && at + 1 < args.size()) window.enterMonth(args[at + 1]);
    window.show();
    // --calculator: with the date calculator open beside it, as picAge opens it.
    if (args.contains("--calculator")) window.picAge_Click();
    return app.exec();
}
