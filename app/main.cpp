// hx642: the operator's desktop program.
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "platform/SignalWatcher.h"

#ifndef HX642_VERSION
#error "HX642_VERSION comes from the project version (cmake/HX642Install.cmake)"
#endif
#ifndef HX642_DESKTOP_ID
#error "HX642_DESKTOP_ID names the installed desktop file (cmake/HX642Install.cmake)"
#endif

namespace {

bool printedHelpOrVersion(const hx::AppOptions& options) {
    if (options.showHelp) std::fputs(qPrintable(hx::appUsage()), stdout);
    else if (options.showVersion) std::printf("hx642 %s\n", HX642_VERSION);
    return options.showHelp || options.showVersion;
}

// --help and --version are answered before any window system is touched, so
// they work anywhere, even with a display that cannot be reached. Anything
// else is parsed again once Qt has taken its own options (-platform, ...).
bool answeredBeforeQt(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QString error;
    const auto options = hx::parseAppOptions(args, error);
    return options && printedHelpOrVersion(*options);
}

bool isSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// What the screen shows of the main window, frame included: taken from the
// screen (the X server's picture, or the offscreen platform's backing
// store), so that it holds only what has really been drawn there. A platform
// that refuses to hand out the screen gives the window's own rendering.
QPixmap screenPictureOf(QWidget& window) {
    if (QScreen* screen = window.screen()) {
        const QRect r = window.frameGeometry().translated(-screen->geometry().topLeft());
        QPixmap shot = screen->grabWindow(0, r.x(), r.y(), r.width(), r.height());
        if (!shot.isNull()) return shot;
    }
    std::fprintf(stderr, "hx642: the screen cannot be read here; the window's own picture is saved\n");
    return window.grab();
}

// Without a display the program still runs, drawing offscreen, so that the
// unattended main job and the tests work on a bare machine.
void chooseOffscreenWithoutDisplay() {
    if (isSet("QT_QPA_PLATFORM")) return;
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (answeredBeforeQt(argc, argv)) return 0;
    chooseOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("HX642"));
    QApplication::setApplicationVersion(QStringLiteral(HX642_VERSION));
    // Lets the desktop match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(HX642_DESKTOP_ID));

    QString error;
    auto options = hx::parseAppOptions(QApplication::arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "hx642: %s\nTry 'hx642 --help' for more information.\n", qPrintable(error));
        return 2;
    }
    if (printedHelpOrVersion(*options)) return 0;  // asked beside Qt's own options
    options->unattended = QGuiApplication::platformName() == QLatin1String("offscreen");

    // A service manager's stop, a closed terminal or Ctrl+C close the
    // recording at its last whole record, as the File menu's Exit does.
    hx::SignalWatcher stopSignals;
    if (!stopSignals.install(&error)) {
        std::fprintf(stderr, "hx642: %s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(&stopSignals, &hx::SignalWatcher::stopRequested, &app, [](int signalNumber) {
        std::fprintf(stderr, "hx642: stopping on signal %d\n", signalNumber);
        QApplication::quit();
    });

    hx::SkerryApp skerry(*options);
    if (!skerry.start()) return 1;

    int status = 0;
    if (options->quitAfterSeconds >= 0) {
        QTimer::singleShot(options->quitAfterSeconds * 1000, &skerry, [&] {
            if (!options->screenshotPath.isEmpty() && !screenPictureOf(skerry.frame()).save(options->screenshotPath)) {
                std::fprintf(stderr, "hx642: cannot write %s\n", qPrintable(options->screenshotPath));
                status = 1;
            }
            QApplication::quit();
        });
    }
    const int loop = QApplication::exec();
    return status != 0 ? status : loop;
}
