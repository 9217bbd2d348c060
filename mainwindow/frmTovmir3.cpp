#include "frmTovmir3.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include "calculator/frmCalc3.h"
#include "handlers.h"
#include "monthview/surface.h"
#include "pictures.h"
#include "refdata/engine.h"
#include "refdata/windowops.h"
#include "windowhooks.h"

namespace tovmir {

namespace {

constexpr int clientWidth = 349, clientHeight = 408;
constexpr int twipsPerPixel = 15;

// Arial and Arial Narrow, by their metric-compatible Debian fonts.
QFont windowFont(double points, bool bold = false, bool narrow = false) {
    QFont f(narrow ? "Liberation Sans Narrow" : "Liberation Sans");
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QColor rgb(uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

struct RuleLine {
    const char* name;
    int x1, y1, x2, y2;
    bool moved;  // by the listing, to the week's y
};
// The ruling lines in pixels, as the window was designed.
constexpr RuleLine ruleLines[] = {
    {"Line1", 8, 24, 328, 24, false},   {"Line2", 0, 24, 568, 24, true},   {"Line3", 0, 112, 352, 112, true},
    {"Line4", 0, 200, 352, 200, true},  {"Line5", 0, 288, 352, 288, true}, {"Line6", 0, 376, 352, 376, true},
    {"Line7", 16, 24, 16, 416, false},  {"Line8", 56, 24, 56, 416, false}, {"Line10", 240, 24, 312, 24, false},
    {"Line11", 0, 32, 352, 32, true},
};

QLabel* pictureButton(QWidget* parent, const char* name, int left, int width, const QPixmap& picture) {
    auto* p = new QLabel(parent);
    p->setObjectName(name);
    p->setGeometry(left, 0, width, 25);
    p->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    p->setContentsMargins(2, 2, 0, 0);
    if (!picture.isNull()) p->setPixmap(picture);
    return p;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::information: return QMessageBox::Information;
        case MessageIcon::exclamation: return QMessageBox::Warning;
        default: return QMessageBox::Critical;
    }
}

}  // namespace

frmTovmir3::frmTovmir3() {
    setObjectName("frmTovmir3");
    setFixedSize(clientWidth, clientHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFont(windowFont(8.25));

    picFlg = pictureButton(this, "picFlg", 0, 41, QPixmap());
    picHelp = pictureButton(this, "picHelp", 32, 25, helpPicture());
    picLatin = pictureButton(this, "picLatin", 56, 25, latinPicture());
    picAge = pictureButton(this, "picAge", 80, 25, agePicture());
    picNotis = pictureButton(this, "picNotis", 104, 25, notisPicture());
    picPrt = pictureButton(this, "picPrt", 128, 25, blankPicture());
    picFlg->setContentsMargins(2, 2, 0, 0);

    txtIndate = new QLineEdit(this);
    txtIndate->setObjectName("txtIndate");
    txtIndate->setGeometry(152, 0, 57, 25);
    txtIndate->setFont(windowFont(9));
    txtIndate->installEventFilter(this);
    connect(txtIndate, &QLineEdit::textChanged, [](const QString& t) { writeDateField(t.toStdString()); });

    for (QLabel** l : {&lblMonth, &lblYear}) {
        *l = new QLabel(this);
        (*l)->setFont(windowFont(14.25, true, true));
        (*l)->setAutoFillBackground(true);
        QPalette lp = (*l)->palette();
        lp.setColor(QPalette::Window, QColor(192, 192, 192));
        lp.setColor(QPalette::WindowText, QColor(0, 0, 255));
        (*l)->setPalette(lp);
    }
    lblMonth->setObjectName("lblMonth");
    lblMonth->setGeometry(208, 0, 97, 25);
    lblYear->setObjectName("lblYear");
    lblYear->setGeometry(304, 0, 49, 25);

    for (QLabel* p : {picFlg, picHelp, picLatin, picAge, picNotis}) p->installEventFilter(this);
    picHelp->raise();

    // A close that comes with the end of the session is not the user's.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { sessionEnding = true; });

    installMainWindowOps({
        [this](const std::string& file) {
            QPixmap flag(QString::fromStdString(file));
            if (flag.isNull()) throw DataError("flaggbilden " + file + " kan inte läsas");
            picFlg->setPixmap(flag);
        },
        [this](const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); },
    });
    MainWindowHooks hooks;
    hooks.focusDateField = [this] { txtIndate->setFocus(); };
    hooks.messageBox = [this](const ShownMessage& m) {
        QMessageBox box(qtIcon(m.icon), QString::fromStdString(m.title), QString::fromStdString(m.text),
                        QMessageBox::Ok, isVisible() ? this : nullptr);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    };
    hooks.startProgram = [](const std::string& program, const std::vector<std::string>& args) {
        // The viewer beside the program first, then the one on the path; no shell.
        QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromStdString(program));
        if (!QFileInfo(path).isExecutable()) path = QStandardPaths::findExecutable(QString::fromStdString(program));
        if (path.isEmpty()) return false;
        QStringList list;
        for (const auto& a : args) list << QString::fromStdString(a);
        return QProcess::startDetached(path, list, QDir::currentPath());
    };
    hooks.openCalculator = [this] {
        calculator = new frmCalc3(
            this, [this] { syncControls(); }, [this] { txtIndate->setFocus(); });
        calculator->Form_Load();
        // Beside the month rather than over it, where the screen has room.
        const QRect screen = this->screen()->availableGeometry();
        const QPoint beside = frameGeometry().topRight() + QPoint(8, 0);
        if (beside.x() + calculator->frameGeometry().width() <= screen.right()) calculator->move(beside);
    };
    hooks.closeCalculator = [this] {
        if (calculator) calculator->close();
        delete calculator.data();
    };
    hooks.calculatorOpen = [this] { return !calculator.isNull() && calculator->isVisible(); };
    installMainWindowHooks(std::move(hooks));
}

frmTovmir3::~frmTovmir3() {
    installMainWindowHooks({});
    installMainWindowOps({});
}

bool frmTovmir3::Form_Load() {
    const bool ok = tovmir::Form_Load();
    syncControls();
    txtIndate->setFocus();
    return ok;
}

void frmTovmir3::syncControls() {
    const QString text = QString::fromStdString(readDateField());
    if (txtIndate->text() != text) {
        const QSignalBlocker quiet(txtIndate);
        txtIndate->setText(text);
    }
    QPalette fp = txtIndate->palette();
    fp.setColor(QPalette::Base, rgb(txtIndateBackground));
    txtIndate->setPalette(fp);
    lblMonth->setText(QString::fromStdString(labelCaptions["lblMonth"]));
    lblYear->setText(QString::fromStdString(labelCaptions["lblYear"]));
    update();
}

void frmTovmir3::enterMonth(const QString& text) {
    txtIndate->setText(text);
    txtIndate_KeyPress(13);
}

void frmTovmir3::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setPen(QPen(QColor(0, 0, 192), 2));
    g.drawLine(0, 25, 352, 25);  // Line13, under the top row
    g.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const auto& l : ruleLines) {
        int y1 = l.y1, y2 = l.y2;
        if (l.moved) {
            const auto it = lineY.find(l.name);
            if (it != lineY.end()) y1 = y2 = it->second / twipsPerPixel;
        }
        g.drawLine(l.x1, y1, l.x2, y2);
    }
    // The listing, as printed: each text's top at its print position.
    g.setFont(font());
    const int ascent = g.fontMetrics().ascent();
    for (const auto& op : displayList) {
        if (op.kind != SurfaceOp::print) continue;
        g.setPen(rgb(paletteRgb(op.color)));
        g.drawText(op.x / twipsPerPixel, op.y / twipsPerPixel + ascent, QString::fromStdString(op.text));
    }
}

void frmTovmir3::closeEvent(QCloseEvent* event) {
    runHandler([this] { Form_QueryUnload(!sessionEnding); });
    event->accept();  // never refused
}

bool frmTovmir3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtIndate && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        int character = -1;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) character = 13;
        else if (key->key() == Qt::Key_Backspace) character = 8;
        else if (!key->text().isEmpty()) character = key->text().at(0).unicode();
        if (character >= 0) txtIndate_KeyPress(character);
        return false;  // the character always goes in
    }
    if (watched == txtIndate && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its press and release; only the last release steps.
        if (key->isAutoRepeat()) return false;
        static const std::pair<int, int> codes[] = {
            {Qt::Key_PageUp, keyPageUp}, {Qt::Key_PageDown, keyPageDown}, {Qt::Key_End, keyEnd},
            {Qt::Key_Home, keyHome},     {Qt::Key_Left, keyLeft},         {Qt::Key_Up, keyUp},
            {Qt::Key_Right, keyRight},   {Qt::Key_Down, keyDown},
        };
        int code = 0;
        for (const auto& [qt, vb] : codes)
            if (key->key() == qt) code = vb;
        txtIndate_KeyUp(code);
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == picFlg) picFlg_Click();
        else if (watched == picHelp) picHelp_Click();
        else if (watched == picLatin) picLatin_Click();
        else if (watched == picAge) picAge_Click();
        else if (watched == picNotis) picNotis_Click();
        else return QWidget::eventFilter(watched, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Every event runs its handler behind the error edge, then shows what it changed.
void frmTovmir3::run(const std::function<void()>& handler) {
    runHandler(handler);
    syncControls();
}

void frmTovmir3::txtIndate_KeyPress(int character) { run([character] { tovmir::txtIndate_KeyPress(character); }); }
void frmTovmir3::txtIndate_KeyUp(int keyCode) { run([keyCode] { tovmir::txtIndate_KeyUp(keyCode); }); }
void frmTovmir3::picFlg_Click() { run(tovmir::picFlg_Click); }
void frmTovmir3::picHelp_Click() { run(tovmir::picHelp_Click); }
void frmTovmir3::picLatin_Click() { run(tovmir::picLatin_Click); }
void frmTovmir3::picAge_Click() { run(tovmir::picAge_Click); }
void frmTovmir3::picNotis_Click() { run(tovmir::picNotis_Click); }

}  // namespace tovmir
