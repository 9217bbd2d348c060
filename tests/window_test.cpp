// The Qt windows driven offscreen by keys and clicks, on the shipped reference files. What
// the handlers compute is tested without a window; here, that each event's result is shown.
#include <algorithm>
#include <cmath>
#include <functional>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "calculator/calcwindow.h"
#include "calendar/state.h"
#include "mainwindow/findwindow.h"
#include "mainwindow/frmTovmir3.h"
#include "mainwindow/windowhooks.h"
#include "monthview/layout.h"
#include "monthview/surface.h"
#include "refdata/nationsettings.h"
#include "refdata_fixture.h"

using namespace tovmir;

namespace {

class Window : public fixture::WorkingFolder {
protected:
    void SetUp() override {
        WorkingFolder::SetUp();
        for (const auto& f : std::filesystem::directory_iterator(TOVMIR_RUN_DIR))
            std::filesystem::create_symlink(f.path(), dir / f.path().filename());
    }
};

template <class T> T* child(QWidget* w, const char* name) { return w->findChild<T*>(name); }

bool becomesActive(QWidget* w) { return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }); }

// St Andrew's day 1747 in Sweden, 30 November Old Style: Julian day number 2359483, a Monday.
const FoundDay andreas1747{2359483, 1747, 11, 30, 1747, 12, 11, "Må", "n334"};

// The main window loaded and shown; openByCtrlF makes it active. The timer closes any
// modal box at once; its message stays in shownMessages and fails the test.
struct Shown {
    frmTovmir3 w;
    QTimer boxCloser;
    explicit Shown(const QString& month = {}) {
        findPhrase.clear(), findFromText.clear(), findToText.clear(), findFromDefault.clear(), findMessage.clear();
        foundDays.clear(), foundNation = 0, shownMessages.clear();
        QObject::connect(&boxCloser, &QTimer::timeout, [] { if (auto* box = QApplication::activeModalWidget()) box->close(); });
        boxCloser.start(10);
        EXPECT_TRUE(w.Form_Load()) << (shownMessages.empty() ? "" : shownMessages.back().text);
        if (!month.isEmpty()) w.enterMonth(month);
        w.show();
    }
    ~Shown() { for (const auto& m : shownMessages) ADD_FAILURE() << m.title << ": " << m.text; }
    QLineEdit* dateField() { return child<QLineEdit>(&w, "txtIndate"); }
    QString shown() { return (child<QLabel>(&w, "lblYear")->text() + " " + child<QLabel>(&w, "lblMonth")->text()).simplified(); }
    void click(const char* picture) { QTest::mouseClick(child<QLabel>(&w, picture), Qt::LeftButton); }
    void showMonth(int16_t n, const QString& month) { nation = n, loadedYear = 0, loadNationSettings(), w.enterMonth(month); }
    void resize(QSize size) { w.resize(size), QApplication::processEvents(); }
    // The dialog is activated a little after the key (qWaitForWindowActive answers for its parent).
    frmFind* openByCtrlF() {
        w.activateWindow();
        EXPECT_TRUE(becomesActive(&w));
        QTest::keyClick(dateField(), Qt::Key_F, Qt::ControlModifier);
        auto* f = w.findChild<frmFind*>("frmFind");
        EXPECT_TRUE(f && becomesActive(f));
        return f;
    }
    // The day found in this nation, chosen in the list and shown by "Visa".
    frmFind* choose(const FoundDay& day) {
        foundDays = {day}, foundNation = nation;
        frmFind* f = openByCtrlF();
        child<QTreeWidget>(f, "lstDays")->setCurrentItem(child<QTreeWidget>(f, "lstDays")->topLevelItem(0));
        QTest::mouseClick(child<QPushButton>(f, "cmdShow"), Qt::LeftButton);
        return f;
    }
    // The y of each mark in the display list, and that of the line of the day labelled dd.
    static std::vector<int> marks() {
        std::vector<int> y;
        for (const auto& op : displayList)
            if (op.kind == SurfaceOp::line && op.name == markLineName) y.push_back(op.y);
        return y;
    }
    static std::vector<int> markOn(const std::string& dd) {
        for (const auto& op : displayList)
            if (op.kind == SurfaceOp::print && op.x == layout::textX && op.text.rfind(dd + " ", 0) == 0) return {op.y};
        return {-1};
    }
};

}  // namespace

// Typing and Enter, a stepping key, a held key, the flag; the window grows as one, by
// the smaller factor; the picture buttons explain themselves, Latin shows pressed while on.
TEST_F(Window, KeysAndClicksReachTheHandlersAndTheWindowGrowsAsOne) {
    Shown s;
    QLineEdit* field = s.dateField();
    field->selectAll();
    QTest::keyClicks(field, "1712-02");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(s.shown(), "1712 Februari");
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(field->text(), "1712-03");
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(field, &repeat);  // held: no step until the last release
    EXPECT_EQ(field->text(), "1712-03");
    s.click("picFlg");
    EXPECT_EQ(s.w.windowTitle(), "Tovmir: Finlands kalender");
    const QRect designed = field->geometry();
    const double points = field->font().pointSizeF();
    s.resize(s.w.minimumSize() * 2);
    EXPECT_EQ(field->geometry(), QRect(designed.topLeft() * 2, designed.size() * 2));
    EXPECT_DOUBLE_EQ(field->font().pointSizeF(), points * 2);
    s.resize(QSize(s.w.minimumWidth() * 3, s.w.minimumHeight() * 3 / 2));
    EXPECT_DOUBLE_EQ(s.w.scale(), 1.5);
    for (const char* name : {"picFlg", "picHelp", "picLatin", "picAge", "picNotis", "picFind"})
        EXPECT_NE(child<QLabel>(&s.w, name)->toolTip(), "") << name;
    s.click("picLatin");
    EXPECT_EQ(child<QLabel>(&s.w, "picLatin")->frameShape(), QFrame::Panel);
}

// The calculator from its picture: its arrow clears the word "Tiden", Tab runs through
// the nine fields in order and then the buttons, a result fills its group, turns its
// frame blue and the main window to its month, unmarked; the flag closes it.
TEST_F(Window, TheCalculatorTurnsTheMainWindowToItsResult) {
    Shown s;
    s.click("picAge");
    auto* calc = child<frmCalc3>(&s.w, "frmCalc3");
    ASSERT_NE(calc, nullptr);
    const QRect word = calc->timeWordRect();
    child<QLabel>(calc, "Label10")->hide();  // the word's own black pixels out of the picture
    const QImage picture = calc->grab().toImage();
    ASSERT_TRUE(word.top() <= 24 && word.bottom() >= 24);  // the shaft's height
    for (int x = word.left(); x <= word.right(); ++x)
        for (int y = 22; y <= 26; ++y) EXPECT_NE(picture.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;
    const auto field = [&](const char* name) { return child<QLineEdit>(calc, name); };
    auto* calculate = child<QPushButton>(calc, "cmdCalculate");
    QWidget* next = field(calcFieldNames[0]);
    for (int i = 1; i <= 9; ++i) {
        do next = next->nextInFocusChain(); while (!(next->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(next, i < 9 ? static_cast<QWidget*>(field(calcFieldNames[i])) : calculate) << i;
    }
    delete s.choose(andreas1747);
    const char* typed[][2] = {{"txtYr1", "2001"}, {"txtMo1", "6"}, {"txtDa1", "15"}, {"txtAgeMo", "10"}};
    for (const auto& [f, text] : typed) QTest::keyClicks(field(f), text);
    QTest::mouseClick(calculate, Qt::LeftButton);
    EXPECT_EQ(field("txtYr2")->text() + field("txtMo2")->text() + field("txtDa2")->text(), " 2002 4 15");
    EXPECT_EQ(child<QGroupBox>(calc, "Frame3")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(s.shown(), "2002 April");
    EXPECT_TRUE(Shown::marks().empty());
    s.click("picFlg");
    QApplication::processEvents();
    EXPECT_EQ(s.w.findChild<frmCalc3*>("frmCalc3"), nullptr);
}

// In the reform months and every 37th month, measured with the window's font: each day's
// text right of the rule Line8, short of the other calendar's label or date, inside the
// window, no week rule through the accents below. As painted, at every size and after
// a repaint: nothing right of the listing, nor right of Line8 below the last day.
TEST_F(Window, NothingCollidesAndTheRulesStayInsideTheMonthAtEverySize) {
    Shown s;
    std::vector<std::pair<int16_t, QString>> months = {
        {0, "1753-02"}, {4, "1700-11"}, {0, "2025-03"}, {0, "2021-02"}, {0, "2024-05"}, {0, "1700-02"}, {0, "1712-02"},
        {1, "1753-02"}, {2, "1700-02"}, {3, "1700-02"}, {6, "1582-10"}, {8, "1582-10"}, {7, "1752-09"}, {9, "1500-03"}};
    for (int16_t n = 0; n <= 3; ++n)
        for (int m = 1200 * 12; m <= 2100 * 12 + 11; m += 37)
            months.emplace_back(n, QString("%1-%2").arg(m / 12).arg(m % 12 + 1, 2, 10, QChar('0')));
    const QFontMetricsF metrics(s.w.listingFont);
    const double tightTop = metrics.tightBoundingRect("ÅÖÄÉMHIjgpq").top();  // above the baseline, negative
    for (const auto& [n, month] : months) {
        s.showMonth(n, month);
        const auto pieces = s.w.listingPieces();
        const std::string at = std::to_string(n) + " " + month.toStdString();
        ASSERT_FALSE(pieces.empty()) << at;
        for (const auto& p : pieces) {
            const double right = p.x + metrics.horizontalAdvance(p.text);
            SCOPED_TRACE(at + ": " + p.text.toStdString());
            EXPECT_LE(right, s.w.minimumWidth());
            EXPECT_LE(p.top + metrics.ascent() + metrics.descent(), s.w.minimumHeight());
            if (p.x < 50 || p.x > 200) continue;  // the day's text column only
            EXPECT_GE(p.x, 57.0);        // right of Line8 at x 56
            bool labelled = false;
            for (const auto& q : pieces) labelled = labelled || (q.top == p.top && q.x > 250 && q.x < 260);
            EXPECT_LE(right, double(labelled ? layout::calendarLabelX : layout::alternativeX) / layout::twipsPerPixel - 2);
        }
        for (const auto& [name, y] : lineY)
            for (const auto& p : pieces)  // the rule against the tops of the letters just below it
                if (const double ruleY = double(y) / layout::twipsPerPixel; ruleY >= p.top - 3 && ruleY <= p.top + metrics.ascent())
                    EXPECT_GT(p.top + metrics.ascent() + tightTop, ruleY + 0.5) << name << " " << at;
    }
    const QSize d = s.w.minimumSize();
    for (const QSize size : {d, QSize(1000, 600), QSize(600, 1000), d * 2}) {
        s.resize(size);
        const double scale = s.w.scale();
        const int right = int(std::ceil(d.width() * scale)), textLeft = int(std::ceil(60 * scale));  // past Line8's pen
        for (std::size_t i = 0; i < 5; ++i) {  // a reform month, short and long months
            s.showMonth(months[i].first, months[i].second);
            double lastBottom = 0;
            for (const auto& p : s.w.listingPieces()) lastBottom = std::max(lastBottom, p.top + metrics.ascent() + metrics.descent());
            const int below = int(std::ceil(lastBottom * scale)) + 1;
            for (int repaint = 0; repaint < 2; ++repaint) {
                const QImage image = s.w.grab().toImage();
                ASSERT_EQ(image.size(), size);
                int outside = 0, under = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        if (image.pixelColor(x, y) != QColor(Qt::white))
                            (x > right ? outside : under) += x > right || (y > below && x >= textLeft);
                EXPECT_EQ(std::pair(outside, under), std::pair(0, 0))
                    << size.width() << "x" << size.height() << " " << months[i].second.toStdString();
            }
        }
    }
}

// Its button shows the magnifier; Ctrl+F opens it on the year shown, focus in the phrase;
// Tab reaches every control; Escape closes it and gives the focus back. Enter on the
// first row found shows its month, marked; nothing found and every refusal go to the
// message line and leave the month. Olof's name day is 29 July, a Monday in 1745.
TEST_F(Window, TheSearchDialogByTheKeyboardRefusesAndMarksUntilTheNextChange) {
    Shown s("1745-06");
    const QImage magnifier = child<QLabel>(&s.w, "picFind")->pixmap().toImage();
    EXPECT_EQ(magnifier.pixelColor(8, 8), QColor(0xA6, 0xCA, 0xF0));  // the lens of Find.xpm, not a blank square
    frmFind* f = s.openByCtrlF();
    ASSERT_NE(f, nullptr);
    const auto field = [&](const char* name) { return child<QLineEdit>(f, name); };
    auto* list = child<QTreeWidget>(f, "lstDays");
    auto* message = child<QLabel>(f, "lblMessage");
    EXPECT_EQ(field("txtFrom")->text(), "1745");
    for (const char* name : {"txtPhrase", "txtFrom", "txtTo", "cmdFind", "lstDays", "cmdShow", "cmdClose", "txtPhrase"}) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(becomesActive(&s.w));
    EXPECT_EQ(QApplication::focusWidget(), s.dateField());
    s.click("picFind");
    EXPECT_TRUE(f->isVisible());
    // Each typed and entered with the date field half-typed. A date is the first row
    // found; otherwise the search is refused and the message names the years or not.
    const auto listing = [&] {  // the month and year shown, and the listing's texts
        QStringList t{s.shown()};
        for (const auto& p : s.w.listingPieces()) t << p.text;
        return t.join('|');
    };
    const QString limits = "1200 till 2100";
    struct Case { const char *phrase, *from, *to, *found; };
    const Case cases[] = {
        {"Olof", "1745", "", "1745-07-29 Må"}, {"Die Andreae 1747", nullptr, "", "1747-11-30 Må"},  // From as it opened
        {"Die Andreae 1747", "", "", "1747-11-30 Må"}, {"Die Andreae 1100", nullptr, "", "1200 till 2100"},
        {"Xyzzyvox", "1745", "", ""},                   {". , .", "1745", "", ""},  // no day's name, no words at all
        {"Olof", "1199", "", "1200 till 2100"},         {"Olof", "1745", "2101", "1200 till 2100"},
        {"Olof", "99999", "", "1200 till 2100"},        {"Olof", "", "", "1200 till 2100"},  // past 16 bits, no year
        {"Olof", "1745", "1700", ""},                   // backwards
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.phrase) + " " + (c.from ? c.from : "as opened") + "-" + c.to);
        f->activateWindow();
        ASSERT_TRUE(becomesActive(f));
        f->Form_Load();
        if (c.from) field("txtFrom")->setText(c.from);
        field("txtTo")->setText(c.to);
        s.dateField()->setText("17");  // which the redraw after a search must not read
        const QString before = listing();
        QTest::keyClicks(field("txtPhrase"), c.phrase);
        QTest::keyClick(field("txtPhrase"), Qt::Key_Return);
        if (QTreeWidgetItem* first = list->topLevelItem(0); QString(c.found).contains('-')) {
            ASSERT_EQ(first ? first->text(0) + " " + first->text(1) : message->text(), c.found);
            ASSERT_EQ(QApplication::focusWidget(), list);  // on the first row
            QTest::keyClick(list, Qt::Key_Return);
            EXPECT_EQ(s.dateField()->text(), QString(c.found).left(7));
            EXPECT_EQ(Shown::marks(), Shown::markOn(std::string(c.found).substr(8, 2)));
            continue;
        }
        EXPECT_EQ(list->topLevelItemCount(), 0);
        EXPECT_NE(message->text(), "");
        EXPECT_EQ(message->text().contains(limits), c.found == limits) << message->text().toStdString();
        EXPECT_EQ(s.dateField()->text(), "17");
        EXPECT_EQ(listing(), before);
    }
    // A day chosen turns the main window to its month with that day's line marked; a
    // search keeps the mark, any other change clears it. Day numbers from outside the
    // program: Sweden's 30 February 1712 and 1 March 1753 (after its gap).
    delete f;
    struct Chosen { FoundDay day; const char *row, *shown; std::function<void()> change; };
    const Chosen chosen[] = {
        {{2346425, 1712, 2, 30, 1712, 3, 11, "To", "n60"}, "1712-02-30", "1712 Februari", [&] { s.click("picLatin"); }},
        {{2361390, 1753, 3, 1, 1753, 2, 18, "To", "n60"}, "1753-03-01", "1753 Mars", [&] { s.w.enterMonth("1747-11"); }},
        {andreas1747, "1747-11-30", "1747 November", [&] { QTest::keyClick(s.dateField(), Qt::Key_Right); }},
        {andreas1747, "1747-11-30", "1747 November", [&] { s.click("picFlg"); }},
    };
    for (const auto& c : chosen) {
        SCOPED_TRACE(c.row);
        f = s.choose(c.day);
        EXPECT_EQ(s.dateField()->text() + " " + s.shown(), QString(c.row).left(7) + " " + c.shown);
        EXPECT_EQ(Shown::marks(), Shown::markOn(std::string(c.row).substr(8)));
        f->enterPhrase("Xyzzyvox");  // finds nothing, redraws the month
        EXPECT_EQ(Shown::marks(), Shown::markOn(std::string(c.row).substr(8)));
        delete f;  // the next Ctrl+F makes it again, with the next list
        c.change();
        EXPECT_TRUE(Shown::marks().empty());
    }
    // After the flag the nation is another: its old search's rows turn nothing.
    f = s.openByCtrlF();
    QTest::mouseClick(child<QPushButton>(f, "cmdShow"), Qt::LeftButton);
    EXPECT_EQ(s.dateField()->text(), "1747-11");
    EXPECT_NE(child<QLabel>(f, "lblMessage")->text(), "");
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
