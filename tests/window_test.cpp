// The Qt window as a user drives it, offscreen: controls found by their names,
// keys and clicks sent with QTest; the painted display list and the widgets'
// texts and colours are checked, not pixels.
#include <algorithm>
#include <cmath>

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
        build(fixture::baseTables());
    }
};

// A modal box would wait for a click that never comes: this closes any at once.
// The messages are still recorded in shownMessages.
struct BoxCloser {
    QTimer timer;
    BoxCloser() {
        QObject::connect(&timer, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        timer.start(10);
    }
};

}  // namespace

TEST_F(Window, KeysAndClicksReachTheHandlers) {
    frmTovmir3 w;
    BoxCloser closer;
    ASSERT_TRUE(w.Form_Load()) << (shownMessages.empty() ? "" : shownMessages.back().text);
    w.show();
    auto* field = w.findChild<QLineEdit*>("txtIndate");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(w.windowTitle(), "Sverige");

    field->selectAll();
    QTest::keyClicks(field, "1712-02");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(w.findChild<QLabel*>("lblYear")->text(), " 1712");
    EXPECT_EQ(curMonth, 2);
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(255, 255, 0));

    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(field->text(), "1712-03");
    // A held key: the repeated presses and releases give no step until the last release.
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(field, &repeat);
    EXPECT_EQ(field->text(), "1712-03");

    QTest::keyClick(field, Qt::Key_Minus);
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(255, 0, 0));

    QTest::mouseClick(w.findChild<QLabel*>("picFlg"), Qt::LeftButton);
    EXPECT_EQ(nation, 1);
    EXPECT_EQ(w.windowTitle(), "Nation 1");
    EXPECT_FALSE(displayList.empty());
    EXPECT_FALSE(w.grab().isNull());  // paints the list without failing
    for (const auto& m : shownMessages) ADD_FAILURE() << m.title << ": " << m.text;
}

TEST_F(Window, TheCalculatorTurnsTheMainWindowToItsResult) {
    frmTovmir3 w;
    BoxCloser closer;
    ASSERT_TRUE(w.Form_Load());
    w.show();
    QTest::mouseClick(w.findChild<QLabel*>("picAge"), Qt::LeftButton);
    auto* calc = w.findChild<frmCalc3*>("frmCalc3");
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(calc->windowTitle(), "Datumberäkningar");
    const auto field = [&](const char* name) { return calc->findChild<QLineEdit*>(name); };
    // Tab runs through the nine fields in order, then the buttons; labels and frames take no focus.
    const auto tabFrom = [](QWidget* w) {
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    for (int i = 0; i + 1 < 9; ++i)
        EXPECT_EQ(tabFrom(field(calcFieldNames[i])), field(calcFieldNames[i + 1])) << calcFieldNames[i];
    EXPECT_EQ(tabFrom(field("txtDa2")), calc->findChild<QPushButton*>("cmdCalculate"));

    QTest::keyClicks(field("txtYr1"), "2001");
    QTest::keyClicks(field("txtMo1"), "6");
    QTest::keyClicks(field("txtDa1"), "15");
    QTest::keyClicks(field("txtAgeMo"), "10");
    QTest::mouseClick(calc->findChild<QPushButton*>("cmdCalculate"), Qt::LeftButton);
    EXPECT_EQ(field("txtYr2")->text(), " 2002");
    EXPECT_EQ(field("txtDa2")->text(), " 15");
    EXPECT_EQ(calc->findChild<QGroupBox*>("Frame3")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(w.findChild<QLineEdit*>("txtIndate")->text(), "2002-04");
    EXPECT_EQ(w.findChild<QLabel*>("lblYear")->text(), " 2002");

    // A negative span: refused, every field emptied, the frames black again.
    QTest::keyClicks(field("txtAgeDa"), "-1");
    QTest::mouseClick(calc->findChild<QPushButton*>("cmdCalculate"), Qt::LeftButton);
    for (const char* f : calcFieldNames) EXPECT_EQ(field(f)->text(), "") << f;
    EXPECT_EQ(calc->findChild<QGroupBox*>("Frame3")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(w.findChild<QLineEdit*>("txtIndate")->text(), "2002-04");

    // The flag closes the calculator.
    QTest::mouseClick(w.findChild<QLabel*>("picFlg"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(w.findChild<frmCalc3*>("frmCalc3"), nullptr);
}

namespace {

// A scratch working folder holding the shipped reference files, so the window
// reads the real texts and writes its ctry.txt where the build does not look.
class ShippedWindow : public ::testing::Test {
protected:
    std::filesystem::path saved, dir;
    void SetUp() override {
        saved = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() / ("tovmir-window-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (const auto& f : std::filesystem::directory_iterator(TOVMIR_RUN_DIR))
            std::filesystem::create_symlink(f.path(), dir / f.path().filename());
        std::filesystem::current_path(dir);
        resetCalendarState();
        installMainWindowOps({});
    }
    void TearDown() override {
        std::filesystem::current_path(saved);
        std::filesystem::remove_all(dir);
    }
};

void showMonth(frmTovmir3& w, int16_t forNation, const QString& month) {
    nation = forNation;
    loadedYear = 0;
    loadNationSettings();
    w.enterMonth(month);
}

}  // namespace

// Measured with the window's own font: each day's text clear of the rule Line8
// and ending before the other calendar's label or date, everything inside the
// window, and no week rule through the accents of the line below it.
TEST_F(ShippedWindow, NothingCollidesInReformMonthsAndASampleOfOthers) {
    frmTovmir3 w;
    BoxCloser closer;
    ASSERT_TRUE(w.Form_Load());
    struct Month { int16_t nation; std::string month; };
    std::vector<Month> months = {{0, "1700-02"}, {0, "1712-02"}, {0, "1753-02"}, {1, "1753-02"}, {2, "1700-02"},
                                 {3, "1700-02"}, {4, "1700-11"}, {6, "1582-10"}, {8, "1582-10"}, {7, "1752-09"},
                                 {0, "2024-03"}, {0, "1989-03"}, {2, "2017-04"}, {9, "1500-03"}};
    // And every 37th month from 1200 to 2100 in each Nordic nation.
    for (int16_t n = 0; n <= 3; ++n)
        for (int m = 1200 * 12; m <= 2100 * 12 + 11; m += 37)
            months.push_back({n, QString("%1-%2").arg(m / 12).arg(m % 12 + 1, 2, 10, QChar('0')).toStdString()});
    const QFontMetricsF metrics(w.listingFont);
    const double tightTop = metrics.tightBoundingRect("ÅÖÄÉMHIjgpq").top();  // above the baseline, negative
    for (const auto& m : months) {
        const QString month = QString::fromStdString(m.month);
        showMonth(w, m.nation, month);
        const auto pieces = w.listingPieces();
        ASSERT_FALSE(pieces.empty()) << month.toStdString();
        for (const auto& p : pieces) {
            const double right = p.x + metrics.horizontalAdvance(p.text);
            const std::string where = std::to_string(m.nation) + " " + month.toStdString() + ": " + p.text.toStdString();
            EXPECT_LE(right, 356.0) << where;
            EXPECT_LE(p.top + metrics.ascent() + metrics.descent(), 412.0) << where;
            if (p.x < 50 || p.x > 200) continue;  // the day's text column only
            EXPECT_GE(p.x, 57.0) << where;        // right of Line8 at x 56
            bool labelled = false;
            for (const auto& q : pieces) labelled = labelled || (q.top == p.top && q.x > 250 && q.x < 260);
            EXPECT_LE(right, double(labelled ? layout::calendarLabelX : layout::alternativeX) / layout::twipsPerPixel - 2) << where;
        }
        // Each week's rule against the tops of the letters of the line below it.
        for (const auto& [name, y] : lineY) {
            const double ruleY = double(y) / layout::twipsPerPixel;
            for (const auto& p : pieces) {
                if (ruleY < p.top - 3 || ruleY > p.top + metrics.ascent()) continue;  // not the line just below
                const double glyphTop = p.top + metrics.ascent() + tightTop;
                EXPECT_GT(glyphTop, ruleY + 0.5) << name << " " << month.toStdString();
            }
        }
    }
}

// As painted, at the designed size and enlarged in and out of proportion: the
// rules and the text end at the listing's right edge (the designed width times
// the window's scale), and below the last day's line nothing is drawn right of
// the rule Line8, however short the month; after the month changes and after
// another repaint alike.
TEST_F(ShippedWindow, TheRulesStayInsideTheMonthAtEverySize) {
    frmTovmir3 w;
    BoxCloser closer;
    ASSERT_TRUE(w.Form_Load());
    w.show();
    const QColor white(Qt::white);
    const QFontMetricsF metrics(w.listingFont);
    struct Month { int16_t nation; const char* month; };
    const Month months[] = {{0, "1753-02"}, {4, "1700-11"}, {0, "2025-03"}, {0, "2021-02"}, {0, "2024-05"}};
    for (const QSize size : {QSize(356, 412), QSize(1000, 600), QSize(600, 1000), QSize(712, 824)}) {
        w.resize(size);
        QApplication::processEvents();
        const double s = w.scale();
        const int right = int(std::ceil(w.minimumWidth() * s));
        const int textLeft = int(std::ceil(60 * s));  // right of Line8 (x 56) and its pen
        for (const auto& m : months) {
            showMonth(w, m.nation, m.month);
            double lastBottom = 0;
            for (const auto& p : w.listingPieces()) lastBottom = std::max(lastBottom, p.top + metrics.ascent() + metrics.descent());
            const int below = int(std::ceil(lastBottom * s)) + 1;
            for (int repaint = 0; repaint < 2; ++repaint) {
                const QImage image = w.grab().toImage();
                ASSERT_EQ(image.size(), size);
                const std::string where = std::to_string(size.width()) + "x" + std::to_string(size.height()) + " " +
                                          std::to_string(m.nation) + " " + m.month;
                int outside = 0, under = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        if (image.pixelColor(x, y) == white) continue;
                        if (x > right) ++outside;
                        else if (y > below && x >= textLeft) ++under;
                    }
                EXPECT_EQ(outside, 0) << where << ": drawn right of x " << right;
                EXPECT_EQ(under, 0) << where << ": drawn below y " << below;
            }
        }
    }
}

// The window grows as one: controls, fonts, pictures and the listing by the same
// factor, the designed size its smallest; the picture buttons explain themselves.
TEST_F(Window, EnlargesUniformlyAndTheButtonsHaveTooltips) {
    frmTovmir3 w;
    BoxCloser closer;
    ASSERT_TRUE(w.Form_Load());
    w.show();
    auto* field = w.findChild<QLineEdit*>("txtIndate");
    const QRect designed = field->geometry();
    const double points = field->font().pointSizeF();
    EXPECT_EQ(w.minimumSize(), QSize(356, 412));
    w.resize(712, 824);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(w.scale(), 2.0);
    EXPECT_EQ(field->geometry(), QRect(designed.topLeft() * 2, designed.size() * 2));
    EXPECT_DOUBLE_EQ(field->font().pointSizeF(), points * 2);
    EXPECT_EQ(w.grab().size(), QSize(712, 824));
    w.resize(1000, 600);  // the smaller factor keeps the proportions
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(w.scale(), 600.0 / 412);

    for (const char* name : {"picFlg", "picHelp", "picLatin", "picAge", "picNotis"})
        EXPECT_FALSE(w.findChild<QLabel*>(name)->toolTip().isEmpty()) << name;
    auto* latin = w.findChild<QLabel*>("picLatin");
    EXPECT_EQ(latin->frameShape(), QFrame::NoFrame);
    QTest::mouseClick(latin, Qt::LeftButton);
    EXPECT_TRUE(latinNames);
    EXPECT_EQ(latin->frameShape(), QFrame::Panel);  // shown pressed while the Latin names are on
}

// The arrow's shaft runs at the height of "Tiden" and stops short of the word.
TEST_F(Window, TheCalculatorsArrowClearsItsWord) {
    frmTovmir3 w;
    BoxCloser closer;
    ASSERT_TRUE(w.Form_Load());
    w.show();
    w.picAge_Click();
    auto* calc = w.findChild<frmCalc3*>("frmCalc3");
    ASSERT_NE(calc, nullptr);
    const QRect word = calc->timeWordRect();
    auto* label = calc->findChild<QLabel*>("Label10");
    label->hide();  // the word's own black pixels out of the picture
    const QImage picture = calc->grab().toImage();
    ASSERT_TRUE(word.top() <= 24 && word.bottom() >= 24);  // the shaft's height
    for (int x = word.left(); x <= word.right(); ++x)
        for (int y = 22; y <= 26; ++y) EXPECT_NE(picture.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;
    label->show();
}

namespace {

// The search dialog's state lives beside the shared calendar state and starts fresh too.
void resetFind() {
    findPhrase.clear(), findFromText.clear(), findToText.clear(), findFromDefault.clear();
    foundDays.clear();
    foundNation = 0;
    findMessage.clear();
}

// The main window on a month, shown and active, so that its shortcuts work.
struct Shown {
    frmTovmir3 w;
    BoxCloser closer;
    explicit Shown(const QString& month) {
        resetFind();
        shownMessages.clear();
        EXPECT_TRUE(w.Form_Load());
        w.enterMonth(month);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &w; }));
    }
    QLineEdit* dateField() { return w.findChild<QLineEdit*>("txtIndate"); }
    frmFind* openByCtrlF() {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &w; }));
        QTest::keyClick(dateField(), Qt::Key_F, Qt::ControlModifier);
        auto* f = w.findChild<frmFind*>("frmFind");
        // The window system activates it a little later (qWaitForWindowActive
        // already answers for the transient parent).
        if (f) {
            EXPECT_TRUE(QTest::qWaitFor([f] { return QApplication::activeWindow() == f; }));
        }
        return f;
    }
    // The y of the line the listing printed for the day labelled dd, -1 if none.
    static int lineOf(const std::string& dd) {
        for (const auto& op : displayList)
            if (op.kind == SurfaceOp::print && op.x == layout::textX && op.text.rfind(dd + " ", 0) == 0) return op.y;
        return -1;
    }
    // Where the mark stands in the display list: its y, -1 for none, -2 for more than one.
    static int markY() {
        int y = -1;
        for (const auto& op : displayList)
            if (op.kind == SurfaceOp::line && op.name == markLineName) y = y == -1 ? op.y : -2;
        return y;
    }
};

template <class T>
T* child(QWidget* w, const char* name) {
    auto* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

}  // namespace

TEST_F(Window, CtrlFOpensItAndTheKeyboardReachesEveryControl) {
    Shown s("1745-06");
    EXPECT_EQ(child<QLabel>(&s.w, "picFind")->toolTip(), "Sök en dag (Ctrl+F)");
    frmFind* f = s.openByCtrlF();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), "Sök");
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(f, "txtPhrase"));
    EXPECT_EQ(child<QLineEdit>(f, "txtFrom")->text(), "1745");  // the year on show

    // Tab runs phrase, from, to, Sök, list, Visa, Stäng and round to the phrase.
    const char* order[] = {"txtPhrase", "txtFrom", "txtTo", "cmdFind", "lstDays", "cmdShow", "cmdClose", "txtPhrase"};
    for (int i = 0; i + 1 < 8; ++i) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), order[i]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtPhrase");

    // Escape closes it, from the list too, and the focus goes back to the month.
    child<QTreeWidget>(f, "lstDays")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &s.w; }));
    EXPECT_EQ(QApplication::focusWidget(), s.dateField());

    // The picture button opens the same dialog again.
    QTest::mouseClick(child<QLabel>(&s.w, "picFind"), Qt::LeftButton);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(s.w.findChildren<frmFind*>().size(), 1);
    for (const auto& m : shownMessages) ADD_FAILURE() << m.title << ": " << m.text;
}

// Nothing found and every refusal end up on the dialog's message line, never in
// a crash or a box, and the month on show stays as it was, even while the date
// field holds a half-typed entry (which the redraw after a search must not read).
TEST_F(Window, NothingFoundAndRefusalsLeaveTheMonthAsItWas) {
    Shown s("1745-06");
    frmFind* f = s.openByCtrlF();
    ASSERT_NE(f, nullptr);
    s.dateField()->setText("17");
    const auto before = s.w.listingPieces();
    struct Case {
        const char *phrase, *from, *to;
        bool namesLimits;  // refused by the years: the message names Sweden's 1200 to 2100
    };
    const Case cases[] = {
        {"Xyzzyvox", "1745", "", false},      // a name no day carries
        {". , .", "1745", "", false},         // no words at all: the reader's own refusal
        {"Olof", "1199", "", true},           // before Sweden's first almanac year
        {"Olof", "1745", "2101", true},       // past the last year shown
        {"Olof", "99999", "", true},          // past 16 bits
        {"Olof", "", "", true},               // no year at all
        {"Olof", "1745", "1700", false},      // backwards
    };
    for (const auto& c : cases) {
        const std::string where = std::string(c.phrase) + " " + c.from + "-" + c.to;
        child<QLineEdit>(f, "txtFrom")->setText(c.from);
        child<QLineEdit>(f, "txtTo")->setText(c.to);
        auto* phrase = child<QLineEdit>(f, "txtPhrase");
        phrase->setText(c.phrase);
        QTest::keyClick(phrase, Qt::Key_Return);
        EXPECT_EQ(child<QTreeWidget>(f, "lstDays")->topLevelItemCount(), 0) << where;
        const QString message = child<QLabel>(f, "lblMessage")->text();
        EXPECT_FALSE(message.isEmpty()) << where;
        EXPECT_EQ(message.contains("1200 till 2100"), c.namesLimits) << where << ": " << message.toStdString();
        EXPECT_EQ(s.dateField()->text(), "17") << where;
        EXPECT_EQ(child<QLabel>(&s.w, "lblYear")->text(), " 1745") << where;
        EXPECT_EQ(child<QLabel>(&s.w, "lblMonth")->text().trimmed(), "Juni") << where;
        const auto after = s.w.listingPieces();
        ASSERT_EQ(after.size(), before.size()) << where;
        for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].text, before[i].text) << where;
    }
    EXPECT_EQ(loadedYear, 1745);  // the redraw loaded the shown year again
    for (const auto& m : shownMessages) ADD_FAILURE() << m.title << ": " << m.text;
}

// A day found and chosen turns the main window to its month with that day's line
// marked, by Enter on the row or by "Visa"; every other change of what is shown
// clears the mark, and a search does not. The found days are given here as the
// reader gives them, with day numbers from outside the program: Sweden's 30
// February 1712 and first of March 1753 (after its gap) and Die Andreae 1747,
// 30 November Old Style (the Julian day number of the Julian date).
TEST_F(Window, AChosenDayIsMarkedUntilTheNextChange) {
    struct Case {
        FoundDay day;
        const char *month, *monthName, *label;
    };
    const Case cases[] = {
        {{2346425, 1712, 2, 30, 1712, 3, 11, "To", "n60"}, "1712-02", "Februari", "30"},
        {{2361390, 1753, 3, 1, 1753, 2, 18, "To", "n60"}, "1753-03", "Mars", "01"},
        {{2359483, 1747, 11, 30, 1747, 12, 11, "Må", "n334"}, "1747-11", "November", "30"},
    };
    Shown s("2024-05");
    for (const auto& c : cases) {
        const std::string where = c.month;
        resetFind();
        foundDays = {c.day};
        frmFind* f = s.openByCtrlF();
        ASSERT_NE(f, nullptr);
        auto* list = child<QTreeWidget>(f, "lstDays");
        ASSERT_EQ(list->topLevelItemCount(), 1) << where;
        EXPECT_EQ(list->topLevelItem(0)->text(0).toStdString(), where + "-" + c.label);

        // By the keyboard: Tab to the list, Down to the row, Enter.
        for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(s.dateField()->text().toStdString(), where);
        EXPECT_EQ(child<QLabel>(&s.w, "lblMonth")->text().trimmed(), c.monthName) << where;
        EXPECT_EQ(child<QLabel>(&s.w, "lblYear")->text(), QString(" ") + QString(c.month).left(4)) << where;
        EXPECT_EQ(markedDay, c.day.dayNumber) << where;
        const int line = Shown::lineOf(c.label);
        EXPECT_GT(line, 0) << where;
        EXPECT_EQ(Shown::markY(), line) << where;

        // A search that finds nothing redraws the month and keeps the mark.
        child<QLineEdit>(f, "txtPhrase")->setText("Xyzzyvox");
        QTest::keyClick(child<QLineEdit>(f, "txtPhrase"), Qt::Key_Return);
        EXPECT_EQ(Shown::markY(), line) << where;
        delete f;  // the next Ctrl+F makes it again, with the next case's list
    }

    // Each other change clears it: the arrows, Enter in the date field, the Latin
    // names, the flag, the calculator's result.
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"Right", [&] { QTest::keyClick(s.dateField(), Qt::Key_Right); }},
        {"Up", [&] { QTest::keyClick(s.dateField(), Qt::Key_Up); }},
        {"Enter", [&] { s.w.enterMonth("1747-11"); }},
        {"picLatin", [&] { QTest::mouseClick(child<QLabel>(&s.w, "picLatin"), Qt::LeftButton); }},
        {"picAge", [&] {
             s.w.picAge_Click();
             auto* calc = child<QWidget>(&s.w, "frmCalc3");
             child<QLineEdit>(calc, "txtYr1")->setText("1747");
             child<QLineEdit>(calc, "txtMo1")->setText("11");
             child<QLineEdit>(calc, "txtDa1")->setText("1");
             child<QLineEdit>(calc, "txtAgeDa")->setText("3");
             QTest::mouseClick(child<QPushButton>(calc, "cmdCalculate"), Qt::LeftButton);
             calc->close();
         }},
        {"picFlg", [&] { QTest::mouseClick(child<QLabel>(&s.w, "picFlg"), Qt::LeftButton); }},
    };
    for (const auto& [name, change] : changes) {
        foundDays = {cases[2].day};
        foundNation = nation;
        frmFind* f = s.openByCtrlF();
        ASSERT_NE(f, nullptr);
        f->findChild<QTreeWidget*>("lstDays")->setCurrentItem(f->findChild<QTreeWidget*>("lstDays")->topLevelItem(0));
        QTest::mouseClick(child<QPushButton>(f, "cmdShow"), Qt::LeftButton);
        ASSERT_EQ(Shown::markY(), Shown::lineOf("30")) << name;
        delete f;
        change();
        EXPECT_EQ(markedDay, 0) << name;
        EXPECT_EQ(Shown::markY(), -1) << name;
    }

    // After the flag the nation is another: its old search's rows turn nothing.
    const QString month = s.dateField()->text();
    frmFind* f = s.openByCtrlF();
    QTest::mouseClick(child<QPushButton>(f, "cmdShow"), Qt::LeftButton);
    EXPECT_EQ(s.dateField()->text(), month);
    EXPECT_EQ(markedDay, 0);
    EXPECT_FALSE(child<QLabel>(f, "lblMessage")->text().isEmpty());
    for (const auto& m : shownMessages) ADD_FAILURE() << m.title << ": " << m.text;
}

// The search through the reader, as a genealogist types it, in Sweden. The dates
// are the church calendar's: Sweden kept the astronomical Easter from 1740, in
// 1745 on 7 April Old Style (18 April, the Gregorian Easter), so Trinity fell on 2
// June and its third Sunday after on 23 June; St Andrew's day is 30 November, and
// Olof's name day (Olofsmässa) 29 July, a Monday in 1745.
TEST_F(ShippedWindow, TheReaderFindsChurchBookDatesAndTheChoiceIsMarked) {
    Shown s("1745-01");
    frmFind* f = s.openByCtrlF();
    ASSERT_NE(f, nullptr);
    struct Case {
        const char *phrase, *from, *to, *date, *weekday;
    };
    const Case cases[] = {
        {"Olof", "1745", "", "1745-07-29", "Må"},
        {"Dom. 3 p. Trin.", "1745", "", "1745-06-23", "Sö"},
        {"Dom. III p. Trin. 1745", "1745", "", "1745-06-23", "Sö"},
        {"Die Andreae 1747", nullptr, "", "1747-11-30", nullptr},  // the phrase's year: From left as it opened
        {"Die Andreae 1747", "", "", "1747-11-30", nullptr},       // or left empty
    };
    for (const auto& c : cases) {
        f->Form_Load();
        if (c.from) child<QLineEdit>(f, "txtFrom")->setText(c.from);
        child<QLineEdit>(f, "txtTo")->setText(c.to);
        auto* phrase = child<QLineEdit>(f, "txtPhrase");
        phrase->clear();
        QTest::keyClicks(phrase, c.phrase);
        QTest::keyClick(phrase, Qt::Key_Return);
        auto* list = child<QTreeWidget>(f, "lstDays");
        ASSERT_GE(list->topLevelItemCount(), 1) << c.phrase << ": " << findMessage;
        EXPECT_EQ(list->topLevelItem(0)->text(0), c.date) << c.phrase;
        if (c.weekday) {
            EXPECT_EQ(list->topLevelItem(0)->text(1), c.weekday) << c.phrase;
        }
        // The focus is in the list on the first row: Enter shows it.
        ASSERT_EQ(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(s.dateField()->text(), QString(c.date).left(7)) << c.phrase;
        EXPECT_EQ(Shown::markY(), Shown::lineOf(QString(c.date).right(2).toStdString())) << c.phrase;
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([f] { return QApplication::activeWindow() == f; }));
    }
    // A year in the phrase outside the calendar, the fields left as they opened: refused.
    f->Form_Load();
    child<QLineEdit>(f, "txtPhrase")->setText("Die Andreae 1100");
    QTest::keyClick(child<QLineEdit>(f, "txtPhrase"), Qt::Key_Return);
    EXPECT_EQ(child<QTreeWidget>(f, "lstDays")->topLevelItemCount(), 0);
    EXPECT_TRUE(child<QLabel>(f, "lblMessage")->text().contains("1200 till 2100"));
    for (const auto& m : shownMessages) ADD_FAILURE() << m.title << ": " << m.text;
}

// The magnifier is read from Find.xpm in the working folder, not the blank square.
TEST_F(ShippedWindow, TheSearchButtonShowsItsMagnifier) {
    frmTovmir3 w;
    ASSERT_TRUE(w.Form_Load());
    const QImage picture = child<QLabel>(&w, "picFind")->pixmap().toImage();
    EXPECT_EQ(picture.size(), QSize(21, 21));
    EXPECT_EQ(picture.pixelColor(8, 8), QColor(0xA6, 0xCA, 0xF0));  // the lens
    EXPECT_EQ(picture.pixelColor(3, 17), QColor(0xC0, 0xC0, 0xC0));  // the button's face
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
