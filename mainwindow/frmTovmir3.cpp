#include "frmTovmir3.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>

#include "calculator/frmCalc3.h"
#include "calendar/state.h"
#include "handlers.h"
#include "monthview/layout.h"
#include "monthview/surface.h"
#include "pictures.h"
#include "refdata/engine.h"
#include "refdata/windowops.h"
#include "windowhooks.h"

namespace tovmir {

namespace {

// The designed client area: the default size and the smallest. It is 7 pixels
// wider and 4 taller than the first design, whose last column ended a few pixels
// past the edge ("datum" in the header, the last digit of the other calendar's
// dates) and whose 31st line lost its lower edge.
constexpr int clientWidth = 356, clientHeight = 412;
using layout::alternativeX;
using layout::calendarLabelX;
using layout::twipsPerPixel;
// The day's text stands in a column of its own, clear of the rule Line8 at
// x 56: "01 Må" takes up to 31 pixels from x 20, and the names would otherwise
// begin under the rule.
constexpr double dayTextX = 60;
// The date and weekday of a day's line: "dd Ww", five characters.
constexpr int dayLabelLength = 5;
// Text is set 2 pixels below its print position's top, so that the accents of
// capitals (Å, Ö, É) clear a week's rule drawn just above the line.
constexpr double textDrop = 2;

// The marked day: a pale yellow band with a dark blue frame behind its line, from
// the rule Line7 to the window's edge. Pale, so that the listing's colours read on
// it as they do on white.
constexpr double markLeft = 17;
const QColor markBand(255, 250, 200), markFrame(0, 0, 128);

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
    bool moved;  // by the listing, to the week's y, or hidden
};
// The ruling lines in pixels, as the window was designed, with two ends brought
// inside the client area: Line2 ran to x 568, which the designed window cut off
// at its edge but an enlarged one out of proportion showed (to x 827 at 1000 by
// 600, past the month into the empty margin); Line7 and Line8 ran to y 416.
constexpr RuleLine ruleLines[] = {
    {"Line1", 8, 24, 328, 24, false},   {"Line2", 0, 24, 352, 24, true},   {"Line3", 0, 112, 352, 112, true},
    {"Line4", 0, 200, 352, 200, true},  {"Line5", 0, 288, 352, 288, true}, {"Line6", 0, 376, 352, 376, true},
    {"Line7", 16, 24, 16, clientHeight, false},  {"Line8", 56, 24, 56, clientHeight, false},
    {"Line10", 240, 24, 312, 24, false}, {"Line11", 0, 32, 352, 32, true},
};

// The ruling lines to draw, in designed pixels: the fixed ones, and the week
// rules where the listing put them.
std::vector<QLineF> drawnRules() {
    std::vector<QLineF> drawn;
    for (const auto& l : ruleLines) {
        QLineF line(l.x1, l.y1, l.x2, l.y2);
        if (l.moved) {
            // Where the listing put it; a rule it hid, or one no listing has
            // placed yet, is not drawn.
            const auto it = lineY.find(l.name);
            if (it == lineY.end()) continue;
            const double y = it->second / twipsPerPixel;
            line.setLine(l.x1, y, l.x2, y);
        }
        drawn.push_back(line);
    }
    return drawn;
}

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
    setMinimumSize(clientWidth, clientHeight);
    resize(clientWidth, clientHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFont(windowFont(8.25));
    listingFont = windowFont(8.25);

    picFlg = pictureButton(this, "picFlg", 0, 41, QPixmap());
    picHelp = pictureButton(this, "picHelp", 32, 25, helpPicture());
    picLatin = pictureButton(this, "picLatin", 56, 25, latinPicture());
    picAge = pictureButton(this, "picAge", 80, 25, agePicture());
    picNotis = pictureButton(this, "picNotis", 104, 25, notisPicture());
    // The search takes the sixth button, which stood blank with nothing behind it.
    picFind = pictureButton(this, "picFind", 128, 25, findPicture());
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

    for (QLabel* p : {picFlg, picHelp, picLatin, picAge, picNotis, picFind}) p->installEventFilter(this);
    picHelp->raise();
    picFlg->setToolTip("Byt land: Sverige, Finland, Danmark, Norge");
    picHelp->setToolTip("Hjälp");
    picLatin->setToolTip("Söndagarnas latinska namn på eller av");
    picAge->setToolTip("Datumberäkningar: tiden mellan två datum, eller ett datum från en tid");
    picNotis->setToolTip("Historiska notiser för månaden");
    picFind->setToolTip("Sök en dag (Ctrl+F)");
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, &frmTovmir3::picFind_Click);

    // Every control at its designed place, size, font and picture, for the
    // window to scale them uniformly when it is enlarged.
    for (QWidget* w : std::initializer_list<QWidget*>{picFlg, picHelp, picLatin, picAge, picNotis, picFind, txtIndate,
                                                      lblMonth, lblYear}) {
        Designed d{w, w->geometry(), w->font().pointSizeF(), {}};
        if (auto* label = qobject_cast<QLabel*>(w)) d.picture = label->pixmap();
        designed.push_back(d);
    }

    // A close that comes with the end of the session is not the user's.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { sessionEnding = true; });

    installMainWindowOps({
        [this](const std::string& file) {
            QPixmap flag(QString::fromStdString(file));
            // Named with its whole path, and why where the file system can say.
            if (flag.isNull()) {
                std::error_code ec;
                const std::filesystem::path path = std::filesystem::absolute(file, ec);
                const std::string where = ec ? file : path.string();
                const char* why = !std::filesystem::exists(path, ec) ? "finns inte"
                                  : std::filesystem::is_directory(path, ec) ? "är en mapp"
                                                                            : "är ingen bild som kan läsas";
                throw DataError("flaggbilden " + where + " " + why);
            }
            for (auto& d : designed)
                if (d.widget == picFlg) d.picture = flag;
            placeControls();
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
    // The Latin names, when on, show as a pressed button.
    picLatin->setFrameStyle(latinNames ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
    update();
}

double frmTovmir3::scale() const {
    return std::min(double(width()) / clientWidth, double(height()) / clientHeight);
}

void frmTovmir3::placeControls() {
    const double s = scale();
    const auto scaled = [s](int v) { return int(std::lround(v * s)); };
    const qreal ratio = devicePixelRatioF();
    for (const auto& d : designed) {
        d.widget->setGeometry(scaled(d.geometry.x()), scaled(d.geometry.y()), scaled(d.geometry.width()),
                              scaled(d.geometry.height()));
        QFont f = d.widget->font();
        f.setPointSizeF(d.points * s);
        d.widget->setFont(f);
        auto* label = qobject_cast<QLabel*>(d.widget);
        if (!label || d.picture.isNull()) continue;
        // Pixel pictures grow by whole pixels, sharp at any size and screen.
        QPixmap p = d.picture.scaled(d.picture.size() * s * ratio, Qt::KeepAspectRatio, Qt::FastTransformation);
        p.setDevicePixelRatio(ratio);
        label->setPixmap(p);
        label->setContentsMargins(scaled(2), scaled(2), 0, 0);
    }
}

void frmTovmir3::resizeEvent(QResizeEvent*) { placeControls(); }

void frmTovmir3::enterMonth(const QString& text) {
    txtIndate->setText(text);
    txtIndate_KeyPress(13);
}

void frmTovmir3::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setRenderHint(QPainter::TextAntialiasing);
    // Everything in the designed pixels, scaled as one with the window.
    g.scale(scale(), scale());
    // The marked day's band first, so that the rules and the text lie on it.
    for (const auto& op : displayList) {
        if (op.kind != SurfaceOp::line || op.name != markLineName) continue;
        const QRectF band(markLeft, double(op.y) / twipsPerPixel + textDrop, clientWidth - markLeft - 2,
                          double(layout::lineStep) / twipsPerPixel);
        g.fillRect(band, markBand);
        g.setPen(QPen(markFrame, 1));
        g.drawRect(band);
    }
    g.setPen(QPen(QColor(0, 0, 192), 2));
    g.drawLine(0, 25, clientWidth, 25);  // Line13, under the top row
    g.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const auto& r : drawnRules()) g.drawLine(r);
    g.setFont(listingFont);
    const QFontMetricsF metrics(listingFont);
    for (const auto& piece : listingPieces()) {
        g.setPen(rgb(paletteRgb(piece.color)));
        g.drawText(QPointF(piece.x, piece.top + metrics.ascent()), piece.text);
    }
}

std::vector<frmTovmir3::Piece> frmTovmir3::listingPieces() const {
    const QFontMetricsF metrics(listingFont);
    std::vector<Piece> pieces;
    for (const auto& op : displayList) {
        if (op.kind != SurfaceOp::print) continue;
        const double x = double(op.x) / twipsPerPixel, top = double(op.y) / twipsPerPixel + textDrop;
        const QString text = QString::fromStdString(op.text);
        if (op.x != layout::textX) {
            pieces.push_back({x, top, text, op.color});
            continue;
        }
        // A day's line: its date and weekday where printed, its text in the text
        // column, shortened with an ellipsis where it would reach the next item on
        // the line (the other calendar's label, or its date).
        pieces.push_back({x, top, text.left(dayLabelLength), op.color});
        const QString dayText = text.mid(dayLabelLength).trimmed();
        if (dayText.isEmpty()) continue;
        double end = double(alternativeX) / twipsPerPixel;
        for (const auto& other : displayList)
            if (other.kind == SurfaceOp::print && other.y == op.y && other.x == calendarLabelX)
                end = double(calendarLabelX) / twipsPerPixel;
        const double room = end - dayTextX - 4;
        pieces.push_back({dayTextX, top, metrics.elidedText(dayText, Qt::ElideRight, room), op.color});
    }
    return pieces;
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
        else if (watched == picFind) picFind_Click();
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

void frmTovmir3::picFind_Click() {
    if (!finder) {
        // Closing it gives the keyboard back to the month, also where no window
        // manager activates the window below.
        finder = new frmFind(
            this, [this] { syncControls(); },
            [this] {
                activateWindow();
                txtIndate->setFocus();
            });
        // Beside the month rather than over it, where the screen has room.
        const QRect screen = this->screen()->availableGeometry();
        const QPoint beside = frameGeometry().topRight() + QPoint(8, 0);
        if (beside.x() + finder->frameGeometry().width() <= screen.right()) finder->move(beside);
    }
    finder->Form_Load();
}

}  // namespace tovmir
