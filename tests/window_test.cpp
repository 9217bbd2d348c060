// The Qt window as a user drives it, offscreen: controls found by their names,
// keys and clicks sent with QTest; the painted display list and the widgets'
// texts and colours are checked, not pixels.
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "calculator/calcwindow.h"
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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
