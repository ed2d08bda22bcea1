// The playback keys pressed on the running program playing a recording:
// each key's record (with the record's own range and gain on show), the
// 100-record jumps stopping at both ends, N and P over the file's events,
// the speed and direction keys beating the accelerators, edit boxes keeping
// their keys, and the keys in the hot keys window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <fstream>

#include "app/HotKeysDialog.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "link/HeadSettings.h"
#include "record/EventFile.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/record/RecordSamples.h"

using namespace hx;
using hx::apptest::waitFor;

namespace {

constexpr int kRecords = 250;

std::int32_t recordedRange(std::uint32_t ping) { return rangeForIndex(5 + static_cast<int>(ping % 10)); }
std::int32_t recordedGain(std::uint32_t ping) { return static_cast<std::int32_t>(3 + ping % 31); }

// A recording written by the recorder's writer, its range and gain changing
// from record to record, with events at pings 30 and 90 in its event file.
std::string writeRecording(const QString& folder) {
    const std::string path = (folder + QStringLiteral("/keys.642")).toStdString();
    StdFileSystem fs;
    test::FakeNotifier notifier;
    DataFileState state;
    CReadWriteFiles writer(state, fs, notifier);
    EXPECT_TRUE(writer.createOutput(path));
    rectest::SampleDocument doc;
    doc.setHeads(rectest::headSet(0b1111));
    for (std::uint32_t ping = 1; ping <= kRecords; ++ping) {
        doc.fillForPing(ping);
        for (auto& header : doc.heads.headReplyHeader) header[3] = 0;  // no error flags
        doc.heads.sideScanRange = recordedRange(ping);
        for (auto& g : doc.heads.headGain) g = recordedGain(ping);
        state.pingNumber = ping;
        EXPECT_EQ(writer.writeRecord(doc.sources()), WriteStatus::Written);
    }
    writer.closeOutput();

    EventList events;
    emptyEventList(events);
    const int pings[] = {30, 90};
    for (int i = 0; i < 2; ++i) {
        EventEntry& e = events.entries[static_cast<std::size_t>(i)];
        e.number = i;
        e.ping = pings[i];
        e.position = 0.5;
        e.latitude = e.longitude = e.date = e.time = "n/a\n";
        e.annotation = "wreck\n";
    }
    events.count = 2;
    std::ofstream(eventFilePathFor(path), std::ios::binary) << formatEventFile(events);
    return path;
}

class PlaybackKeysApp : public testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        options.unattended = true;
        options.settingsPath = dir.path() + QStringLiteral("/HX642.ini");
        options.playbackFile = QString::fromStdString(writeRecording(dir.path()));
        app = std::make_unique<SkerryApp>(options);
        ASSERT_TRUE(app->start());
        ASSERT_TRUE(waitFor([&] { return doc().playback.recordsPlayed >= 3; }, 15000));
        // The accelerators fire only in the active window: the keys must beat them there.
        app->frame().activateWindow();
        QApplication::setActiveWindow(&app->frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&app->frame()));
        // Paused, so that only the keys move the place.
        press(Qt::Key_Space);
        ASSERT_EQ(doc().imaging.display.holdDisplay, 1);
    }
    CSkerryDoc& doc() { return app->doc(); }
    // The key goes where the operator's typing goes: the focused widget of the frame.
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = app->frame().focusWidget() ? app->frame().focusWidget() : &app->frame();
        QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
    }
    std::uint32_t shownPing() { return doc().dataFile.pingNumber; }

    QTemporaryDir dir;
    AppOptions options;
    std::unique_ptr<SkerryApp> app;
};

TEST_F(PlaybackKeysApp, EachKeyShowsItsRecordWithTheRecordedRangeAndGain) {
    ASSERT_EQ(doc().events.events.count, 2);
    doc().heads.sideScanRange = 500;  // what real time would have set
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        std::uint32_t ping;
    };
    const Row rows[] = {
        {Qt::Key_Home, Qt::NoModifier, 1},       {Qt::Key_Right, Qt::NoModifier, 2},
        {Qt::Key_Right, Qt::NoModifier, 3},      {Qt::Key_Left, Qt::NoModifier, 2},
        {Qt::Key_Right, Qt::ShiftModifier, 102}, {Qt::Key_Left, Qt::ShiftModifier, 2},
        {Qt::Key_Left, Qt::ShiftModifier, 1},    {Qt::Key_Left, Qt::NoModifier, 1},
        {Qt::Key_End, Qt::NoModifier, 250},      {Qt::Key_Right, Qt::NoModifier, 250},
        {Qt::Key_Right, Qt::ShiftModifier, 250}, {Qt::Key_Left, Qt::ShiftModifier, 150},
        {Qt::Key_N, Qt::NoModifier, 150},        {Qt::Key_P, Qt::NoModifier, 90},
        {Qt::Key_P, Qt::NoModifier, 30},         {Qt::Key_P, Qt::NoModifier, 30},
        {Qt::Key_N, Qt::ShiftModifier, 90},      {Qt::Key_Home, Qt::NoModifier, 1},
        {Qt::Key_N, Qt::NoModifier, 30},
    };
    int i = 0;
    for (const Row& r : rows) {
        press(r.key, r.mods);
        EXPECT_EQ(shownPing(), r.ping) << "row " << i;
        EXPECT_EQ(doc().heads.sideScanRange, recordedRange(r.ping)) << "row " << i;
        EXPECT_EQ(doc().heads.headGain[kHeadL], recordedGain(r.ping)) << "row " << i;
        ++i;
    }
    // Still paused: the keys showed records without letting the timer run.
    EXPECT_EQ(doc().imaging.display.holdDisplay, 1);
    EXPECT_EQ(doc().link.playbackMode, 1);
}

TEST_F(PlaybackKeysApp, SpeedAndDirectionKeysBeatTheAccelerators) {
    const int speed = doc().playback.playSpeed;
    const double gpsZoom = doc().trackPlot.gpsZoomFactor;
    press(Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(doc().playback.playSpeed, speed + 1);
    press(Qt::Key_Minus);
    press(Qt::Key_Minus);
    EXPECT_EQ(doc().playback.playSpeed, speed - 1);
    EXPECT_DOUBLE_EQ(doc().trackPlot.gpsZoomFactor, gpsZoom);  // "+" and "-" zoom the track plot in real time

    press(Qt::Key_R);
    EXPECT_TRUE(doc().playback.reverse);
    press(Qt::Key_R);
    EXPECT_FALSE(doc().playback.reverse);

    press(Qt::Key_Space);
    EXPECT_EQ(doc().imaging.display.holdDisplay, 0);
    const auto played = doc().playback.recordsPlayed;
    EXPECT_TRUE(waitFor([&] { return doc().playback.recordsPlayed > played + 3; }, 10000));
}

TEST_F(PlaybackKeysApp, EditBoxesKeepTheirKeys) {
    const std::uint32_t ping = shownPing();
    // An edit box in a dialog over the frame...
    QDialog dialog(&app->frame());
    auto* edit = new QLineEdit(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(edit);
    dialog.show();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("N P R+-"));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("N P R+-"));
    EXPECT_EQ(edit->cursorPosition(), 2);
    EXPECT_EQ(edit->selectedText(), QStringLiteral(" "));
    dialog.hide();

    // ...and one inside the frame's own window.
    auto* inFrame = new QLineEdit(&app->frame());
    inFrame->show();
    inFrame->setFocus();
    QTest::keyClicks(inFrame, QStringLiteral("n p"));
    QTest::keyClick(inFrame, Qt::Key_Left);
    QTest::keyClick(inFrame, Qt::Key_Space);
    EXPECT_EQ(inFrame->text(), QStringLiteral("n  p"));
    delete inFrame;

    EXPECT_EQ(shownPing(), ping);
    EXPECT_EQ(doc().imaging.display.holdDisplay, 1);
    EXPECT_FALSE(doc().playback.reverse);
}

TEST(HotKeysWindow, ListsThePlaybackKeys) {
    CHelpListDlg dialog;
    QStringList keys;
    for (int r = 0; r < dialog.table()->rowCount(); ++r) keys << dialog.table()->item(r, 1)->text();
    for (const char* k : {"H", "Space", "Left / Right", "Shift + Left / Right", "Home / End", "+ / -", "R", "N", "P"})
        EXPECT_TRUE(keys.contains(QString::fromLatin1(k))) << k;
    // The original rows stay first, in their order.
    EXPECT_EQ(dialog.table()->item(0, 1)->text(), QStringLiteral("Ctrl + N"));
    EXPECT_EQ(dialog.table()->item(3, 0)->text(), QStringLiteral("Clear"));
}

// In real time (on the loopback simulator) the keys keep their old
// meanings: "-" zooms the track plot out, nothing plays.
TEST(PlaybackKeysRealTime, KeysKeepTheirRealTimeMeanings) {
    QTemporaryDir config;
    SkerryApp app(apptest::simulatedAppOptions(config, {}, {}, 60));
    ASSERT_TRUE(app.start());
    CSkerryDoc& doc = app.doc();
    ASSERT_TRUE(waitFor([&] { return doc.cycle.goodCycleCount >= 3; }, 30000));
    app.frame().activateWindow();
    QApplication::setActiveWindow(&app.frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app.frame()));
    QWidget* target = app.frame().focusWidget() ? app.frame().focusWidget() : &app.frame();

    const int speed = doc.playback.playSpeed;
    const double zoom = doc.trackPlot.gpsZoomFactor;
    QTest::keyClick(target, Qt::Key_Minus);
    EXPECT_LT(doc.trackPlot.gpsZoomFactor, zoom);
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Right, Qt::Key_End, Qt::Key_R, Qt::Key_N}) QTest::keyClick(target, k);
    EXPECT_EQ(doc.playback.playSpeed, speed);
    EXPECT_EQ(doc.link.playbackMode, 0);
    EXPECT_EQ(doc.imaging.display.holdDisplay, 0);
    EXPECT_FALSE(doc.playback.reverse);
}

}  // namespace
