// Speed of the main window as the user feels it, offscreen on the real Const.mdb:
// from nothing to the first painted month, and from a key release in the date
// field to the repainted month within the loaded year (one frame is 16 ms).
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "mainwindow/frmTovmir3.h"

namespace {

using namespace tovmir;

void BM_StartUp(benchmark::State& state) {
    std::filesystem::current_path(TOVMIR_RUN_DIR);
    for (auto _ : state) {
        frmTovmir3 w;
        if (!w.Form_Load()) state.SkipWithError("Form_Load failed");
        w.show();
        w.repaint();  // the first month on the screen, not just in the display list
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_KeyRelease(benchmark::State& state) {
    std::filesystem::current_path(TOVMIR_RUN_DIR);
    frmTovmir3 w;
    if (!w.Form_Load()) state.SkipWithError("Form_Load failed");
    w.show();
    auto* field = w.findChild<QLineEdit*>("txtIndate");
    field->setText("2024-05");
    QTest::keyClick(field, Qt::Key_Return);
    bool forward = true;
    for (auto _ : state) {
        // May and June by turns: every step stays within the loaded year.
        QTest::keyClick(field, forward ? Qt::Key_Right : Qt::Key_Left);
        w.repaint();
        forward = !forward;
    }
}
BENCHMARK(BM_KeyRelease)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
