// From a completed cycle to its rows on screen: the whole program runs
// offscreen against hx642-headsim at its fastest rate (no reply delays), and
// for each cycle the time from the moment its last reply has been handled to
// the end of the main view's next paint is taken. Printed beside a baseline
// from the same run: the same program's event loop turning a posted event
// round, which is the least any reply can wait.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/MainFrame.h"
#include "app/SkerryApp.h"

namespace {

// Notes when the watched widget has finished a paint.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QElapsedTimer& clock) : clock_(clock) {}
    std::vector<qint64> paintEndsNs;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* widget = static_cast<QWidget*>(watched);
        widget->removeEventFilter(this);
        QCoreApplication::sendEvent(widget, event);  // paint now, then note the time
        widget->installEventFilter(this);
        paintEndsNs.push_back(clock_.nsecsElapsed());
        return true;
    }

private:
    QElapsedTimer& clock_;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    // Loopback only, whatever the shell says: a benchmark never reaches real heads.
    qputenv("HX642_LOOPBACK_ONLY", "1");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());

    hx::AppOptions options;
    options.simulate = true;
    options.unattended = true;
    options.settingsPath = config.path() + QStringLiteral("/HX642.ini");
    options.simulatorArguments = {QStringLiteral("--no-delay"), QStringLiteral("--seconds"), QStringLiteral("60")};
    hx::SkerryApp skerry(options);
    skerry.start();
    skerry.frame().resize(1920, 1080);

    QElapsedTimer clock;
    clock.start();
    PaintWatch watch(clock);
    std::vector<qint64> cycleEndsNs;
    bool watching = false;
    QObject::connect(&skerry, &hx::SkerryApp::cycleProcessed, [&] {
        if (!watching && skerry.mainView()) {
            skerry.mainView()->installEventFilter(&watch);
            watching = true;
        }
        if (watching) cycleEndsNs.push_back(clock.nsecsElapsed());
    });

    // Baseline: a posted event's round trip through the same loop.
    std::vector<double> loopMs;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 posted = clock.nsecsElapsed();
        QMetaObject::invokeMethod(
            &app, [&, posted] { loopMs.push_back((clock.nsecsElapsed() - posted) / 1e6); }, Qt::QueuedConnection);
    });
    probe.start(7);

    QTimer::singleShot(8000, &app, &QApplication::quit);
    QApplication::exec();

    // Each cycle's rows are on screen at the end of the first paint after it.
    std::vector<double> latencyMs;
    std::size_t p = 0;
    for (qint64 cycleEnd : cycleEndsNs) {
        while (p < watch.paintEndsNs.size() && watch.paintEndsNs[p] < cycleEnd) ++p;
        if (p == watch.paintEndsNs.size()) break;
        latencyMs.push_back((watch.paintEndsNs[p] - cycleEnd) / 1e6);
    }
    std::printf("cycles %zu, paints %zu over 8 s with the simulator answering at once\n", cycleEndsNs.size(),
                watch.paintEndsNs.size());
    std::printf("%-38s %8s %8s %8s\n", "", "median", "p95", "max");
    std::printf("%-38s %8.2f %8.2f %8.2f ms\n", "cycle handled -> rows painted", percentile(latencyMs, 0.5),
                percentile(latencyMs, 0.95), percentile(latencyMs, 1.0));
    std::printf("%-38s %8.2f %8.2f %8.2f ms\n", "baseline: posted event round trip", percentile(loopMs, 0.5),
                percentile(loopMs, 0.95), percentile(loopMs, 1.0));
    std::printf("target: rows painted within 20 ms at the 95th percentile\n");
    return latencyMs.empty() ? 1 : 0;
}
