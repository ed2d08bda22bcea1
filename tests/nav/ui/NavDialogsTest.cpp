// The "Speed Info" dialog changes the speed settings and so the rows the
// waterfall adds per ping; the GPS configuration dialog lists the probed
// ports, takes a typed pseudo-terminal, applies, defaults and cancels as the
// operator expects, and shows the reader's diagnostics.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "imaging/LineCount.h"
#include "nav/ui/GpsConfigDlg.h"
#include "nav/ui/GpsSentenceView.h"
#include "nav/ui/NavUiTestSupport.h"
#include "nav/ui/ShipSpeedDlg.h"

namespace hx {
namespace {

template <typename T>
T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// The line count's view of the speed settings, as the document keeps it.
SpeedSource lineCountSpeed(const SpeedSettings& s) {
    SpeedSource src;
    src.speedCorrectionEnabled = s.speedCorrectionEnabled;
    src.useManualSpeed = s.useManualSpeed;
    src.manualShipSpeedKn = s.manualShipSpeed;
    src.useGpsSpeed = s.useGpsSpeed;
    return src;
}

// Rows added by 100 pings a second apart at 50 m range on a 2000-pixel
// image, with the GPS reporting 6 knots.
int rowsFor(const SpeedSettings& s) {
    LineCountState state;
    const SpeedSource src = lineCountSpeed(s);
    int rows = 0;
    for (int i = 0; i < 100; ++i) {
        ComputeLineCount(state, LineCountPing{50, 1000, 6.0}, kHeadL, kBothSides, LineCountImage{2000, 1.0}, src);
        rows += ChosenLineCount(state, src);
    }
    return rows;
}

TEST(SpeedInfoDialog, ChoiceChangesTheWaterfallRowsOnlyOnOk) {
    SpeedSettings s;  // GPS speed, correction on
    const int gpsRows = rowsFor(s);
    {
        CShipSpeedDlg dlg(s);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Speed Info"));
        EXPECT_TRUE(child<QRadioButton>(dlg, "radio1288")->isChecked());
        child<QRadioButton>(dlg, "radio1289")->click();
        for (int i = 0; i < 15; ++i) child<QDoubleSpinBox>(dlg, "edit1292")->stepUp();
        dlg.accept();
    }
    EXPECT_EQ(s.useManualSpeed, 1);
    EXPECT_EQ(s.useGpsSpeed, 0);
    EXPECT_EQ(manualSpeedToSetting(s.manualShipSpeed), 45);
    // 6 knots from the GPS against 4.5 by hand: three quarters of the rows.
    EXPECT_NEAR(static_cast<double>(rowsFor(s)) / gpsRows, 0.75, 0.01);
    {
        CShipSpeedDlg dlg(s);
        child<QRadioButton>(dlg, "radio1291")->click();
        child<QCheckBox>(dlg, "check1294")->click();
        dlg.reject();
    }
    EXPECT_EQ(s.useManualSpeed, 1);
    EXPECT_EQ(s.speedCorrectionEnabled, 1);
    {
        CShipSpeedDlg dlg(s);
        child<QRadioButton>(dlg, "radio1291")->click();
        dlg.accept();
    }
    SpeedSettings threeKnots;
    threeKnots.useManualSpeed = 1;
    EXPECT_EQ(rowsFor(s), rowsFor(threeKnots));  // the program's 3.0 knots whatever the GPS says
}

struct GpsDialogRig {
    GpsSettings settings;
    bool playback = false;
    int probes = 0;
    std::vector<ProbedPort> ports{{"/dev/ttyUSB0", true}, {"/dev/ttyUSB1", false}, {"/dev/ttyS0", true}};
    CGPSConfigDlg dlg{GpsConfigContext{settings,
                                       [this] {
                                           ++probes;
                                           return ports;
                                       },
                                       [] { return false; }, [this] { return playback; }}};
    GpsDialogRig() { settings.gpsDevice = "/dev/ttyS0"; }
};

TEST(GpsConfigDialog, ListsThePortsThatOpenAndSelectsTheConfiguredOne) {
    GpsDialogRig rig;
    rig.dlg.show();
    EXPECT_EQ(rig.probes, 1);
    EXPECT_EQ(rig.dlg.windowTitle(), QStringLiteral("GPS Serial Port Configuration and Diagnostics"));
    auto* port = child<QComboBox>(rig.dlg, "combo1133");
    ASSERT_EQ(port->count(), 2);
    EXPECT_EQ(port->itemText(0), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(port->currentText(), QStringLiteral("/dev/ttyS0"));
    rig.ports.clear();
    rig.settings.gpsDevice.clear();
    rig.dlg.refill();
    EXPECT_EQ(port->lineEdit()->placeholderText(), QStringLiteral("No Com Ports available"));
}

TEST(GpsConfigDialog, ApplyKeepsItOpenOkClosesAndOnlyRealTimeReopens) {
    GpsDialogRig rig;
    rig.dlg.show();
    QSignalSpy reopen(&rig.dlg, &CGPSConfigDlg::reopenRequested);
    emit child<QComboBox>(rig.dlg, "combo1135")->activated(1);  // "Even"
    auto* apply = child<QPushButton>(rig.dlg, "button7");
    EXPECT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_EQ(rig.settings.gpsParity, 1);
    EXPECT_EQ(reopen.count(), 1);
    EXPECT_TRUE(rig.dlg.isVisible());
    EXPECT_FALSE(apply->isEnabled());
    // Default: the first OK applies and stays, the second closes.
    child<QPushButton>(rig.dlg, "button5")->click();
    child<QPushButton>(rig.dlg, "button1")->click();
    EXPECT_EQ(rig.settings.gpsBaudRate, 4800);
    EXPECT_EQ(rig.settings.gpsType, 2);
    EXPECT_EQ(rig.settings.gpsDevice, "/dev/ttyUSB0");
    EXPECT_EQ(reopen.count(), 2);
    EXPECT_TRUE(rig.dlg.isVisible());
    child<QPushButton>(rig.dlg, "button1")->click();
    EXPECT_FALSE(rig.dlg.isVisible());
    // In playback the settings change but no port is opened.
    rig.playback = true;
    rig.dlg.show();
    emit child<QComboBox>(rig.dlg, "combo1221")->activated(2);  // 7 data bits
    child<QPushButton>(rig.dlg, "button1")->click();
    EXPECT_EQ(rig.settings.gpsDataBits, 7);
    EXPECT_EQ(reopen.count(), 2);
}

TEST(GpsConfigDialog, TypedPseudoTerminalPathIsTheNewPort) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString pty = QString::fromLatin1(ptsname(master));
    GpsDialogRig rig;
    rig.dlg.show();
    QSignalSpy reopen(&rig.dlg, &CGPSConfigDlg::reopenRequested);
    auto* port = child<QComboBox>(rig.dlg, "combo1133");
    port->setEditText(pty);
    emit port->lineEdit()->editingFinished();
    EXPECT_TRUE(child<QPushButton>(rig.dlg, "button7")->isEnabled());
    child<QPushButton>(rig.dlg, "button1")->click();
    EXPECT_EQ(QString::fromStdString(rig.settings.gpsDevice), pty);
    EXPECT_EQ(reopen.count(), 1);
    close(master);
}

TEST(GpsConfigDialog, NetworkSourceAndReadIntervalApply) {
    GpsDialogRig rig;
    rig.dlg.show();
    QSignalSpy interval(&rig.dlg, &CGPSConfigDlg::readIntervalChanged);
    child<QSpinBox>(rig.dlg, "spin1212")->setValue(2);  // at once, without OK
    EXPECT_EQ(rig.settings.gpsReadInterval, 200);
    EXPECT_EQ(interval.count(), 1);
    emit child<QComboBox>(rig.dlg, "comboSource")->activated(2);  // UDP NMEA
    EXPECT_FALSE(child<QComboBox>(rig.dlg, "combo1133")->isEnabled());
    child<QSpinBox>(rig.dlg, "spinUdpPort")->setValue(10200);
    child<QPushButton>(rig.dlg, "button1")->click();
    EXPECT_EQ(rig.settings.gpsSource, GpsSourceKind::Udp);
    EXPECT_EQ(rig.settings.udpPort, 10200);
    EXPECT_EQ(rig.settings.udpAddress, "127.0.0.1");
}

TEST(GpsConfigDialog, ShowsQualitySatellitesAndTheSelectedSentencesInBlue) {
    GpsDialogRig rig;
    rig.settings.gpsType = 2;  // RMC
    rig.dlg.resize(520, 560);
    rig.dlg.show();
    GpsSnapshot snap;
    snap.qualityText = "From RMC:  A";
    snap.satellitesInUse = 8;
    snap.sentenceHistory[0] = "$GPRMC,123519,A,4807.038,N,01131.000,W,022.4,084.4,230394,003.1,W*6A\r";
    snap.sentenceHistory[1] = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r";
    snap.sentenceHistory[2] = "$GPZDA*00";  // too short to be shown
    snap.historyCount = 3;
    rig.dlg.showReadDiagnostics(snap);
    EXPECT_EQ(child<QLineEdit>(rig.dlg, "edit1004")->text(), QStringLiteral("From RMC:  A"));
    EXPECT_EQ(child<QLineEdit>(rig.dlg, "edit1104")->text(), QStringLiteral("8"));
    const QImage image = test::render(*child<GpsSentenceView>(rig.dlg, "sentenceView"));
    test::keepShot(test::render(rig.dlg), QStringLiteral("gps-config"));
    auto blue = [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 80 && qGreen(p) < 80; };
    auto dark = [](QRgb p) { return qBlue(p) < 80 && qRed(p) < 80 && qGreen(p) < 80; };
    EXPECT_GT(test::countPixels(image, QRect(0, 2, image.width(), 16), blue), 30);
    EXPECT_EQ(test::countPixels(image, QRect(0, 2, image.width(), 16), dark), 0);
    EXPECT_GT(test::countPixels(image, QRect(0, 18, image.width(), 16), dark), 30);
    EXPECT_EQ(test::countPixels(image, QRect(0, 34, image.width(), 40), dark), 0);
}

}  // namespace
}  // namespace hx
