// The exports of the running program, offscreen: a recording written by the
// recorder's writer played back and exported from the File menu (XTF of the
// pings from the one shown to one typed in, the track and the events), the
// same bytes as the command-line export of that range, the commands' enable
// rules, the range dialog's checks, an unwritable place; and in real time
// the recording being made, on the head simulator.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <deque>
#include <fstream>

#include "app/CommandRouter.h"
#include "app/ExportTools.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "fakes/FakeNotifier.h"
#include "record/EventFile.h"
#include "session/PlaybackTestRig.h"
#include "tests/app/AppTestSupport.h"

using namespace hx;
using hx::apptest::waitFor;

namespace {

constexpr int kRecords = 40;

// A GGA fix a little further north at every ping.
std::string ggaFor(std::uint32_t ping) {
    char body[96];
    std::snprintf(body, sizeof body, "GPGGA,1235%02u.00,4807.%03u,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", ping % 60, ping);
    unsigned sum = 0;
    for (const char* c = body; *c; ++c) sum ^= static_cast<unsigned char>(*c);
    char sentence[128];
    std::snprintf(sentence, sizeof sentence, "$%s*%02X", body, sum);
    return sentence;
}

// Answers the save dialog from a list; remembers what it was asked.
class ScriptedDialogs final : public IFileDialogPort {
public:
    std::optional<std::string> openFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const std::string&, const std::string& filter, const std::string&) override {
        filters.push_back(filter);
        if (answers.empty()) return std::nullopt;
        auto next = answers.front();
        answers.pop_front();
        return next;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> filters;
};

std::string textOf(const std::string& path) {
    const auto bytes = pbtest::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

struct PlayingApp {
    QTemporaryDir dir;
    std::string recording = dir.filePath(QStringLiteral("survey.642")).toStdString();
    std::unique_ptr<SkerryApp> app;
    ExportTools* tools = nullptr;
    ScriptedDialogs dialogs;
    test::FakeNotifier notifier;
    int finishedCount = 0;

    PlayingApp() {
        pbtest::FileRecipe recipe;
        recipe.records = kRecords;
        recipe.perPing = [](rectest::SampleDocument& d, DataFileState&, std::uint32_t ping) {
            d.sentences = {};
            d.sentences[0] = ggaFor(ping);
        };
        pbtest::writeDataFile(recording, recipe);
        EventList events;
        events.count = 1;
        events.entries[0] = {1, 12, 0.5, "57.38.1120 N\n", "011.39.2000 E\n", "07-DEC-2026\n", "14:00:12\n",
                             "wreck, \"bow\" up\n"};
        std::ofstream(eventFilePathFor(recording)) << formatEventFile(events);

        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        AppOptions options;
        options.unattended = true;
        options.settingsPath = dir.filePath(QStringLiteral("HX642.ini"));
        options.playbackFile = QString::fromStdString(recording);
        app = std::make_unique<SkerryApp>(options);
        EXPECT_TRUE(app->start());
        tools = app->frame().findChild<ExportTools*>(QLatin1String(kExportToolsName));
        tools->setFileDialogs(dialogs);
        tools->setNotifier(notifier);
        QObject::connect(tools, &ExportTools::exportFinished, [this](bool) { ++finishedCount; });
    }
    bool enabled(CommandId id) {
        app->frame().router().updateAll();
        return app->frame().router().action(id)->isEnabled();
    }
    // Runs the command and waits for its pass to end.
    bool exportWith(CommandId id, const std::string& output) {
        dialogs.answers.push_back(output);
        const int before = finishedCount;
        app->frame().router().action(id)->trigger();
        return waitFor([&] { return finishedCount > before; }, 30000);
    }
    std::string file(const char* name) const { return dir.filePath(QLatin1String(name)).toStdString(); }
};

}  // namespace

TEST(ExportApp, XtfFromTheShownPingIsTheCommandLineExportOfThatRange) {
    PlayingApp p;
    CSkerryDoc& doc = p.app->doc();
    ASSERT_TRUE(waitFor([&] { return doc.playback.recordsPlayed >= 5; }, 20000));
    EXPECT_TRUE(p.enabled(CommandId::ExportXtf));
    EXPECT_TRUE(p.enabled(CommandId::ExportTrack));
    EXPECT_TRUE(p.enabled(CommandId::ExportEvents));

    XtfRangeLimits seen;
    PingSpan span;
    p.tools->setRangeChooser([&](const XtfRangeLimits& limits) {
        seen = limits;
        span = std::get<PingSpan>(pingSpanFor(limits, QStringLiteral("30")));
        return std::optional<XtfRangeChoice>(XtfRangeChoice{span});
    });
    const std::string xtf = p.file("part.xtf");
    p.dialogs.answers.push_back(xtf);
    p.app->frame().router().action(CommandId::ExportXtf)->trigger();
    // While the pass runs no second export can start.
    EXPECT_FALSE(p.enabled(CommandId::ExportXtf));
    EXPECT_FALSE(p.enabled(CommandId::ExportTrack));
    ASSERT_TRUE(waitFor([&] { return p.finishedCount == 1; }, 30000));
    EXPECT_TRUE(p.enabled(CommandId::ExportXtf));

    EXPECT_EQ(seen.firstPing, 1u);
    EXPECT_EQ(seen.lastPing, std::optional<std::uint32_t>(kRecords));
    ASSERT_GE(seen.shownPing, 1u);
    EXPECT_EQ(span.first, seen.shownPing);
    ASSERT_TRUE(p.tools->lastReport().ok) << p.tools->lastReport().error;
    ASSERT_EQ(p.notifier.messages.size(), 1u);
    const std::string said = "Exported " + std::to_string(span.last - span.first + 1) + " pings";
    EXPECT_NE(p.notifier.messages[0].text.find(said), std::string::npos) << p.notifier.messages[0].text;

    // The command-line export of that range (and no other) gives the same bytes.
    ExportRequest request;
    request.recordingPath = p.recording;
    request.xtfPath = p.file("cli.xtf");
    request.firstPing = span.first;
    request.lastPing = span.last;
    request.programVersion = QCoreApplication::applicationVersion().toStdString();
    StdFileSystem fs;
    test::FakeNotifier quiet;
    ASSERT_TRUE(ExportRecording(request, fs, quiet).ok);
    EXPECT_EQ(pbtest::readBytes(xtf), pbtest::readBytes(*request.xtfPath));

    // Cancelled (the progress dialog's Cancel): nothing is written.
    int asked = 0;
    request.xtfPath = p.file("cancelled.xtf");
    request.cancelRequested = [&asked] { return ++asked > 10; };
    const ExportReport cancelled = ExportRecording(request, fs, quiet);
    EXPECT_TRUE(cancelled.cancelled && !cancelled.ok);
    EXPECT_EQ(QDir(p.dir.path()).entryList(QStringList{QStringLiteral("cancelled*")}, QDir::Files).size(), 0);
}

TEST(ExportApp, TrackAndEventsByTheirEndingAndAnUnwritablePlaceLeavesNothing) {
    PlayingApp p;
    ASSERT_TRUE(waitFor([&] { return p.app->doc().playback.recordsPlayed >= 2; }, 20000));

    ASSERT_TRUE(p.exportWith(CommandId::ExportTrack, p.file("track.csv")));
    EXPECT_EQ(p.dialogs.filters.back(), kTrackFilter);
    EXPECT_EQ(p.tools->lastReport().trackPoints, static_cast<std::uint64_t>(kRecords));
    EXPECT_NE(textOf(p.file("track.csv")).find("48.1173"), std::string::npos) << "ping 40's latitude";

    // No ending typed: the filter's (GPX, the first) is added.
    ASSERT_TRUE(p.exportWith(CommandId::ExportTrack, p.file("track")));
    EXPECT_NE(textOf(p.file("track.gpx")).find("<trkpt"), std::string::npos);

    ASSERT_TRUE(p.exportWith(CommandId::ExportEvents, p.file("events.kml")));
    EXPECT_EQ(p.tools->lastReport().events, 1u);
    EXPECT_NE(textOf(p.file("events.kml")).find("wreck"), std::string::npos);

    // A folder that is a file: a clear message, and nothing written there or beside.
    pbtest::writeBytes(p.file("notafolder"), {1});
    const std::size_t before = p.notifier.messages.size();
    ASSERT_TRUE(p.exportWith(CommandId::ExportEvents, p.file("notafolder/events.csv")));
    ASSERT_EQ(p.notifier.messages.size(), before + 1);
    EXPECT_EQ(p.notifier.messages.back().icon, MessageIcon::Error);
    EXPECT_NE(p.notifier.messages.back().text.find("events.csv"), std::string::npos) << p.notifier.messages.back().text;
    EXPECT_EQ(QDir(p.dir.path()).entryList(QStringList{QStringLiteral("*.part*")}, QDir::Files).size(), 0);

    // The recording's own name chosen: the ending keeps the export beside it.
    const auto recordingBytes = pbtest::readBytes(p.recording);
    ASSERT_TRUE(p.exportWith(CommandId::ExportTrack, p.recording));
    EXPECT_EQ(pbtest::readBytes(p.recording), recordingBytes);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(p.recording + ".gpx")));
}

TEST(ExportApp, TheRangeDialogTakesOnlyAPingOfTheFile) {
    const XtfRangeLimits limits{10, 1, 30};  // ping 10 shown, pings 1 to 30
    struct Case {
        const char* typed;
        std::uint32_t first, last;  // 0, 0: refused
    };
    for (const Case& c : {Case{"25", 10, 25}, Case{"3", 3, 10}, Case{"30", 10, 30}, Case{"31", 0, 0},
                          Case{"0", 0, 0}, Case{"ten", 0, 0}, Case{"99999999999", 0, 0}}) {
        const auto span = pingSpanFor(limits, QString::fromLatin1(c.typed));
        const auto* s = std::get_if<PingSpan>(&span);
        EXPECT_EQ(s ? s->first : 0, c.first) << c.typed;
        EXPECT_EQ(s ? s->last : 0, c.last) << c.typed;
    }
    XtfRangeDialog dialog(limits, nullptr);
    dialog.fromShownButton()->setChecked(true);
    dialog.endPingEdit()->setText(QStringLiteral("31"));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.hintLabel()->text().contains(QStringLiteral("1 to 30")));
    dialog.wholeFileButton()->setChecked(true);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.choice().span.has_value());
    // Nothing shown yet: only the whole file.
    EXPECT_FALSE(XtfRangeDialog(XtfRangeLimits{0, 1, 30}, nullptr).fromShownButton()->isEnabled());
}

TEST(ExportApp, InRealTimeTheRecordingBeingMadeGivesItsEventsAndTrack) {
    QTemporaryDir config;
    AppOptions options = apptest::simulatedAppOptions(config, {}, {}, 60);
    options.recordPath = config.filePath(QStringLiteral("live.642"));
    SkerryApp app(options);
    ASSERT_TRUE(app.start());
    auto* tools = app.frame().findChild<ExportTools*>(QLatin1String(kExportToolsName));
    ScriptedDialogs dialogs;
    test::FakeNotifier notifier;
    tools->setFileDialogs(dialogs);
    tools->setNotifier(notifier);
    bool done = false;
    QObject::connect(tools, &ExportTools::exportFinished, [&](bool) { done = true; });
    CommandRouter& r = app.frame().router();
    CSkerryDoc& doc = app.doc();

    ASSERT_TRUE(waitFor([&] { return doc.recorder.recording && doc.dataFile.pingNumber >= 10; }, 30000));
    r.updateAll();
    EXPECT_FALSE(r.action(CommandId::ExportXtf)->isEnabled()) << "XTF is for played files";
    EXPECT_TRUE(r.action(CommandId::ExportTrack)->isEnabled());
    EXPECT_TRUE(r.action(CommandId::ExportEvents)->isEnabled());

    const std::string events = config.filePath(QStringLiteral("live-events.csv")).toStdString();
    dialogs.answers.push_back(events);
    r.action(CommandId::ExportEvents)->trigger();
    ASSERT_TRUE(waitFor([&] { return done; }, 30000));
    ASSERT_TRUE(tools->lastReport().ok) << tools->lastReport().error;
    EXPECT_GE(tools->lastReport().records, 5u);
    ASSERT_FALSE(notifier.messages.empty());
    EXPECT_NE(notifier.messages.back().text.find("as written so far"), std::string::npos);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(events)));

    // Recording stopped: nothing left to export in real time.
    r.action(CommandId::StopRecording)->trigger();
    r.updateAll();
    EXPECT_FALSE(r.action(CommandId::ExportTrack)->isEnabled());
}
