// grabscreen OUT.png [DELAY_MS]: saves the whole X screen as a picture after a
// delay, for screenshots of the running program under Xvfb.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    const int delay = argc > 2 ? std::atoi(argv[2]) : 1500;
    QTimer::singleShot(delay, [&] {
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
        app.exit(shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1);
    });
    return app.exec();
}
