// GPS source settings, the port choice on Linux, the configuration dialog's
// working state and the gpsd stream filter.
#include <gtest/gtest.h>

#include "nav/GpsConfigModel.h"
#include "nav/GpsPortList.h"
#include "nav/GpsSettings.h"
#include "nav/GpsdStream.h"

namespace hx {
namespace {

TEST(GpsSettings, DefaultsAndSourceNames) {
    const GpsSettings s;
    EXPECT_EQ(s.gpsPort, 1);
    EXPECT_EQ(s.gpsBaudRate, 19200);
    EXPECT_EQ(s.gpsDataBits, 8);
    EXPECT_EQ(s.gpsReadInterval, 1000);
    EXPECT_EQ(s.gpsSource, GpsSourceKind::Serial);
    EXPECT_EQ(s.gpsdPort, 2947);
    EXPECT_EQ(s.udpPort, 10110);
    for (GpsSourceKind k : {GpsSourceKind::Serial, GpsSourceKind::Gpsd, GpsSourceKind::Udp})
        EXPECT_EQ(gpsSourceKindFromName(gpsSourceKindName(k)), k);
    EXPECT_EQ(gpsSourceKindFromName("bluetooth"), GpsSourceKind::Serial);
}

TEST(GpsSettings, HostileValuesAreCaught) {
    GpsSettings s;
    s.gpsReadInterval = 0;
    EXPECT_EQ(gpsReadIntervalMs(s), 100);
    s.gpsReadInterval = 100000000;
    EXPECT_EQ(gpsReadIntervalMs(s), 60000);
    EXPECT_FALSE(gpsLineSettingsProblem(GpsSettings{}));
    GpsSettings bad;
    bad.gpsDataBits = 9;
    EXPECT_TRUE(gpsLineSettingsProblem(bad));
    bad = {};
    bad.gpsParity = 7;
    EXPECT_TRUE(gpsLineSettingsProblem(bad));
    bad = {};
    bad.gpsStopBits = 1;  // 1.5 stop bits: only with 5 data bits on a UART
    EXPECT_TRUE(gpsLineSettingsProblem(bad));
    bad.gpsDataBits = 5;
    EXPECT_FALSE(gpsLineSettingsProblem(bad));
    bad.gpsBaudRate = -4800;
    EXPECT_TRUE(gpsLineSettingsProblem(bad));
}

TEST(GpsSettings, DisplayNames) {
    GpsSettings s;
    EXPECT_EQ(gpsSourceDisplayName(s), "COM1");
    s.gpsDevice = "/dev/ttyUSB0";
    EXPECT_EQ(gpsSourceDisplayName(s), "/dev/ttyUSB0");
    s.gpsSource = GpsSourceKind::Gpsd;
    EXPECT_EQ(gpsSourceDisplayName(s), "gpsd localhost:2947");
    s.gpsSource = GpsSourceKind::Udp;
    EXPECT_EQ(gpsSourceDisplayName(s), "UDP 127.0.0.1:10110");
}

TEST(GpsPortList, CandidatesNumbersAndDevices) {
    const std::vector<std::string> found = {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
    GpsSettings s;
    s.gpsPort = 2;
    EXPECT_EQ(gpsPortCandidates(s, found), (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyUSB1"}));
    s.gpsDevice = "/tmp/gps-pty";
    EXPECT_EQ(gpsPortCandidates(s, found).front(), "/tmp/gps-pty");
    EXPECT_EQ(gpsPortCandidates(s, found).size(), 4u);
    s.gpsDevice = "/dev/ttyUSB1";
    EXPECT_EQ(gpsPortCandidates(s, found).size(), 3u);
    s.gpsDevice.clear();
    s.gpsPort = 99;
    EXPECT_EQ(gpsPortCandidates(s, found).front(), "/dev/ttyS0");
    EXPECT_TRUE(gpsPortCandidates(s, {}).empty());

    EXPECT_EQ(gpsPortNumberFor("/dev/ttyUSB1", found, 7), 3);
    EXPECT_EQ(gpsPortNumberFor("/tmp/gps-pty", found, 7), 7);
    EXPECT_EQ(gpsDeviceForNumber(1, found), "/dev/ttyS0");
    EXPECT_EQ(gpsDeviceForNumber(0, found), "");
    EXPECT_EQ(gpsDeviceForNumber(4, found), "");
}

TEST(GpsPortList, DialogListHoldsOpenableAndOurOwnPort) {
    const std::vector<ProbedPort> probed = {{"/dev/ttyS0", true}, {"/dev/ttyUSB0", false}, {"/dev/ttyUSB1", true}};
    // Our port is open by us, so the probe could not open it.
    GpsPortListModel m = buildGpsPortList(probed, "/dev/ttyUSB0", true);
    EXPECT_EQ(m.devices, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"}));
    EXPECT_EQ(m.selected, 1);
    // Busy with another program: not offered.
    m = buildGpsPortList(probed, "/dev/ttyUSB0", false);
    EXPECT_EQ(m.devices, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB1"}));
    EXPECT_EQ(m.selected, 0);
    // A typed path that discovery does not list stays visible.
    m = buildGpsPortList(probed, "/tmp/gps-pty", false);
    EXPECT_EQ(m.devices.back(), "/tmp/gps-pty");
    EXPECT_EQ(m.selected, 2);
    // Nothing at all.
    m = buildGpsPortList({}, "", false);
    EXPECT_FALSE(m.enabled());
    EXPECT_EQ(m.selected, -1);
    EXPECT_EQ(m.placeholder(), "No Com Ports available");
}

GpsPortListModel twoPorts() { return buildGpsPortList({{"/dev/ttyS0", true}, {"/dev/ttyUSB0", true}}, "/dev/ttyUSB0", true); }

TEST(GpsConfigModel, ListSelectionsFollowTheSettings) {
    GpsSettings s;
    s.gpsBaudRate = 31250;  // not in the list
    s.gpsParity = 9;
    s.gpsDataBits = 4;
    s.gpsStopBits = 2;
    s.gpsType = 7;
    GpsConfigModel m;
    m.load(s, twoPorts());
    EXPECT_EQ(m.baudIndex(), 0);
    EXPECT_EQ(m.parityIndex(), 0);
    EXPECT_EQ(m.dataBitsIndex(), 3);
    EXPECT_EQ(m.stopBitsIndex(), 2);
    EXPECT_EQ(m.sentenceIndex(), 0);
    EXPECT_FALSE(m.applyEnabled());
    EXPECT_EQ(m.working().gpsDevice, "/dev/ttyUSB0");
}

TEST(GpsConfigModel, OkCopiesChangesAndAsksForAReopen) {
    GpsSettings s;
    s.gpsDevice = "/dev/ttyUSB0";
    GpsConfigModel m;
    m.load(s, twoPorts());
    GpsApplyOutcome out = m.accept(s, false);
    EXPECT_FALSE(out.changed);
    EXPECT_TRUE(out.closeDialog);

    m.load(s, twoPorts());
    m.selectParity(1);  // "Even"
    m.selectBaud(5);    // 115,200
    m.selectSentence(4);
    EXPECT_TRUE(m.applyEnabled());
    out = m.accept(s, false);
    EXPECT_TRUE(out.changed);
    EXPECT_TRUE(out.closeDialog);
    EXPECT_EQ(s.gpsParity, 1);
    EXPECT_EQ(s.gpsBaudRate, 115200);
    EXPECT_EQ(s.gpsType, 2);
    s.gpsFlow = 1;  // not the dialog's: stays
    m.load(s, twoPorts());
    m.accept(s, false);
    EXPECT_EQ(s.gpsFlow, 1);
}

TEST(GpsConfigModel, ApplyKeepsTheDialogOpenAndDefaultNeedsTwoOks) {
    GpsSettings s;
    GpsConfigModel m;
    m.load(s, twoPorts());
    m.selectDataBits(2);
    GpsApplyOutcome out = m.accept(s, true);
    EXPECT_TRUE(out.changed);
    EXPECT_FALSE(out.closeDialog);
    EXPECT_FALSE(m.applyEnabled());
    EXPECT_EQ(s.gpsDataBits, 7);

    m.defaults();
    EXPECT_TRUE(m.applyEnabled());
    EXPECT_EQ(m.working().gpsBaudRate, 4800);
    EXPECT_EQ(m.working().gpsType, 2);
    EXPECT_EQ(m.working().gpsDevice, "/dev/ttyS0");
    out = m.accept(s, false);
    EXPECT_TRUE(out.changed);
    EXPECT_FALSE(out.closeDialog);  // the first OK after Default stays
    EXPECT_EQ(s.gpsBaudRate, 4800);
    EXPECT_EQ(s.gpsDataBits, 8);
    out = m.accept(s, false);
    EXPECT_FALSE(out.changed);
    EXPECT_TRUE(out.closeDialog);
}

TEST(GpsConfigModel, CancelRestoresTheWorkingCopies) {
    GpsSettings s;
    s.gpsDevice = "/dev/ttyUSB0";
    GpsConfigModel m;
    m.load(s, twoPorts());
    m.selectPort(0);
    m.selectStopBits(2);
    m.cancel(s);
    EXPECT_EQ(m.working().gpsDevice, "/dev/ttyUSB0");
    EXPECT_EQ(m.ports().selected, 1);
    EXPECT_EQ(m.working().gpsStopBits, 0);
    EXPECT_FALSE(m.applyEnabled());
    m.typePort("/tmp/gps-pty");
    EXPECT_TRUE(m.accept(s, false).changed);
    EXPECT_EQ(s.gpsDevice, "/tmp/gps-pty");
}

TEST(GpsConfigModel, ReadIntervalSpinAndTypedValue) {
    GpsSettings s;
    EXPECT_EQ(GpsConfigModel::spinPosition(s), 10);
    EXPECT_EQ(GpsConfigModel::stepReadInterval(s, +1), 1100);
    s.gpsReadInterval = 200;
    EXPECT_EQ(GpsConfigModel::stepReadInterval(s, -1), 200);
    s.gpsReadInterval = 2000;
    EXPECT_EQ(GpsConfigModel::stepReadInterval(s, +1), 2000);
    s.gpsReadInterval = 300;
    EXPECT_EQ(GpsConfigModel::stepReadInterval(s, -1), 200);
    EXPECT_TRUE(GpsConfigModel::typeReadInterval(s, 750));
    EXPECT_EQ(s.gpsReadInterval, 750);
    EXPECT_FALSE(GpsConfigModel::typeReadInterval(s, 50));
    EXPECT_FALSE(GpsConfigModel::typeReadInterval(s, 2500));
    EXPECT_EQ(s.gpsReadInterval, 750);
}

TEST(GpsConfigModel, SentenceHighlightAndArea) {
    EXPECT_TRUE(isSelectedSentence(0, "$GPGLL,4916.45,N"));
    EXPECT_TRUE(isSelectedSentence(0, "$GPVTG,54.7,T"));
    EXPECT_FALSE(isSelectedSentence(0, "$GPGGA,123519"));
    EXPECT_TRUE(isSelectedSentence(1, "$GNGGA,123519"));
    EXPECT_TRUE(isSelectedSentence(2, "$GPRMC,123519"));
    EXPECT_FALSE(isSelectedSentence(2, "$GPVTG,54.7,T"));
    EXPECT_TRUE(isSelectedSentence(3, "$GPVTG,54.7,T"));
    EXPECT_FALSE(isSelectedSentence(3, "$GPZDA,1"));
    EXPECT_FALSE(isDrawnHistoryEntry("$GPGSV,1,"));
    EXPECT_TRUE(isDrawnHistoryEntry("$GPGSV,1,1"));
    const SentenceArea a = sentenceArea(600, 500);
    EXPECT_EQ(a.left, 30);
    EXPECT_EQ(a.right, 570);
    EXPECT_EQ(a.top, 270);
    EXPECT_EQ(a.bottom, 475);
}

TEST(GpsdStream, JsonReportsAreTakenOutOfTheStream) {
    GpsdStreamFilter f;
    std::string out = f.filter("{\"class\":\"VERSION\",\"release\":\"3.22\"}\r\n$GPGGA,1,2*00\r\n{\"class\":\"DEV");
    EXPECT_EQ(out, "$GPGGA,1,2*00\r\n");
    out = f.filter("ICE\",\"path\":\"/dev/pts/3\"}\n$GPVTG,5");
    EXPECT_EQ(out, "");
    out = f.filter("4.7,T\r\n");
    EXPECT_EQ(out, "$GPVTG,54.7,T\r\n");
    // An endless line is given up, and the stream recovers after it.
    out = f.filter(std::string(70000, 'x'));
    EXPECT_EQ(out, "");
    out = f.filter("still the same line\n$GPHDT,1.0,T\r\n");
    EXPECT_EQ(out, "$GPHDT,1.0,T\r\n");
    EXPECT_EQ(kGpsdWatchNmea, "?WATCH={\"enable\":true,\"nmea\":true};\n");
}

}  // namespace
}  // namespace hx
