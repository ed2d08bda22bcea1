// hx642: the operator's desktop program.
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"

namespace {

bool isSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
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
    options->unattended = QGuiApplication::platformName() == QLatin1String("offscreen");

    hx::SkerryApp skerry(*options);
    if (!skerry.start()) return 1;

    int status = 0;
    if (options->quitAfterSeconds >= 0) {
        QTimer::singleShot(options->quitAfterSeconds * 1000, &skerry, [&] {
            if (!options->screenshotPath.isEmpty() && !skerry.frame().grab().save(options->screenshotPath)) {
                std::fprintf(stderr, "hx642: cannot write %s\n", qPrintable(options->screenshotPath));
                status = 1;
            }
            QApplication::quit();
        });
    }
    const int loop = QApplication::exec();
    return status != 0 ? status : loop;
}
