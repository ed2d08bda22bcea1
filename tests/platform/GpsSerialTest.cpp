// The GPS reader end to end on pseudo-terminals made with socat: line
// settings, sentences arriving in the fix, split and junk input, the
// messages for a missing device or refused settings, and a lost line.
#include <gtest/gtest.h>

#include <algorithm>

#include "nav/GpsReadPacer.h"
#include "platform/QtTimerPort.h"
#include "platform/gps/SerialGpsSource.h"
#include "tests/platform/GpsTestSupport.h"

namespace hx {
namespace {

using test::PtyPair;
using test::ReaderHarness;

const ::testing::Environment* const kApp = ::testing::AddGlobalTestEnvironment(new test::QtAppEnvironment);

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kRmc = "$GPRMC,123520,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W*6F\r\n";
const std::string kVtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";

GpsSettings serialSettings(const PtyPair& pty, int baud, int parity) {
    GpsSettings s;
    s.gpsDevice = pty.readerPath().toStdString();
    s.gpsBaudRate = baud;
    s.gpsParity = static_cast<std::uint8_t>(parity);
    return s;
}

class GpsSerial : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    void SetUp() override {
        if (!pty_.ready()) GTEST_SKIP() << "socat could not make a pseudo-terminal pair";
    }
    PtyPair pty_;
};

TEST_P(GpsSerial, SentencesArriveInTheFix) {
    const auto [baud, parity] = GetParam();
    ReaderHarness h;
    ASSERT_TRUE(h.reopen(serialSettings(pty_, baud, parity)));
    ASSERT_TRUE(h.reopened.back().open);
    EXPECT_EQ(h.reopened.back().device, pty_.readerPath());
    // A pseudo-terminal keeps no parity bit (the kernel clears PARENB), and
    // the port notices it for even parity: the operator is told, and the
    // port reads on with its previous settings. A UART takes the setting.
    if (!h.notifier.messages.empty()) {
        EXPECT_EQ(parity, 1);
        EXPECT_EQ(h.notifier.messages[0], pty_.readerPath().toStdString() + " failed! \nPlease check its settings.");
    }

    ASSERT_TRUE(pty_.write("\x01\x02 line noise " + kRmc + kVtg + "$"));
    const GpsSnapshot* s = h.readUntil([](const GpsSnapshot& s) { return s.fix.speedText == "5.5 Knots"; });
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->sourceOpen);
    EXPECT_EQ(s->fix.latText, "48.07.038 S");
    EXPECT_NEAR(s->fix.gpsLatitude, -48.1173, 1e-9);
    EXPECT_NEAR(s->fix.gpsLongitude, -(11 + 31.0 / 60), 1e-9);
    EXPECT_EQ(s->fix.dateText, "23-MAR-1994");
    // Bytes before the first '$' never reach the history.
    for (int i = 0; i < s->historyCount; ++i) EXPECT_EQ(s->sentenceHistory[static_cast<std::size_t>(i)].front(), '$');
}

INSTANTIATE_TEST_SUITE_P(LineSettings, GpsSerial,
                         ::testing::Values(std::pair{4800, 1}, std::pair{4800, 3}, std::pair{115200, 1},
                                           std::pair{115200, 3}),
                         [](const auto& info) {
                             return std::to_string(info.param.first) + (info.param.second == 1 ? "_even" : "_mark");
                         });

class GpsSerialPort : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pty_.ready()) GTEST_SKIP() << "socat could not make a pseudo-terminal pair";
    }
    PtyPair pty_;
};

TEST_F(GpsSerialPort, ASentenceCutAcrossTwoReadsIsParsedOnce) {
    ReaderHarness h;
    ASSERT_TRUE(h.reopen(serialSettings(pty_, 19200, 0)));
    const std::string first = kGga.substr(0, 30);
    ASSERT_TRUE(pty_.write(first));
    ASSERT_NE(h.readUntil([](const GpsSnapshot& s) { return s.bytesRead > 0; }), nullptr);
    ASSERT_TRUE(pty_.write(kGga.substr(30) + "$GPZ"));
    const GpsSnapshot* s = h.readUntil([](const GpsSnapshot& s) { return s.fix.latText != "n/a"; });
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->fix.timeText, "12:35:19");
    const std::string gga = kGga.substr(0, kGga.size() - 1);
    int parsedIn = 0;
    for (const GpsSnapshot& r : h.reads) parsedIn += static_cast<int>(std::count(r.gpsSentences.begin(), r.gpsSentences.end(), gga) > 0 && r.fix.gpsUpdated);
    EXPECT_EQ(parsedIn, 1);
    EXPECT_EQ(std::count(s->sentenceHistory.begin(), s->sentenceHistory.end(), gga), 1);
}

TEST_F(GpsSerialPort, RefusedSettingsLeaveThePortOpenAndReading) {
    ReaderHarness h;
    GpsSettings s = serialSettings(pty_, 9600, 0);
    s.gpsStopBits = 1;  // one and a half stop bits with 8 data bits
    ASSERT_TRUE(h.reopen(s));
    ASSERT_EQ(h.notifier.messages.size(), 1u);
    EXPECT_EQ(h.notifier.messages[0], pty_.readerPath().toStdString() + " failed! \nPlease check its settings.");
    EXPECT_TRUE(h.reopened.back().open);
    ASSERT_TRUE(pty_.write(kGga + "$"));
    EXPECT_NE(h.readUntil([](const GpsSnapshot& s) { return s.fix.latText != "n/a"; }), nullptr);
}

TEST_F(GpsSerialPort, FindGpsPortFallsBackToADeviceThatOpens) {
    GpsSettings s;
    s.gpsDevice = "/nonexistent/ttyGPS";
    const auto found = FindGpsPort(s, {"/nonexistent/ttyUSB9", pty_.readerPath().toStdString()});
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, pty_.readerPath().toStdString());
    EXPECT_FALSE(FindGpsPort(s, {"/nonexistent/ttyUSB9"}));
    EXPECT_TRUE(gpsDeviceOpens(pty_.readerPath()));
}

TEST_F(GpsSerialPort, ADeviceThatDoesNotOpenGivesItsMessage) {
    SerialGpsSource source;
    const SerialOpenOutcome out = source.OpenGpsPort(QStringLiteral("/nonexistent/ttyGPS"), GpsSettings{});
    EXPECT_FALSE(out.opened);
    EXPECT_EQ(out.message.toStdString(), "/nonexistent/ttyGPS is not available. \nPlease choose another COM port!");
    EXPECT_FALSE(source.isOpen());
    EXPECT_TRUE(source.readAvailable(100).isEmpty());
}

TEST_F(GpsSerialPort, PacingTimerRunsOneReadAtATime) {
    ReaderHarness h;
    ASSERT_TRUE(h.reopen(serialSettings(pty_, 38400, 0)));
    int requests = 0;
    int refreshes = 0;
    GpsReadPacer* pacerPtr = nullptr;
    QtTimerPort timers([&](TimerId id) {
        if (id == TimerId::GpsRead && pacerPtr) pacerPtr->onTimer();
    });
    GpsReadPacer pacer(timers, {[&] {
                                    ++requests;
                                    h.reader.requestRead();
                                },
                                [&] { ++refreshes; }});
    pacerPtr = &pacer;
    QObject::connect(&h.reader, &GpsReaderThread::readDone,
                     [&](const GpsSnapshot& s) { pacer.onReadDone(s.fix.gpsUpdated == 1); });
    pacer.setReaderRunning(true);
    pacer.setIntervalMs(20);
    pacer.start();
    ASSERT_TRUE(pty_.write(kGga + kVtg + "$"));
    ASSERT_TRUE(test::waitUntil([&] { return refreshes >= 1 && requests >= 5; }, 5000));
    // Every request was answered before the next one went out.
    EXPECT_LE(requests - static_cast<int>(h.reads.size()), 1);
    EXPECT_EQ(h.reader.latest().fix.latText, "48.07.038 N");
    pacer.setPlaybackMode(true);
    const int before = requests;
    test::waitUntil([] { return false; }, 150);
    EXPECT_LE(requests - before, 1);  // at most the read in flight when playback began
    EXPECT_FALSE(timers.isActive(TimerId::GpsRead));
}

TEST_F(GpsSerialPort, ALostLineClosesThePortAndSaysSo) {
    ReaderHarness h;
    ASSERT_TRUE(h.reopen(serialSettings(pty_, 19200, 0)));
    ASSERT_TRUE(pty_.write(kGga + "$"));
    ASSERT_NE(h.readUntil([](const GpsSnapshot& s) { return s.fix.latText != "n/a"; }), nullptr);
    pty_.closeFeeder();
    pty_.stop();  // the other end of the line goes away
    const GpsSnapshot* s = h.readUntil([](const GpsSnapshot& s) { return !s.sourceOpen; }, 100);
    if (!s) GTEST_SKIP() << "this kernel keeps the pseudo-terminal readable after its peer closed";
    EXPECT_FALSE(h.notifier.messages.empty());
}

TEST_F(GpsSerialPort, AnUnpluggedDeviceIsTakenUpAgainWhenItReturns) {
    ReaderHarness h;
    ASSERT_TRUE(h.reopen(serialSettings(pty_, 19200, 0)));
    ASSERT_TRUE(pty_.write(kGga + "$"));
    ASSERT_NE(h.readUntil([](const GpsSnapshot& s) { return s.fix.latText == "48.07.038 N"; }), nullptr);
    // The adapter is pulled: the line goes away and its device with it.
    pty_.closeFeeder();
    pty_.stop();
    if (!h.readUntil([](const GpsSnapshot& s) { return !s.sourceOpen; }, 100))
        GTEST_SKIP() << "this kernel keeps the pseudo-terminal readable after its peer closed";
    EXPECT_EQ(h.notifier.messages.size(), 1u) << "the operator hears of the loss once";
    // Plugged in again under the same name: reading goes on without an
    // operator's reopen, and without more messages.
    pty_.start();
    ASSERT_TRUE(pty_.ready());
    const GpsSnapshot* back = h.readUntil([&](const GpsSnapshot& s) {
        if (s.sourceOpen) pty_.write(kRmc + "$");
        return s.sourceOpen && s.fix.latText == "48.07.038 S";
    }, 400);
    ASSERT_NE(back, nullptr) << "the device was not taken up again";
    EXPECT_EQ(h.notifier.messages.size(), 1u);
    EXPECT_EQ(h.reopened.size(), 1u) << "no reopen: the track and the settings stay";
}

TEST_F(GpsSerialPort, ResetEmptiesTheFixButKeepsReading) {
    ReaderHarness h;
    std::vector<GpsSnapshot> resets;
    QObject::connect(&h.reader, &GpsReaderThread::dataReset, [&](const GpsSnapshot& s) { resets.push_back(s); });
    ASSERT_TRUE(h.reopen(serialSettings(pty_, 19200, 0)));
    ASSERT_EQ(resets.size(), 1u);  // a reopen resets the data
    ASSERT_TRUE(pty_.write(kGga + "$"));
    ASSERT_NE(h.readUntil([](const GpsSnapshot& s) { return s.fix.latText != "n/a"; }), nullptr);
    h.reader.ResetGpsData();
    ASSERT_TRUE(test::waitUntil([&] { return resets.size() == 2; }));
    EXPECT_EQ(resets.back().fix.latText, "n/a");
    EXPECT_EQ(h.reader.latest().fix.latText, "n/a");
    ASSERT_TRUE(pty_.write(kVtg + kGga + "$"));
    EXPECT_NE(h.readUntil([](const GpsSnapshot& s) { return s.fix.latText != "n/a"; }), nullptr);
    h.reader.CloseGpsPorts();
    const GpsSnapshot* closed = h.readOnce();
    ASSERT_NE(closed, nullptr);
    EXPECT_FALSE(closed->sourceOpen);
}

}  // namespace
}  // namespace hx
