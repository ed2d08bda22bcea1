// hx642: the operator's desktop program.
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/MainFrame.h"

namespace {

// Without a display the program still runs, drawing offscreen, so that the
// unattended main job and the tests work on a bare machine.
bool isSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

void chooseOffscreenWithoutDisplay() {
    if (isSet("QT_QPA_PLATFORM")) return;
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace

int main(int argc, char** argv) {
    chooseOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("HX642"));

    QString error;
    auto options = hx::parseAppOptions(QApplication::arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "hx642: %s\n", qPrintable(error));
        return 2;
    }

    hx::MainFrame frame;
    frame.show();

    if (options->quitAfterSeconds >= 0) {
        QTimer::singleShot(options->quitAfterSeconds * 1000, &frame, [&] {
            if (!options->screenshotPath.isEmpty()) {
                if (!frame.grab().save(options->screenshotPath)) {
                    std::fprintf(stderr, "hx642: cannot write %s\n", qPrintable(options->screenshotPath));
                    QApplication::exit(1);
                    return;
                }
            }
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
