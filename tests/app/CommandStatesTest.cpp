// Commands as the running program enables, checks and carries them out:
// recording and its stop, the file playback bar, the colour tables with a
// custom palette, the sides shown, the display switches and the editing
// keys, the about box during playback, the context menu, and the status
// bar's texts of the row under the pointer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>

#include <fstream>

#include "app/CommandTable.h"
#include "app/StatusPanes.h"
#include "app/StatusPresenter.h"
#include "imaging/PaletteFile.h"
#include "imaging/ui/SkerryView.h"
#include "platform/QtTimerPort.h"
#include "session/SkerrySession.h"
#include "tests/app/ShellTestSupport.h"

using namespace hx;
using hx::apptest::ShellApp;
using hx::apptest::waitFor;

namespace {

// Closes the next popup menu or message box once it shows; the menu's
// entries are kept.
std::shared_ptr<QStringList> closeNextPopup() {
    auto texts = std::make_shared<QStringList>();
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, texts] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) *texts << a->text();
            menu->close();
        } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->done(QMessageBox::Ok);
        } else {
            return;
        }
        poll->deleteLater();
    });
    poll->start(20);
    QTimer::singleShot(10000, poll, [poll] { poll->deleteLater(); });  // bounded
    return texts;
}

}  // namespace

TEST(RecordCommands, StartOnlyWhenNotRecordingAndStopOnlyWhileRecording) {
    ShellApp shell;
    QAction* record = shell.action(CommandId::Record);
    QAction* stop = shell.action(CommandId::StopRecording);
    shell.router().updateAll();
    EXPECT_TRUE(record->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    shell.doc().recorder.recording = true;  // as a started recording leaves it
    shell.router().updateAll();
    EXPECT_FALSE(record->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    shell.doc().recorder.recording = false;
    shell.router().updateAll();
    EXPECT_TRUE(record->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    // The toolbar's buttons are these very actions.
    EXPECT_TRUE(shell.frame().toolBar()->actions().contains(record));
    EXPECT_TRUE(shell.frame().toolBar()->actions().contains(stop));
}

TEST(FilePlaybackBar, EnabledWhilePlayingAndScrollingCheckedWhileShown) {
    ShellApp realTime;
    realTime.router().updateAll();
    EXPECT_FALSE(realTime.action(CommandId::FilePlaybackBar)->isEnabled());
    realTime.app->shutdown();

    ShellApp shell({}, 40);
    ASSERT_TRUE(shell.waitPlayed(2));
    QToolBar* bar = shell.frame().playbackBarHolder();
    shell.router().updateAll();
    EXPECT_TRUE(shell.action(CommandId::FilePlaybackBar)->isEnabled());
    EXPECT_TRUE(shell.action(CommandId::FilePlaybackBar)->isChecked());
    EXPECT_FALSE(bar->isHidden());
    shell.action(CommandId::FilePlaybackBar)->trigger();
    EXPECT_TRUE(bar->isHidden());
    shell.router().updateAll();
    EXPECT_FALSE(shell.action(CommandId::FilePlaybackBar)->isChecked());
    shell.action(CommandId::FilePlaybackBar)->trigger();
    EXPECT_FALSE(bar->isHidden());

    shell.action(CommandId::BitmapView)->trigger();  // no scrolling: no bar to show
    shell.router().updateAll();
    EXPECT_FALSE(shell.action(CommandId::FilePlaybackBar)->isEnabled());
    EXPECT_TRUE(bar->isHidden());
}

// A custom palette in use at start survives the main view's first resize;
// choosing a table meanwhile changes nothing on screen and leaves it on; at
// exit the file is named ("PaletteFileName") and saved.
TEST(CustomPalette, LoadedAtStartKeptByTablesAndSavedAtExit) {
    PaletteState custom;
    custom.colourTables = GenerateColourTables();
    custom.customPalette.fill(PaletteEntry{11, 22, 33, 0});
    custom.curvePointCount = {2, 2, 2};
    const std::vector<std::uint8_t> bytes = EncodePaletteFile(custom);
    // The palette file lies beside the settings file, written before the start.
    QTemporaryDir dir;
    const QString palettePath = dir.path() + QStringLiteral("/HX642.pal");
    {
        std::ofstream out(palettePath.toStdString(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    const QString ini = dir.path() + QStringLiteral("/HX642.ini");
    IniFile::fromText(std::string(apptest::kDeadLoopbackHeads) + "[Palette]\nUseCustomPalette=1\n[View]\nColor Table=2\n")
        .save(ini.toStdString());
    AppOptions options;
    options.unattended = true;
    options.settingsPath = ini;
    SkerryApp app(options);
    ASSERT_TRUE(app.start());
    CSkerryDoc& doc = app.doc();
    EXPECT_EQ(doc.palette.paletteFilePath, palettePath.toStdString());
    ASSERT_NE(app.mainView(), nullptr);
    EXPECT_TRUE(doc.imaging.store.imagesReady) << "the main view has been sized";
    EXPECT_EQ(BuildImagePalette(doc.palette)[100], (PaletteEntry{11, 22, 33, 0}));

    CommandRouter& r = app.frame().router();
    r.action(CommandId::ColorGrey)->trigger();
    EXPECT_EQ(doc.palette.useCustomPalette, 1);
    EXPECT_EQ(doc.palette.colourTableIndex, kGrey);
    EXPECT_EQ(BuildImagePalette(doc.palette)[100], (PaletteEntry{11, 22, 33, 0})) << "nothing changes on screen";
    r.updateAll();
    EXPECT_TRUE(r.action(CommandId::ColorGrey)->isChecked()) << "the table chosen for later";
    EXPECT_TRUE(r.action(CommandId::CustomizePalette)->isChecked());

    // A zoom change re-allocates the images: the custom palette stays.
    r.action(CommandId::Zoom100)->trigger();
    EXPECT_EQ(BuildImagePalette(doc.palette)[100], (PaletteEntry{11, 22, 33, 0}));

    std::remove(palettePath.toStdString().c_str());
    app.shutdown();
    const IniFile saved = IniFile::load(ini.toStdString());
    EXPECT_EQ(saved.readString("Palette", "UseCustomPalette", "?"), "1");
    EXPECT_EQ(saved.readString("Palette", "PaletteFileName", "?"), palettePath.toStdString());
    std::ifstream in(palettePath.toStdString(), std::ios::binary | std::ios::ate);
    EXPECT_EQ(static_cast<std::size_t>(in.tellg()), kPaletteFileBytes) << "saved again at exit";
}

// Port, starboard or both: from the next ping on; the rows drawn stay.
TEST(SideCommands, TheRowsDrawnStay) {
    ShellApp shell({}, 40);
    ASSERT_TRUE(shell.waitPlayed(12));
    shell.action(CommandId::Hold)->trigger();  // nothing new is drawn meanwhile
    const WaterfallStore& store = shell.doc().imaging.store;
    const std::int64_t rows = store.totalRows;
    ASSERT_GT(rows, 0);
    const auto composite = CompositeRow(store, 0);
    const std::vector<std::uint8_t> before(composite.begin(), composite.end());
    shell.action(CommandId::StbdOnly)->trigger();
    EXPECT_EQ(shell.doc().imaging.display.sideDisplayMode, kStarboardOnly);
    EXPECT_EQ(store.totalRows, rows) << "no rebuild";
    const auto after = CompositeRow(store, 0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin(), after.end())) << "the drawn row is untouched";
    shell.router().updateAll();
    EXPECT_TRUE(shell.action(CommandId::StbdOnly)->isChecked());

    // In "Bitmap View" the page is built again at once.
    shell.action(CommandId::Hold)->trigger();
    shell.action(CommandId::BitmapView)->trigger();
    ASSERT_FALSE(shell.doc().playback.scrolling);
    shell.doc().imaging.store.totalRows = 99;
    shell.action(CommandId::BothSides)->trigger();
    EXPECT_EQ(shell.doc().imaging.store.totalRows, 0) << "the page set-up clears the screen";
}

TEST(DisplaySwitches, StoredAndCheckedButTheImagingIsUnchanged) {
    ShellApp shell;
    CommandRouter& r = shell.router();
    const DisplaySettings& d = shell.doc().imaging.display;
    r.action(CommandId::SingleColourDisplay)->trigger();
    EXPECT_EQ(d.singleColourDisplay, 1);
    r.action(CommandId::BeamTestDisplay)->trigger();
    EXPECT_EQ(d.beamTestDisplay, 1);
    EXPECT_EQ(d.singleColourDisplay, 0) << "each clears the other";
    r.action(CommandId::SingleColourDisplay)->trigger();
    EXPECT_EQ(d.beamTestDisplay, 0);
    r.updateAll();
    EXPECT_TRUE(r.action(CommandId::SingleColourDisplay)->isChecked());
    EXPECT_FALSE(r.action(CommandId::BeamTestDisplay)->isChecked());
    // The toolbar's L/H button toggles its flag.
    ASSERT_TRUE(shell.frame().toolBar()->actions().contains(r.action(CommandId::DisplayLowHighDib)));
    EXPECT_TRUE(r.action(CommandId::DisplayLowHighDib)->isEnabled());
    r.action(CommandId::DisplayLowHighDib)->trigger();
    EXPECT_EQ(d.lowHighDib, 1);
    r.action(CommandId::DisplayLowHighDib)->trigger();
    EXPECT_EQ(d.lowHighDib, 0);
}

// Every accelerator of the table, editing and pane keys included, reaches
// its command; copy puts the sonar picture on the clipboard.
TEST(EditingKeys, AcceleratorsAndWhatTheyDo) {
    const std::pair<const char*, CommandId> keys[] = {
        {"Ctrl+C", CommandId::EditCopy},    {"Ctrl+Ins", CommandId::EditCopy}, {"Ctrl+V", CommandId::EditPaste},
        {"Shift+Ins", CommandId::EditPaste}, {"Ctrl+X", CommandId::EditCut},    {"Shift+Del", CommandId::EditCut},
        {"Alt+Backspace", CommandId::EditUndo}, {"Ctrl+P", CommandId::FilePrint}, {"F6", CommandId::NextPane},
        {"Shift+F6", CommandId::PrevPane}};
    ShellApp shell;
    for (const auto& [sequence, id] : keys) {
        SCOPED_TRACE(sequence);
        EXPECT_TRUE(shell.action(id)->shortcuts().contains(QKeySequence(QString::fromLatin1(sequence))));
        EXPECT_NE(findCommand(id), nullptr);
    }
    for (CommandId id : {CommandId::SingleColourDisplay, CommandId::BeamTestDisplay})
        EXPECT_NE(findCommand(id), nullptr);
    shell.router().updateAll();
    EXPECT_TRUE(shell.action(CommandId::EditCopy)->isEnabled());
    EXPECT_FALSE(shell.action(CommandId::EditPaste)->isEnabled());
    EXPECT_FALSE(shell.action(CommandId::FilePrint)->isEnabled()) << "no beam coverage window open";
    QApplication::clipboard()->clear();
    shell.action(CommandId::EditCopy)->trigger();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), shell.app->mainView()->size() * shell.app->mainView()->devicePixelRatio());
}

// The about box holds playback and lets it go on at its own speed.
TEST(AboutBox, PlaybackGoesOnAtItsSpeed) {
    // The base settings end in their [System] section: the speed goes into it.
    ShellApp shell(QStringLiteral("Playback Speed=7\n"), 200);
    ASSERT_TRUE(shell.waitPlayed(2));
    const QtTimerPort& timers = shell.app->timers();
    ASSERT_EQ(timers.intervalMs(TimerId::PlaybackStep), 30);
    closeNextPopup();
    shell.action(CommandId::About)->trigger();
    EXPECT_TRUE(timers.isActive(TimerId::PlaybackStep));
    EXPECT_EQ(timers.intervalMs(TimerId::PlaybackStep), 30) << "100 − 10 × 7 ms, not a fixed 50";
    const std::uint64_t played = shell.doc().playback.recordsPlayed;
    ASSERT_TRUE(shell.waitPlayed(played + 3)) << "playing again after the box closed";

    // On Hold the box does not set playback going.
    shell.action(CommandId::Hold)->trigger();
    closeNextPopup();
    shell.action(CommandId::About)->trigger();
    EXPECT_FALSE(timers.isActive(TimerId::PlaybackStep));
}

TEST(ContextMenu, ZoomFactorsAndHold) {
    ShellApp shell;
    auto* view = qobject_cast<CSkerryView*>(shell.app->mainView());
    ASSERT_NE(view, nullptr);
    emit view->contextMenuRequested(view->mapToGlobal(QPoint(20, 20)));
    QMenu* menu = nullptr;
    ASSERT_TRUE(waitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }, 5000))
        << "the menu pops up";
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text();
    menu->close();
    EXPECT_EQ(texts, (QStringList{"100 %", "125 %", "150 %", "175 %", "200 %", "300 %", "400 %", "&Hold"}));
    shell.action(CommandId::ZoomFactor150)->trigger();
    EXPECT_EQ(shell.doc().imaging.store.imageWidth, 3000);
    shell.router().updateAll();
    EXPECT_TRUE(shell.action(CommandId::ZoomFactor150)->isChecked());
    EXPECT_FALSE(shell.action(CommandId::ZoomFillScreen)->isChecked());
}

// Over the image the status bars show the row's time, date and GPS texts
// (the frozen rows on Hold); elsewhere the live fix.
TEST(StatusTexts, TheRowUnderThePointerOrTheLiveFix) {
    GpsFix live;
    live.latText = "57.38.5200 N";
    live.lonText = "011.39.1600 E";
    live.timeText = "10:00:00";
    live.speedText = "4.0 Knots";
    live.courseText = "35.0 Deg.";
    live.headingText = "36.0 Deg.";
    PointerReadout over;
    over.inView = over.inImage = true;
    over.timeText = "09:12:13";
    over.dateText = "09-DEC-2026";
    over.gpsText = {"48.07.0380 N", "011.31.0000 E", "09:12:10", "3.1 Knots", "84.4 Deg.", "n/a"};
    StatusPositionTexts t = statusPositionTexts(live, over);
    EXPECT_TRUE(t.fromRow);
    EXPECT_EQ(t.latitude, "48.07.0380 N");
    EXPECT_EQ(t.gpsTime, "09:12:10");
    EXPECT_EQ(t.course, "84.4 Deg.");
    EXPECT_EQ(t.rowTime, "09:12:13");
    EXPECT_EQ(t.rowDate, "09-DEC-2026");
    PointerReadout beside = over;
    beside.inImage = false;  // over the view, below the image
    t = statusPositionTexts(live, beside);
    EXPECT_FALSE(t.fromRow);
    EXPECT_EQ(t.latitude, live.latText);
    EXPECT_EQ(t.heading, live.headingText);
    EXPECT_TRUE(t.rowTime.empty());
    t = statusPositionTexts(live, PointerReadout{});
    EXPECT_EQ(t.speed, live.speedText);

    // In the program: on Hold, the frozen row's texts follow the pointer.
    ShellApp shell({}, 40);
    ASSERT_TRUE(shell.waitPlayed(10));
    shell.action(CommandId::Hold)->trigger();
    WaterfallStore& store = shell.doc().imaging.store;
    ASSERT_GT(store.validRows, 2);
    store.frozenRowMeta[1].gps.text[kGpsLatText] = "48.07.0380 N";
    store.frozenRowMeta[1].stamp = MakeRowStamp("09:12:13", ".500");
    QWidget* view = shell.app->mainView();
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 1), view->mapToGlobal(QPointF(30, 1)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    const StatusPanes& panes = shell.frame().statusPanes();
    EXPECT_EQ(panes.text(StatusPane::Latitude), "48.07.0380 N");
    EXPECT_EQ(panes.text(StatusPane::Text3), "09:12:13");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_EQ(panes.text(StatusPane::Latitude).toStdString(), shell.doc().gpsLatest.fix.latText);
    EXPECT_TRUE(panes.text(StatusPane::Text3).isEmpty());
}
