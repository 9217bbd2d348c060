#include "frmCalc3.h"

#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include "calcwindow.h"

namespace tovmir {

namespace {

// The layout is given in twips; 15 twips are one pixel at 96 dots per inch.
constexpr int px(int twips) { return twips / 15; }

// MS Sans Serif by the metric-compatible Liberation Sans of Debian's fonts-liberation.
QFont sansSerif(double points, bool bold = false) {
    QFont f("Liberation Sans");
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void place(QWidget* w, int left, int top, int width, int height) { w->setGeometry(px(left), px(top), px(width), px(height)); }

}  // namespace

frmCalc3::frmCalc3(QWidget* owner, std::function<void()> turned, std::function<void()> focusBack)
    : QWidget(owner, Qt::Window), mainWindowTurned(std::move(turned)), focusDateField(std::move(focusBack)) {
    setObjectName("frmCalc3");
    setWindowTitle("Datumberäkningar");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(5130), px(4335));
    setFont(sansSerif(8.25));

    struct Group {
        const char *frame, *caption;
        int left, width;
        struct Row {
            const char *field, *label, *text;
            int fieldLeft, fieldWidth, labelLeft, labelWidth, top;
        } rows[3];
    };
    static const Group groups[] = {
        {"Frame1", "Datum 1", 120, 1335,
         {{"txtYr1", "Label1", "Årtal", 720, 495, 240, 495, 360},
          {"txtMo1", "Label2", "Månad", 840, 375, 240, 615, 840},
          {"txtDa1", "Label3", "Dag", 840, 375, 240, 375, 1320}}},
        {"Frame2", "Ålder", 1680, 1695,
         {{"txtAgeYr", "Label4", "År", 120, 495, 720, 255, 360},
          {"txtAgeMo", "Label5", "Månad(er)", 120, 375, 720, 855, 840},
          {"txtAgeDa", "Label6", "Dag(ar)", 120, 375, 720, 735, 1320}}},
        {"Frame3", "Datum 2", 3600, 1335,
         {{"txtYr2", "Label7", "Årtal", 720, 495, 240, 495, 360},
          {"txtMo2", "Label8", "Månad", 840, 375, 240, 615, 840},
          {"txtDa2", "Label9", "Dag", 840, 375, 240, 495, 1320}}},
    };
    QWidget* previous = nullptr;
    for (const auto& g : groups) {
        auto* frame = new QGroupBox(g.caption, this);
        frame->setObjectName(g.frame);
        frame->setFont(sansSerif(9.75, true));
        place(frame, g.left, 840, g.width, 2055);
        frames[g.frame] = frame;
        for (const auto& r : g.rows) {
            auto* label = new QLabel(r.text, frame);
            label->setObjectName(r.label);
            label->setFont(sansSerif(8.25));
            place(label, r.labelLeft, r.top, r.labelWidth, 255);
            auto* field = new QLineEdit(frame);
            field->setObjectName(r.field);
            field->setFont(sansSerif(8.25));
            place(field, r.fieldLeft, r.top, r.fieldWidth, 285);
            if (previous) setTabOrder(previous, field);
            previous = field;
            fields[r.field] = field;
        }
    }
    auto* tiden = new QLabel("Tiden", this);
    tiden->setObjectName("Label10");
    tiden->setFont(sansSerif(9.75, true));
    place(tiden, 2040, 240, 615, 375);
    auto* hint = new QLabel("Fyll i två av de tre kolumnerna. Använd Tab!  Beräkna den tredje.", this);
    hint->setObjectName("Label11");
    QPalette hp = hint->palette();
    hp.setColor(QPalette::WindowText, Qt::blue);
    hint->setPalette(hp);
    place(hint, 240, 3840, 5415, 255);

    const auto button = [&](const char* name, const char* caption, int left, int width, int height, void (frmCalc3::*click)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);  // no button answers the Enter key
        place(b, left, 3000, width, height);
        connect(b, &QPushButton::clicked, this, click);
        setTabOrder(previous, b);
        previous = b;
        return b;
    };
    button("cmdCalculate", "Beräkna", 1680, 1215, 615, &frmCalc3::cmdCalculate_Click)->setFont(sansSerif(8.25, true));
    button("cmdClean", "Rensa", 3120, 855, 495, &frmCalc3::cmdClean_Click);
    button("cmdClose", "Stäng", 4080, 855, 495, &frmCalc3::cmdClose_Click);

    installCalcWindowOps({
        [this](const std::string& f) { return fields.at(f)->text().toStdString(); },
        [this](const std::string& f, const std::string& text) { fields.at(f)->setText(QString::fromStdString(text)); },
        [this](const std::string& frame, bool blue) {
            QPalette p = frames.at(frame)->palette();
            p.setColor(QPalette::WindowText, blue ? QColor(0, 0, 255) : QColor(0, 0, 0));
            frames.at(frame)->setPalette(p);
            // The fields and labels inside keep their own black.
            for (auto* child : frames.at(frame)->findChildren<QWidget*>()) child->setPalette(QPalette());
        },
        [this] { fields.at("txtYr1")->setFocus(); },
        [this](const std::string& text, const std::string& title) {
            QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), QString::fromStdString(text),
                            QMessageBox::Ok, this);
            box.setWindowModality(Qt::ApplicationModal);
            box.exec();
        },
        [this] {
            if (mainWindowTurned) mainWindowTurned();
        },
    });
}

frmCalc3::~frmCalc3() {
    // The computations must not reach a window that is gone.
    installCalcWindowOps({});
}

void frmCalc3::Form_Load() {
    show();
    fields.at("txtYr1")->setFocus();
}

void frmCalc3::cmdCalculate_Click() {
    // Nothing a press meets may end the program; the press reports its own refusals.
    try {
        tovmir::cmdCalculate_Click();
    } catch (const std::exception& e) {
        QMessageBox::warning(this, "Fel i datumberäkning", QString::fromStdString(e.what()));
    }
}

void frmCalc3::cmdClean_Click() { tovmir::cmdClean_Click(); }

void frmCalc3::cmdClose_Click() {
    close();
    if (focusDateField) focusDateField();
}

QRect frmCalc3::timeWordRect() const {
    const auto* label = findChild<QLabel*>("Label10");
    const QFontMetrics m(label->font());
    const QRect r = label->contentsRect();
    const QRect text = QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                           QSize(m.horizontalAdvance(label->text()), m.height()), r);
    return text.translated(label->pos());
}

void frmCalc3::paintEvent(QPaintEvent*) {
    // The arrow "Tiden" points from date 1 to date 2: a shaft and a two-line head, 2 pixels wide.
    // The shaft runs at the height of the word, so it stops short of it on either side.
    QPainter p(this);
    p.setPen(QPen(Qt::black, 2));
    const QRect word = timeWordRect();
    p.drawLine(px(480), px(360), word.left() - 4, px(360));
    p.drawLine(word.right() + 4, px(360), px(4320), px(360));
    p.drawLine(px(4080), px(240), px(4320), px(360));
    p.drawLine(px(4320), px(360), px(4080), px(480));
}

}  // namespace tovmir
