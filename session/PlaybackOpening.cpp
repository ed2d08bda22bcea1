// Entering and leaving playback: the file from the dialog, a recent file or
// a given path, the check that it holds records, the change of mode, and
// the way back to real time.
#include "session/PlaybackEngine.h"

#include "imaging/BitmapPage.h"
#include "record/RecordSearch.h"
#include "record/RecorderTexts.h"
#include "session/PlaybackProgress.h"

namespace hx {

namespace {

constexpr std::uint64_t kMinimumDataFileBytes = 1000;

std::string playbackOpenCaption(const std::string& path) { return "HX642 -- Playback (" + path + ")"; }

}  // namespace

bool PlaybackEngine::openWithDialog() { return openPath(std::string()); }

bool PlaybackEngine::openPath(const std::string& path) { return open(path, false); }

bool PlaybackEngine::openRecentFile(const std::string& path) { return open(path, !path.empty()); }

bool PlaybackEngine::open(const std::string& givenPath, bool fromRecentList) {
    // The settings of the moment go to the file first, so that returning to
    // real time finds them again.
    ports_.shell.saveSettings();

    std::string path = givenPath;
    if (path.empty()) {
        // The dialog opens where the last file came from, with the filter
        // last used; both are kept for the next time.
        const auto chosen = ports_.dialogs.openFileFrom(kOpenDataFileTitle, kDataFileFilter,
                                                        FileDialogStart{state_.readDirectory, state_.readFilterIndex});
        if (!chosen || chosen->path.empty()) return false;
        path = chosen->path;
        state_.readFilterIndex = chosen->filterIndex;
    }
    if (!CReadWriteFiles::hasDataFileName(path)) {
        ports_.notifier.message("ERROR: Application can not recognize this file type!", MessageIcon::Error);
        return false;
    }
    // A file that cannot be played must not end what runs now (a recording,
    // or the file being played): it is checked before anything is closed.
    if (!checkPlayable(path)) {
        if (!inPlayback()) ports_.shell.restartGpsPolling();
        return false;
    }

    ports_.timers.stop(TimerId::PlaybackStart);
    ports_.timers.stop(TimerId::PlaybackStep);
    const bool wasPlaying = inPlayback();
    closeFiles();
    if (files_.openPlayback(path) != OpenStatus::Opened) {
        // Checked a moment ago; the file changed in between. Its message has
        // been shown.
        if (wasPlaying) {
            returnToRealTime();
        } else {
            doc_.link.playbackMode = 0;
            ports_.shell.restartGpsPolling();
        }
        return false;
    }
    enterPlayback(path, fromRecentList);
    return true;
}

bool PlaybackEngine::checkPlayable(const std::string& path) {
    auto file = ports_.fs.open(path, OpenMode::Read);
    if (!file) {
        ports_.notifier.message("Failed to open document.", MessageIcon::Error);
        return false;
    }
    const auto size = file->size();
    const bool hasRecord =
        size && *size >= kMinimumDataFileBytes && (recordAt(*file, 0, *size) || findNextRecord(*file, 1, *size));
    if (!hasRecord) {
        ports_.notifier.message("File has no data!", MessageIcon::Error);
        return false;
    }
    return true;
}

void PlaybackEngine::enterPlayback(const std::string& path, bool fromRecentList) {
    DataFileState& f = doc_.dataFile;
    ImagingState& imaging = doc_.imaging;

    doc_.link.playbackMode = 1;
    ClearHistory(imaging.history);
    ClearScreen(imaging.store, imaging.lines);
    ClearWindowImages(imaging.windows);
    doc_.track.trackPath.clear();
    RestartTrack(doc_.track);
    ports_.shell.clearAuxiliaryViews();
    ports_.timers.stop(TimerId::LinkWatchdog);
    ports_.timers.stop(TimerId::GpsRead);
    ports_.shell.closeRealTimeLink();

    state_.bytesPerSliderStep = BytesPerSliderStep(f.usableLength);
    state_.lastSliderPosition = 0;
    state_.playSpeed = ClampPlaySpeed(state_.playSpeed);
    ports_.shell.setPlaySpeed(state_.playSpeed);
    ports_.shell.setPlaybackSlider(0);
    ports_.shell.hideGpsConfiguration();

    pipeline_.resetReplayedGps();
    consecutiveReadErrors_ = 0;
    state_.readOnlyMedia = files_.playbackReadOnly();
    state_.recordsPlayed = 0;
    state_.damagedRecordsSkipped = 0;
    state_.rejectedCycles = 0;

    state_.playedPath = path;
    if (std::string dir = directoryOf(path); !dir.empty()) state_.readDirectory = dir;

    eventFile_.open(path, state_.readOnlyMedia, ports_.fs, ports_.notifier, doc_.events.events);

    ports_.shell.setRecordMenuTexts(true);
    state_.sliderBusy = false;
    if (!fromRecentList) ports_.shell.addRecentFile(path);

    if (state_.scrolling) {
        imaging.store.waterfallEnabled = 1;
        ports_.shell.showPlaybackBar(true);
        ports_.timers.start(TimerId::PlaybackStart, kPlaybackStartDelayMs, true);
    } else {
        setUpBitmapPage();
    }
    ports_.shell.rebuildForHeadSet();
    ports_.shell.setCaption(playbackOpenCaption(path));

    // Played backwards the file starts with its first record, then goes on
    // from the last one.
    if (state_.reverse && state_.scrolling) {
        step();
        RestartTrack(doc_.track);
    }
}

void PlaybackEngine::closeFiles() {
    // The event dialog belongs to the file: it closes and gives up the hold lock.
    ports_.shell.hideEventDialog();
    if (recorder_.recording()) recorder_.recordStop(playbackContext());
    files_.closeOutput();
    files_.closePlayback();
    eventFile_.close(doc_.events.events, ports_.notifier);
}

void PlaybackEngine::returnToRealTime() {
    ports_.timers.stop(TimerId::PlaybackStart);
    ports_.timers.stop(TimerId::PlaybackStep);
    // In real time there is nothing to return from; a recording goes on.
    if (!inPlayback() && !files_.hasPlayback()) return;
    closeFiles();
    emptyEventList(doc_.events.events);
    emptyEventList(doc_.events.copyEvents);
    clearPlaybackState();
    ClearHistory(doc_.imaging.history);
    ClearScreen(doc_.imaging.store, doc_.imaging.lines);
    ClearWindowImages(doc_.imaging.windows);
    ports_.shell.setRecordMenuTexts(false);
    ports_.shell.showPlaybackBar(false);
    ports_.shell.loadSettings();
    doc_.link.playbackMode = 0;
    ports_.shell.enterRealTimeLink();
    ports_.shell.setCaption(kRealTimeCaption);
}

void PlaybackEngine::clearPlaybackState() {
    state_.reverse = false;
    state_.scrolling = true;
    state_.sliderBusy = false;
    state_.lastSliderPosition = 0;
    state_.bytesPerSliderStep = 0;
    state_.readOnlyMedia = false;
    state_.page = BitmapPage{};
    doc_.imaging.store.waterfallEnabled = 1;
    DataFileState& f = doc_.dataFile;
    f.recordPosition = 0;
    f.usableLength = 0;
    f.firstRecordOffset = 0;
    f.eventMarkFlag = false;
    f.eventMarkNumber = 0;
    pipeline_.resetReplayedGps();
    consecutiveReadErrors_ = 0;
}

}  // namespace hx
