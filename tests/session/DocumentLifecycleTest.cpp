// The new-document defaults and the close sequence of a session.
#include <gtest/gtest.h>

#include "core/ByteIO.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeNotifier.h"
#include "fakes/FakeTimerPort.h"
#include "link/FakeHeadNetwork.h"
#include "record/RecordFakes.h"
#include "session/DocumentLifecycle.h"
#include "session/SkerrySession.h"

namespace hx {
namespace {

TEST(DocumentLifecycle, NewDocumentSetsEveryDefaultOverAnEarlierSession) {
    CSkerryDoc doc;
    doc.heads.headGain[2] = 33;
    doc.cycle.goodCycleCount = 99;
    doc.imaging.history.historyWriteIndex = 17;
    doc.gps.gpsBaudRate = 115200;
    doc.windowTitle = "HX642 -- Playback (x.642) ";
    NewDocument(doc, makeDocumentPaths("/home/op/.config/hx642"));
    EXPECT_EQ(doc.heads.headGain[2], 6);
    EXPECT_EQ(doc.cycle.goodCycleCount, 0);
    EXPECT_EQ(doc.imaging.history.historyWriteIndex, 0);
    EXPECT_EQ(doc.heads.headCommand[0][0], 0xFE) << "command templates built";
    EXPECT_EQ(doc.palette.colourTables[kGrey][100].red, 100) << "colour tables generated";
    EXPECT_EQ(doc.settingsPath, "/home/op/.config/hx642/HX642.ini");
    EXPECT_EQ(doc.palette.paletteFilePath, "/home/op/.config/hx642/HX642.pal");
    EXPECT_EQ(doc.programDirectory, "/home/op/.config/hx642/");
    EXPECT_EQ(doc.recorder.recordDirectory, "/home/op/.config/hx642/") << "recordings go beside the settings";
    EXPECT_EQ(doc.gps.gpsBaudRate, 4800);
    EXPECT_EQ(doc.gps.gpsDataBits, 8);
    EXPECT_EQ(doc.windowTitle, "HX642 -- Real Time");
}

class Observer final : public ISessionObserver {};
class Shell final : public IPlaybackShell {};

TEST(SkerrySession, CloseStopsTheTimersThenTheRecordingThenEveryConnection) {
    CSkerryDoc doc;
    NewDocument(doc, makeDocumentPaths("/tmp"));
    test::FakeTimerPort timers;
    test::FakeHeadNetwork net;
    test::FakeClock clock;
    test::FakeNotifier notifier;
    rectest::MemoryFileSystem fs;
    rectest::ScriptedDialogs dialogs;
    rectest::CaptionWindow window;
    Shell shell;
    Observer observer;
    SkerrySession session(doc, SessionPorts{net, timers, clock, notifier, dialogs, fs, window, shell, observer});
    ASSERT_TRUE(session.recorder().startRecordingTo("/data/run.642", {}));
    timers.start(TimerId::LinkWatchdog, 3000, true);
    timers.start(TimerId::PlaybackStep, 100, false);
    doc.link.headConnected = {1, 1, 0, 1};

    session.beginClose();
    EXPECT_TRUE(doc.closing);
    EXPECT_FALSE(timers.isActive(TimerId::LinkWatchdog));
    EXPECT_FALSE(timers.isActive(TimerId::PlaybackStep));
    EXPECT_FALSE(timers.isActive(TimerId::PlaybackStart));
    EXPECT_TRUE(session.recorder().recording()) << "the settings are saved before anything closes";

    session.close();
    EXPECT_FALSE(session.recorder().recording());
    EXPECT_TRUE(fs.exists("/data/run.an")) << "the event file was written";
    EXPECT_EQ(net.closes, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(doc.link.headConnected, (PerHead<std::int32_t>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace hx
