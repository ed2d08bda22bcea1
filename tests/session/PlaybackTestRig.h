// A whole playback set-up for the playback tests: real data files written
// with CReadWriteFiles into a temporary folder, the document parts the
// engine works on, the recorder, and fakes for the timers, messages, file
// dialogs and the program around the engine.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "record/RecordSamples.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeNotifier.h"
#include "fakes/FakeTimerPort.h"
#include "imaging/ColourTables.h"
#include "link/DisplayPair.h"
#include "record/StdFileSystem.h"
#include "session/PingPipeline.h"
#include "session/PlaybackEngine.h"

namespace hx::pbtest {

// A folder of its own under the system's temporary folder, removed again.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "hx642-playback-";
        if (info) name += std::string(info->test_suite_name()) + "-" + info->name() + "-";
        name += std::to_string(counter++);
        path_ = base / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// How a test file is made. perPing may change the document (and the data
// file state, for event marks) before each record is written.
struct FileRecipe {
    int records = 12;
    std::uint32_t firstPing = 1;
    std::array<bool, kHeadCount> heads{true, true, true, true};
    bool systemInfo = false;
    std::function<void(rectest::SampleDocument&, DataFileState&, std::uint32_t ping)> perPing = nullptr;
};

struct WrittenFile {
    std::string path;
    std::vector<std::uint64_t> offsets;  // of each record
    std::uint64_t size = 0;
    std::uint32_t recordLength = 0;      // of the first record
};

// Writes the file with the recorder's writer. Every head's status byte is
// clear so that each record passes the status check.
inline WrittenFile writeDataFile(const std::string& path, const FileRecipe& recipe) {
    StdFileSystem fs;
    test::FakeNotifier notifier;
    DataFileState state;
    CReadWriteFiles writer(state, fs, notifier);
    EXPECT_TRUE(writer.createOutput(path));
    rectest::SampleDocument doc;
    doc.setHeads(recipe.heads);
    doc.setSystemInfo(recipe.systemInfo);
    WrittenFile out;
    out.path = path;
    for (int i = 0; i < recipe.records; ++i) {
        const std::uint32_t ping = recipe.firstPing + static_cast<std::uint32_t>(i);
        doc.fillForPing(ping);
        for (auto& header : doc.heads.headReplyHeader) header[3] = 0;
        if (recipe.perPing) recipe.perPing(doc, state, ping);
        state.pingNumber = ping;
        out.offsets.push_back(writer.outputSize());
        EXPECT_EQ(writer.writeRecord(doc.sources()), WriteStatus::Written);
        if (i == 0) out.recordLength = state.outputRecordLength;
    }
    out.size = writer.outputSize();
    writer.closeOutput();
    return out;
}

// Remembers what the engine asked of the program around it.
class ShellSpy final : public IPlaybackShell {
public:
    void saveSettings() override { log("saveSettings"); }
    void loadSettings() override { log("loadSettings"); }
    void closeRealTimeLink() override { log("closeRealTimeLink"); }
    void restartGpsPolling() override { log("restartGpsPolling"); }
    void enterRealTimeLink() override { log("enterRealTimeLink"); }
    void setCaption(const std::string& c) override { captions.push_back(c); }
    void setRecordMenuTexts(bool copy) override { copyMenuTexts = copy; }
    void addRecentFile(const std::string& p) override { recent.push_back(p); }
    void showPlaybackBar(bool shown) override { barShown = shown; }
    void setPlaybackSlider(int p) override { sliderPositions.push_back(p); }
    void setPlaySpeed(int s) override { speedShown = s; }
    void hideEventDialog() override { log("hideEventDialog"); }
    void focusMainWindow() override { log("focusMainWindow"); }
    void rebuildForHeadSet() override { log("rebuildForHeadSet"); }
    void redrawViews() override { ++redraws; }
    void directionChanged() override { log("directionChanged"); }
    void gpsReplayed() override { ++gpsReplays; }
    void pingPlayed(const StoredPing& s) override {
        ++pingsPlayed;
        if (s.drawn) ++pingsDrawn;
    }
    void cycleRejected() override { ++rejected; }
    void playAlarmSound() override { ++alarms; }

    bool called(const std::string& what) const { return std::find(calls.begin(), calls.end(), what) != calls.end(); }
    std::size_t indexOf(const std::string& what) const {
        return static_cast<std::size_t>(std::find(calls.begin(), calls.end(), what) - calls.begin());
    }

    std::vector<std::string> calls;
    std::vector<std::string> captions;
    std::vector<std::string> recent;
    std::vector<int> sliderPositions;
    bool copyMenuTexts = false;
    bool barShown = false;
    int speedShown = -1;
    int redraws = 0, gpsReplays = 0, pingsPlayed = 0, pingsDrawn = 0, rejected = 0, alarms = 0;

private:
    void log(const std::string& what) { calls.push_back(what); }
};

// Real files; everything under readOnlyFolder behaves as on read-only
// media (opened for reading only, nothing created).
class TestFileSystem final : public IFileSystem {
public:
    std::unique_ptr<IRandomAccessFile> open(const std::string& path, OpenMode mode) override {
        if (mode != OpenMode::Read && onReadOnlyMedia(path)) return nullptr;
        return real.open(path, mode);
    }
    bool exists(const std::string& path) override { return real.exists(path); }
    std::optional<std::uint64_t> freeSpaceBytes(const std::string& path) override {
        if (freeBytes) return freeBytes;
        return real.freeSpaceBytes(path);
    }
    bool samePath(const std::string& a, const std::string& b) override { return real.samePath(a, b); }

    bool onReadOnlyMedia(const std::string& path) const {
        return !readOnlyFolder.empty() && path.rfind(readOnlyFolder, 0) == 0;
    }
    StdFileSystem real;
    std::string readOnlyFolder;
    std::optional<std::uint64_t> freeBytes;
};

class Dialogs final : public IFileDialogPort {
public:
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override {
        ++opens;
        openTitle = title;
        openFilter = filter;
        return openAnswer;
    }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&) override {
        return saveAnswer;
    }
    std::optional<FileDialogChoice> openFileFrom(const std::string& title, const std::string& filter,
                                                 const FileDialogStart& start) override {
        openStart = start;
        const auto path = openFile(title, filter);
        if (!path) return std::nullopt;
        return FileDialogChoice{*path, chosenFilterIndex};
    }
    std::optional<std::string> openAnswer, saveAnswer;
    std::string openTitle, openFilter;
    FileDialogStart openStart;
    int chosenFilterIndex = 1;
    int opens = 0;
};

class Window final : public IRecorderWindow {
public:
    void setCaption(const std::string& c) override { captions.push_back(c); }
    void addRecentFile(const std::string& p) override { recent.push_back(p); }
    std::vector<std::string> captions, recent;
};

// The document parts, the ports and the engine, wired as the program does.
struct PlaybackRig {
    PlaybackRig() {
        files.setDisplayPairHook([](const HeadTable& h, LinkFields& l) { applyDisplayPair(h.headAvailable, l); });
        AllocateImages(imaging.store, palette, true, kHeadL, kHeadH, 120, 120);
        imaging.store.imagesReady = 1;
    }

    bool fire(TimerId id) {
        return timers.fire(id, [this](TimerId t) { engine.onTimer(t); });
    }
    // Opens the file and lets the start timer run out.
    void openAndStart(const std::string& path) {
        ASSERT_TRUE(engine.openPath(path));
        ASSERT_TRUE(fire(TimerId::PlaybackStart));
    }
    // Takes n steps through the step timer; the ping of each record read
    // (0 where a step read none).
    std::vector<std::uint32_t> play(int n) {
        std::vector<std::uint32_t> pings;
        for (int i = 0; i < n; ++i) {
            const std::uint64_t before = state.recordsPlayed;
            fire(TimerId::PlaybackStep);
            pings.push_back(state.recordsPlayed > before ? dataFile.pingNumber : 0);
        }
        return pings;
    }
    bool rowAllOverlay(int head, int row) const {
        const auto r = HeadImageRow(imaging.store, head, row);
        return !r.empty() && std::all_of(r.begin(), r.end(), [](std::uint8_t p) { return p == 255; });
    }
    bool anyOverlayRow(int head, int rows) const {
        for (int r = 0; r < rows; ++r)
            if (rowAllOverlay(head, r)) return true;
        return false;
    }

    // Document.
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    ImagingState imaging;
    PaletteState palette;
    SpeedSource speed;
    DataFileState dataFile;
    RecorderState recorderState;
    EventListState events;
    GpsSnapshot gps;
    int gpsType = 0;
    int alarm = 0;
    TrackState track;
    PlaybackState state;

    // Ports.
    TestFileSystem fs;
    test::FakeNotifier notifier;
    test::FakeTimerPort timers;
    test::FakeClock clock;
    Dialogs dialogs;
    ShellSpy shell;
    Window window;

    CReadWriteFiles files{dataFile, fs, notifier};
    CRecorder recorder{recorderState, dataFile, events, files, RecorderPorts{fs, notifier, clock, dialogs, window}};
    PingPipeline pipeline{PipelineDocument{heads, link, cycle, orientation, gps, gpsType, dataFile, &imaging, &speed,
                                           &track, &events, &state},
                          PipelineStages{&recorder}};
    PlaybackEngine engine{state,
                          PlaybackDocument{heads, link, cycle, orientation, imaging, speed, dataFile, recorderState,
                                           events, gps, gpsType, alarm, track},
                          files, recorder, pipeline, PlaybackPorts{timers, notifier, dialogs, clock, fs, shell}};
};

}  // namespace hx::pbtest
