// The Qt window as a user drives it, offscreen: controls found by their names,
// keys and clicks sent with QTest; the painted display list and the widgets'
// texts and colours are checked, not pixels.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

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

}  // namespace

TEST_F(Window, KeysAndClicksReachTheHandlers) {
    frmTovmir3 w;
    // A modal box would wait for a click that never comes: close any at once.
    // The messages are still recorded in shownMessages.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    closer.start(10);
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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
