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
#include "monthview/surface.h"
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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
