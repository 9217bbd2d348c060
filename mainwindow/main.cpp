// tovmir: the perpetual calendar's main window. It runs in the folder that holds
// Const.mdb, the flags, the notes and the help, and remembers the nation in
// ctry.txt there.
#include <QApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "frmTovmir3.h"

namespace {

constexpr const char* helpText =
    "Användning: tovmir [--month ÅÅÅÅ-MM] [--size BxH] [--calculator] [--find TEXT]\n"
    "Tovmir: evig kalender för Norden i ett fönster.\n"
    "\n"
    "  --month ÅÅÅÅ-MM  öppnar på den månaden i stället för dagens\n"
    "  --size BxH       öppnar fönstret B gånger H bildpunkter stort (som minst 356x412)\n"
    "  --calculator     öppnar datumberäkningarna bredvid kalendern\n"
    "  --find TEXT      söker TEXT i sökrutan och visar den första dagen som hittas\n"
    "  --help           visar hjälpen och avslutar\n"
    "  --version        visar versionen och avslutar\n"
    "\n"
    "Fönstret behöver en bildskärm; i terminalen finns tovmir-cli.\n";

// The platform Qt will take: -platform on the command line before
// QT_QPA_PLATFORM, as QGuiApplication reads them; empty for its default.
std::string_view chosenPlatform(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]) == "-platform" || std::string_view(argv[i]) == "--platform") return argv[i + 1];
    const char* env = std::getenv("QT_QPA_PLATFORM");
    return env ? env : "";
}

// Whether the window has nowhere to go: on Linux, the X11 and Wayland platforms
// (Qt's default) need DISPLAY or WAYLAND_DISPLAY, and without them Qt aborts with
// an English message. A list "wayland;xcb" is tried in order, so one entry that
// needs no display server (offscreen, minimal, vnc, linuxfb, eglfs ...) is enough.
bool noDisplay(int argc, char** argv) {
#ifdef __linux__
    const auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (set("DISPLAY") || set("WAYLAND_DISPLAY")) return false;
    std::string_view platforms = chosenPlatform(argc, argv);
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        std::string_view entry = platforms.substr(0, end);
        entry = entry.substr(0, entry.find(':'));  // the platform's own options follow a colon
        if (!entry.empty() && entry != "xcb" && !entry.starts_with("wayland")) return false;
        platforms = end == std::string_view::npos ? std::string_view() : platforms.substr(end + 1);
    }
    return true;
#else
    (void)argc, (void)argv;
    return false;
#endif
}

// Qt ends its platform start with qFatal, which aborts (status 134 and a core
// file), wherever no platform plugin can open a display: DISPLAY naming a display
// that does not exist or refuses us, WAYLAND_DISPLAY without a compositor behind
// it or without Qt's Wayland plugin (the package qt6-wayland), each entry of a
// list "wayland;xcb" failing in turn. While QApplication is being made, a fatal
// message becomes the Swedish one and status 1; the English warnings before it
// are held back, and given to Qt's own handler only when the start succeeds.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler qtHandler = nullptr;

std::string shownVariable(const char* name) {
    const char* v = std::getenv(name);
    std::string shown = name;
    if (v && *v) shown.append("=").append(v);
    else shown.append(" saknas");
    return shown;
}

void platformStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, context.category ? context.category : "", text});
        return;
    }
    bool waylandPluginMissing = false;
    for (const HeldMessage& m : heldMessages)
        waylandPluginMissing |= m.text.contains("platform plugin \"wayland\"", Qt::CaseInsensitive);
    std::string message = "tovmir: ingen bildskärm kunde öppnas för fönstret (" + shownVariable("DISPLAY") + ", " +
                          shownVariable("WAYLAND_DISPLAY") + ")";
    if (waylandPluginMissing) message += "; för Wayland behövs paketet qt6-wayland";
    message += "; använd tovmir-cli i terminalen\n";
    std::fputs(message.c_str(), stderr);
    std::fflush(nullptr);
    // No abort and no core: the process ends here, inside Qt, as a refused start.
    ::_exit(1);
}

// Qt's own handler again, and the warnings held back passed to it.
void platformStarted() {
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage& m : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.empty() ? "default" : m.category.c_str());
        if (qtHandler) qtHandler(m.type, context, m.text);
    }
    heldMessages.clear();
}

}  // namespace

int main(int argc, char** argv) {
    // The terminal's questions are answered without a window or a display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::fputs("tovmir " TOVMIR_VERSION "\n", stdout);
            return 0;
        }
    }
    if (noDisplay(argc, argv)) {
        std::fputs("tovmir: ingen bildskärm att visa fönstret på (DISPLAY eller WAYLAND_DISPLAY saknas); "
                   "använd tovmir-cli i terminalen\n",
                   stderr);
        return 1;
    }
    qtHandler = qInstallMessageHandler(platformStartMessage);
    QApplication app(argc, argv);
    platformStarted();
    app.setApplicationName("tovmir");
    app.setApplicationVersion(TOVMIR_VERSION);
    // The desktop entry's name, so that a Wayland compositor matches the window to
    // the menu entry and its icon.
    QGuiApplication::setDesktopFileName("org.example.tovmir");
    tovmir::frmTovmir3 window;
    if (!window.Form_Load()) return 1;
    // --month YYYY-MM: open on that month instead of today's (for screenshots),
    // typed into the date field and taken with Enter as a user would.
    const QStringList args = app.arguments();
    const int at = args.indexOf("--month");
    if (at > 0 && at + 1 < args.size()) window.enterMonth(args[at + 1]);
    // --size WxH: open enlarged, as a user would drag it (for screenshots too).
    const int sizeAt = args.indexOf("--size");
    if (sizeAt > 0 && sizeAt + 1 < args.size()) {
        const QStringList wh = args[sizeAt + 1].split('x');
        if (wh.size() == 2) window.resize(wh[0].toInt(), wh[1].toInt());
    }
    window.show();
    // --calculator: with the date calculator open beside it, as picAge opens it.
    if (args.contains("--calculator")) window.picAge_Click();
    // --find TEXT: the search dialog beside it, TEXT searched and the first day
    // found shown, as Ctrl+F, the text, Enter and Enter do.
    const int findAt = args.indexOf("--find");
    if (findAt > 0 && findAt + 1 < args.size()) {
        window.picFind_Click();
        window.finder->enterPhrase(args[findAt + 1]);
        window.finder->lstDays_DblClick(0);
    }
    return app.exec();
}
