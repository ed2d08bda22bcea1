// The navigation and instrument windows in the whole program, offscreen:
// live on the head simulator (its GPS on a pseudo-terminal) and playing a
// recording. Where the windows open, the echogram's column per ping and the
// altitude it gives the records, the GPS commands with their enable and
// check rules, the GPS dialog wired to the reader, waypoints, speed info and
// the beam coverage printed to PDF.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <functional>

#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "nav/UtmProjection.h"
#include "nav/ui/BeamCoverView.h"
#include "nav/ui/EchoSounderView.h"
#include "nav/ui/GpsConfigDlg.h"
#include "nav/ui/GpsTrackView.h"
#include "nav/ui/HistView.h"
#include "nav/ui/OrientationView.h"
#include "nav/ui/ShipSpeedDlg.h"
#include "nav/ui/TrackPlotPainter.h"
#include "settings/IniFile.h"
#include "tests/app/AppTestSupport.h"
#include "tests/record/RecordSamples.h"

using namespace hx;
using hx::apptest::waitFor;

namespace {

// The operator closes the sonar windows and then the main window before the
// program ends.
void closeAllWindows(SkerryApp& app) {
    app.frame().mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.frame().close();
}

struct NavApp {
    QTemporaryDir config;
    std::unique_ptr<SkerryApp> app;

    NavApp(QStringList simulatorArgs, const QString& iniText) {
        app = std::make_unique<SkerryApp>(apptest::simulatedAppOptions(config, simulatorArgs, iniText, 90));
        app->start();
    }
    ~NavApp() {
        if (app) closeAllWindows(*app);
    }
    CSkerryDoc& doc() { return app->doc(); }
    QAction* action(CommandId id) { return app->frame().router().action(id); }
    bool enabled(CommandId id) {
        app->frame().router().updateAll();
        return action(id)->isEnabled();
    }
    bool checked(CommandId id) {
        app->frame().router().updateAll();
        return action(id)->isChecked();
    }
};

QWidget* windowTitled(const char* title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == QLatin1String(title)) return w;
    return nullptr;
}

// Where a window is, give or take what the window system adds.
::testing::AssertionResult placedAt(const QWidget* w, const QRect& r) {
    const QRect g = w->geometry();
    const QPoint d = g.topLeft() - r.topLeft();
    if (d.manhattanLength() <= 8 && std::abs(g.width() - r.width()) <= 8 && std::abs(g.height() - r.height()) <= 8)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
}

template <typename View>
View* viewIn(const char* title) {
    QWidget* w = windowTitled(title);
    return w ? w->findChild<View*>() : nullptr;
}

// Grabs of the windows, kept beside the build for a person to look at.
void keepShot(QWidget* w, const QString& name) {
    const QString dir = QStringLiteral(HX642_BINARY_DIR) + QStringLiteral("/navwire-shots");
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Runs `act` on the next modal dialog of type D once it shows.
template <typename D>
void whenModal(const std::function<void(D*)>& act) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(d);
        }
    });
    poll->start();
}

int echoPushes(const EchoSounderState& echo, int oldestBefore) {
    const int columns = echo.live.columns();
    return columns > 0 ? (echo.live.oldestColumn() - oldestBefore + columns) % columns : 0;
}

std::string ddmm(double deg, int degreeDigits) {
    const double a = std::fabs(deg);
    const int d = static_cast<int>(a);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d%07.4f", degreeDigits, d, (a - d) * 60.0);
    return buf;
}

std::string withChecksum(const std::string& body) {
    unsigned char sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    char buf[8];
    std::snprintf(buf, sizeof buf, "*%02X", sum);
    return "$" + body + buf;
}

const char* kPlacedWindows =
    "[System]\nGPS Track Window Left=900\nGPS Track Window Top=420\nGPS Track Window Right=1180\n"
    "GPS Track Window Bottom=760\n[Filters Enabled]\nES Frame Left=900\nES Frame Top=0\nES Frame Right=1180\n"
    "ES Frame Bottom=400\n";

}  // namespace

TEST(NavApp, InstrumentWindowsOpenWhereTheSettingsSayAndTheEchogramScrollsOnePingAColumn) {
    NavApp live({}, QString::fromLatin1(kPlacedWindows));
    CSkerryDoc& doc = live.doc();
    ASSERT_TRUE(waitFor([&] { return doc.cycle.goodCycleCount >= 20; }, 30000));

    QWidget* track = windowTitled(kTrackPlotterTitle);
    QWidget* echo = windowTitled(kEchoSounderTitle);
    QWidget* orientation = windowTitled("HX642 - Orientation");
    ASSERT_TRUE(track && echo && orientation);
    EXPECT_TRUE(placedAt(track, QRect(900, 420, 280, 340)));
    EXPECT_TRUE(placedAt(echo, QRect(900, 0, 280, 400)));
    EXPECT_TRUE(orientation->isVisible());
    EXPECT_TRUE(live.checked(CommandId::OrientationHistory));
    EXPECT_TRUE(live.checked(CommandId::EchoSounder));

    // One column per good ping, however the pings and paints interleave.
    const EchoSounderState& es = doc.instruments.echoSounder;
    const int oldest = es.live.oldestColumn();
    const auto cycles = doc.cycle.goodCycleCount;
    ASSERT_TRUE(waitFor([&] { return doc.cycle.goodCycleCount >= cycles + 15; }, 20000));
    EXPECT_EQ(echoPushes(es, oldest), static_cast<int>(doc.cycle.goodCycleCount - cycles));

    // The simulated towfish flies about 9 m up: the altitude is found and the
    // records carry it.
    EXPECT_GT(doc.orientation.altitudeM, 3.0);
    EXPECT_LT(doc.orientation.altitudeM, 20.0);
    const PingHistory& history = doc.imaging.history;
    const auto newest = static_cast<std::size_t>((history.historyWriteIndex + kHistoryRecords - 1) % kHistoryRecords);
    EXPECT_NEAR(history.records[newest].altitudeM, doc.orientation.altitudeM, 3.0);

    // The history strip has its newest column.
    const OrientationHistory& strip = doc.instruments.history;
    int traced = 0;
    for (int y = 0; y < strip.heightPx(); ++y) traced += strip.at(strip.newestColumnX(), y) != 0 ? 1 : 0;
    EXPECT_GE(traced, 5);

    keepShot(echo, QStringLiteral("live-echo-sounder"));
    keepShot(orientation, QStringLiteral("live-orientation"));

    // "Echo Sounder" hides the window, which keeps its echogram going.
    live.action(CommandId::EchoSounder)->trigger();
    EXPECT_FALSE(echo->isVisible());
    EXPECT_FALSE(live.checked(CommandId::EchoSounder));
    const int hiddenAt = es.live.oldestColumn();
    ASSERT_TRUE(waitFor([&] { return echoPushes(es, hiddenAt) >= 3; }, 10000));
    live.action(CommandId::EchoSounder)->trigger();
    EXPECT_TRUE(echo->isVisible());

    // H in the instruments is the Hold command; the echogram's frozen copy
    // is the picture of that moment.
    auto* instruments = orientation->findChild<COrientationView*>();
    ASSERT_NE(instruments, nullptr);
    QKeyEvent h(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, QStringLiteral("h"));
    QApplication::sendEvent(instruments, &h);
    EXPECT_EQ(doc.imaging.display.holdDisplay, 1);
    EXPECT_TRUE(live.checked(CommandId::Hold));
    ASSERT_TRUE(waitFor([&] { return es.holdTaken; }, 5000));
    QApplication::sendEvent(instruments, &h);
    EXPECT_EQ(doc.imaging.display.holdDisplay, 0);

    // Closing the echo sounder window ends its columns; the altitude stays.
    echo->close();
    ASSERT_TRUE(waitFor([&] { return windowTitled(kEchoSounderTitle) == nullptr; }, 5000));
    EXPECT_FALSE(doc.instruments.echoSounderOpen);
    live.app->shutdown();
    const IniFile saved = IniFile::load((live.config.path() + QStringLiteral("/HX642.ini")).toStdString());
    EXPECT_EQ(saved.readString("System", "GPS Track Window Left", ""), "900");
    EXPECT_EQ(saved.readString("System", "GPS Tracking", ""), "1");
}

TEST(NavApp, WithoutAnOrientationSensorThereAreNoOrientationWindows) {
    // "GPS Tracking" off: no plotter window, but the GPS is read all the same.
    NavApp live({QStringLiteral("--no-orientation")},
                QStringLiteral("[System]\nGPS Tracking=0\nGPS Zoom Factor=250\n"));
    ASSERT_TRUE(waitFor([&] { return live.doc().cycle.goodCycleCount >= 5; }, 30000));
    EXPECT_EQ(windowTitled(kTrackPlotterTitle), nullptr);
    EXPECT_TRUE(live.enabled(CommandId::ShowGpsTrackPlotter));
    EXPECT_DOUBLE_EQ(live.doc().trackPlot.gpsZoomFactor, 0.25);
    ASSERT_TRUE(waitFor([&] { return live.doc().gpsLatest.fix.gpsLatitude != 0.0; }, 20000));
    EXPECT_EQ(live.doc().link.orientationAvailable, 0);
    EXPECT_EQ(windowTitled("HX642 - Orientation"), nullptr);
    EXPECT_FALSE(live.doc().instruments.historyOpen);
    EXPECT_FALSE(live.enabled(CommandId::OrientationHistory));
    EXPECT_NE(windowTitled(kEchoSounderTitle), nullptr);
    EXPECT_TRUE(live.enabled(CommandId::EchoSounder));
}

TEST(NavApp, GpsCommandsOnTheSimulatorsReceiver) {
    NavApp live({}, {});
    CSkerryDoc& doc = live.doc();
    ASSERT_TRUE(waitFor([&] { return doc.track.trackPath.segmentCount() >= 2; }, 40000))
        << "segments " << doc.track.trackPath.segmentCount();
    // The reader found the simulator's pseudo-terminal, and that is the port kept.
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(doc.gps.gpsDevice))) << doc.gps.gpsDevice;

    // "GPS Tracking" only wants the window: closing it keeps the GPS running.
    QWidget* track = windowTitled(kTrackPlotterTitle);
    ASSERT_NE(track, nullptr);
    EXPECT_FALSE(live.enabled(CommandId::ShowGpsTrackPlotter));
    track->close();
    EXPECT_EQ(doc.trackPlot.gpsTrackingShown, 0);
    EXPECT_TRUE(live.enabled(CommandId::ShowGpsTrackPlotter));
    const auto segments = doc.track.trackPath.segmentCount();
    ASSERT_TRUE(waitFor([&] { return doc.track.trackPath.segmentCount() > segments; }, 20000));
    live.action(CommandId::ShowGpsTrackPlotter)->trigger();
    ASSERT_TRUE(waitFor([&] { return windowTitled(kTrackPlotterTitle) != nullptr; }, 2000));
    EXPECT_EQ(doc.trackPlot.gpsTrackingShown, 1);

    // The zoom ladder from the menu and from the plot's own keys.
    live.action(CommandId::GpsZoomIn)->trigger();
    EXPECT_DOUBLE_EQ(doc.trackPlot.gpsZoomFactor, 2.5);
    live.action(CommandId::GpsZoomOut)->trigger();
    live.action(CommandId::GpsZoomOut)->trigger();
    EXPECT_DOUBLE_EQ(doc.trackPlot.gpsZoomFactor, 0.5);
    auto* plot = viewIn<CGPSTrackView>(kTrackPlotterTitle);
    ASSERT_NE(plot, nullptr);
    QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
    QApplication::sendEvent(plot, &minus);
    EXPECT_DOUBLE_EQ(doc.trackPlot.gpsZoomFactor, 0.25);
    plot->restoreImage();

    // Waypoints around the present position, through the file dialog.
    ASSERT_TRUE(live.enabled(CommandId::LoadWaypointList));
    const double lat = doc.gpsLatest.fix.gpsLatitude, lon = doc.gpsLatest.fix.gpsLongitude;
    const QString list = live.config.path() + QStringLiteral("/survey.wpt");
    {
        QFile f(list);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 2; ++i) {
            const double la = lat + (i == 0 ? 0.0005 : -0.0005);
            const std::string line = std::to_string(7 + i) + ",BUOY " + std::string(1, char('A' + i)) + "," +
                                     ddmm(la, 2) + (la < 0 ? ",S," : ",N,") + ddmm(lon, 3) +
                                     (lon < 0 ? ",W\n" : ",E\n");
            f.write(line.c_str());
        }
    }
    whenModal<QFileDialog>([list](QFileDialog* d) {
        d->selectFile(list);
        static_cast<QDialog*>(d)->accept();
    });
    live.action(CommandId::LoadWaypointList)->trigger();
    ASSERT_EQ(doc.waypoints.count, 2);
    EXPECT_EQ(doc.waypointMarks.size(), 2u);
    EXPECT_EQ(doc.waypoints.entries[1].name, "BUOY B");
    plot->repaint();
    const QImage shown = plot->grab().toImage();
    int waypointPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) waypointPixels += (shown.pixel(x, y) & 0xffffff) == (kWaypointColour & 0xffffff);
    EXPECT_GT(waypointPixels, 20);
    keepShot(windowTitled(kTrackPlotterTitle), QStringLiteral("live-track-plot-waypoints"));

    // Speed info: manual speed reaches the line count's settings.
    EXPECT_TRUE(live.checked(CommandId::SpeedCorrectionInfo));
    whenModal<CShipSpeedDlg>([](CShipSpeedDlg* d) {
        d->findChild<QAbstractButton*>(QStringLiteral("radio1289"))->click();
        d->accept();
    });
    live.action(CommandId::SpeedCorrectionInfo)->trigger();
    EXPECT_EQ(doc.speed.useManualSpeed, 1);
    EXPECT_EQ(doc.imagingSpeed.useManualSpeed, 1);

    // The time options: convert toggles with a check mark, synchronise only sets.
    live.action(CommandId::ConvertUtcToLocal)->trigger();
    EXPECT_TRUE(live.checked(CommandId::ConvertUtcToLocal));
    EXPECT_TRUE(live.enabled(CommandId::SynchronizeGpsTime));
    live.action(CommandId::SynchronizeGpsTime)->trigger();
    live.action(CommandId::SynchronizeGpsTime)->trigger();
    EXPECT_EQ(doc.speed.autoSyncGpsTime, 1);
    EXPECT_FALSE(live.action(CommandId::SynchronizeGpsTime)->isCheckable());

    // The GPS dialog shows the reader's diagnostics live, lists the port in
    // use, and a changed setting reopens the port, which starts the track again.
    ASSERT_TRUE(live.enabled(CommandId::GpsCommPortSettings));
    live.action(CommandId::GpsCommPortSettings)->trigger();
    auto* dialog = live.app->frame().findChild<CGPSConfigDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    auto* quality = dialog->findChild<QLineEdit*>(QStringLiteral("edit1004"));
    auto* satellites = dialog->findChild<QLineEdit*>(QStringLiteral("edit1104"));
    quality->clear();
    satellites->clear();
    ASSERT_TRUE(waitFor([&] { return !quality->text().isEmpty() && !satellites->text().isEmpty(); }, 10000));
    EXPECT_EQ(dialog->findChild<QComboBox*>(QStringLiteral("combo1133"))->currentText().toStdString(),
              doc.gps.gpsDevice);
    ASSERT_TRUE(waitFor([&] { return doc.gpsLatest.historyCount >= 3; }, 10000));
    keepShot(dialog, QStringLiteral("live-gps-dialog"));
    auto* sentences = dialog->findChild<QComboBox*>(QStringLiteral("combo1134"));
    const int other = doc.gps.gpsType == 2 ? 1 : 2;
    sentences->setCurrentIndex(other);
    emit sentences->activated(other);
    ASSERT_TRUE(doc.track.trackPath.segmentCount() > 0);
    dialog->findChild<QAbstractButton*>(QStringLiteral("button7"))->click();
    EXPECT_EQ(doc.gps.gpsType, other);
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_TRUE(waitFor([&] { return doc.track.trackPath.empty(); }, 10000));
    dialog->findChild<QAbstractButton*>(QStringLiteral("button1"))->click();

    // Erase empties the plot; the reference stays, so waypoints still load.
    ASSERT_TRUE(waitFor([&] { return doc.track.trackPath.segmentCount() > 0; }, 30000));
    live.action(CommandId::EraseGpsTracks)->trigger();
    EXPECT_TRUE(doc.track.trackPath.empty());
    EXPECT_TRUE(live.enabled(CommandId::LoadWaypointList));

    // The beam coverage prints to a PDF file without a printer.
    live.action(CommandId::BeamCoverage)->trigger();
    auto* beam = viewIn<CBeamCoverView>(kBeamCoverTitle);
    ASSERT_NE(beam, nullptr);
    const QString pdf = live.config.path() + QStringLiteral("/coverage.pdf");
    ASSERT_TRUE(beam->printToPdf(pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 1000);

    // "Preview" opens the print preview under its own caption.
    QString previewTitle;
    whenModal<QPrintPreviewDialog>([&previewTitle](QPrintPreviewDialog* d) {
        previewTitle = d->windowTitle();
        keepShot(d, QStringLiteral("live-beam-print-preview"));
        d->reject();
    });
    beam->button(kBeamPreview)->click();
    EXPECT_EQ(previewTitle.toStdString(), kBeamPreviewTitle);
}

TEST(NavApp, PlaybackScrollsTheEchogramAndDrawsTheRecordedTrack) {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    // 60 records of M, H and ES: the bottom at sample 301, and a fix 8 m
    // further north in each.
    rectest::SampleDocument sample;
    sample.setHeads(rectest::headSet(0b1110));
    const QString path = dir.path() + QStringLiteral("/survey.642");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int p = 1; p <= 60; ++p) {
            sample.fillForPing(static_cast<std::uint32_t>(p));
            for (auto& header : sample.heads.headReplyHeader) header[3] = 0;
            auto& es = sample.heads.headDisplayLine[kHeadES];
            for (std::size_t i = 0; i < kEchoSampleCount; ++i) es[kEchoLineOffset + i] = i < 301 ? 30 : 200;
            const double lat = 59.3 + p * 8.0 / 111320.0;
            char time[16];
            std::snprintf(time, sizeof time, "1200%02d", p % 60);
            sample.sentences[0] = withChecksum("GPRMC," + std::string(time) + ",A," + ddmm(lat, 2) + ",N," +
                                               ddmm(10.5, 3) + ",E,3.0,0.0,010125,,") + "\r";
            std::vector<std::uint8_t> bytes;
            encodeRecord(recordFromDocument(sample.sources(), static_cast<std::uint32_t>(p), 0), bytes);
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        }
    }
    AppOptions options;
    options.unattended = true;
    options.settingsPath = dir.path() + QStringLiteral("/HX642.ini");
    options.playbackFile = path;
    IniFile::fromText(kPlacedWindows).save(options.settingsPath.toStdString());
    SkerryApp app(options);
    ASSERT_TRUE(app.start());
    CSkerryDoc& doc = app.doc();
    ASSERT_TRUE(waitFor([&] { return doc.playback.recordsPlayed >= 10; }, 20000));

    QWidget* echo = windowTitled(kEchoSounderTitle);
    ASSERT_NE(echo, nullptr);
    EXPECT_TRUE(placedAt(echo, QRect(900, 0, 280, 400)));
    const EchoSounderState& es = doc.instruments.echoSounder;
    const int oldest = es.live.oldestColumn();
    const auto played = doc.playback.recordsPlayed;
    ASSERT_TRUE(waitFor([&] { return doc.playback.recordsPlayed >= played + 10; }, 20000));
    EXPECT_EQ(echoPushes(es, oldest), static_cast<int>(doc.playback.recordsPlayed - played));
    // Sample 301 of 1000 at the played echo sounder range.
    const double rows = es.live.rows();
    const int k = static_cast<int>(std::ceil(301.0 * rows / 1000.0 - 1e-9));
    EXPECT_NEAR(doc.orientation.altitudeM, doc.heads.echoSounderRange * k / rows, doc.heads.echoSounderRange * 2 / rows);

    // The played fixes are the track, north-up: y decreases.
    EXPECT_GT(doc.track.trackPath.segmentCount(), 5u);
    EXPECT_LT(doc.track.trackLastY, -30.0);

    app.frame().router().updateAll();
    EXPECT_FALSE(app.frame().router().action(CommandId::GpsCommPortSettings)->isEnabled());
    EXPECT_FALSE(app.frame().router().action(CommandId::SynchronizeGpsTime)->isEnabled());
    keepShot(echo, QStringLiteral("playback-echo-sounder"));
    if (QWidget* track = windowTitled(kTrackPlotterTitle)) keepShot(track, QStringLiteral("playback-track-plot"));
    closeAllWindows(app);
}
