// The program opening a recording given on its command line: playback mode,
// the playback bar, the menus' playback texts, Hold and reverse play.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QDeadlineTimer>
#include <functional>
#include <QFile>
#include <QTemporaryDir>
#include <QToolBar>

#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "tests/app/AppTestSupport.h"
#include "tests/record/RecordSamples.h"

using namespace hx;
using hx::apptest::waitFor;

namespace {


// A recording of `pings` records with three heads (M, H and ES).
QString writeRecording(const QString& folder, int pings) {
    rectest::SampleDocument doc;
    doc.setHeads(rectest::headSet(0b1110));
    const QString path = folder + QStringLiteral("/survey.642");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (int p = 1; p <= pings; ++p) {
        doc.fillForPing(static_cast<std::uint32_t>(p));
        for (auto& header : doc.heads.headReplyHeader) header[3] = 0;  // no error flags: every cycle is good
        std::vector<std::uint8_t> bytes;
        encodeRecord(recordFromDocument(doc.sources(), static_cast<std::uint32_t>(p), 0), bytes);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    return path;
}

}  // namespace

TEST(PlaybackApp, ARecordingOnTheCommandLineIsPlayedThroughTheDisplayPath) {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    AppOptions options;
    options.unattended = true;
    options.settingsPath = dir.path() + QStringLiteral("/HX642.ini");
    options.playbackFile = writeRecording(dir.path(), 40);
    SkerryApp app(options);
    ASSERT_TRUE(app.start());
    CSkerryDoc& doc = app.doc();

    ASSERT_TRUE(waitFor([&] { return doc.playback.recordsPlayed >= 5; }, 15000)) << doc.playback.recordsPlayed;
    EXPECT_EQ(doc.link.playbackMode, 1);
    EXPECT_TRUE(app.frame().windowTitle().startsWith("HX642 -- Playback")) << app.frame().windowTitle().toStdString();
    // The played record's head set: M and H are the pair.
    EXPECT_EQ(doc.link.allSideScansAvailable, 0);
    EXPECT_EQ(doc.link.displayHeadA, 1);
    EXPECT_EQ(doc.link.displayHeadB, 2);
    EXPECT_GT(doc.imaging.history.historyWriteIndex, 0) << "rejected " << doc.playback.rejectedCycles << " damaged " << doc.playback.damagedRecordsSkipped;

    CommandRouter& r = app.frame().router();
    r.updateAll();
    EXPECT_EQ(r.action(CommandId::Record)->text(), "Copy Start...\tCtrl+S");
    EXPECT_EQ(r.action(CommandId::StopRecording)->text(), "Copy Stop...\tCtrl+Z");
    EXPECT_FALSE(r.action(CommandId::RangeIncrease)->isEnabled());
    EXPECT_FALSE(r.action(CommandId::Reconnect)->isEnabled());
    EXPECT_TRUE(r.action(CommandId::ReversePlayback)->isEnabled());
    EXPECT_TRUE(r.action(CommandId::SettingsChangeAlarm)->isEnabled());
    auto* bar = app.frame().findChild<QToolBar*>(QStringLiteral("filePlaybackBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());

    // Hold stops the steps drawing; the played records keep their place.
    r.action(CommandId::Hold)->trigger();
    EXPECT_EQ(doc.imaging.display.holdDisplay, 1);
    r.action(CommandId::Hold)->trigger();
    EXPECT_EQ(doc.imaging.display.holdDisplay, 0);

    // Reverse play goes on without a stop at the start of the file.
    r.action(CommandId::ReversePlayback)->trigger();
    EXPECT_TRUE(doc.playback.reverse);
    const auto played = doc.playback.recordsPlayed;
    ASSERT_TRUE(waitFor([&] { return doc.playback.recordsPlayed >= played + 45; }, 20000));
}
