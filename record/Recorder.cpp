#include "record/Recorder.h"

#include <algorithm>

#include "record/EventFile.h"
#include "record/RecorderTexts.h"

namespace hx {

namespace {
constexpr std::uint64_t kDiskFullBytes = 1000;
const char* const kDiskFullText = "WARNING! The disk is full!!\nSaving process will stop!";
const char* const kWriteFailedText = "Error Writing File!\nSaving process will stop!";

std::uint32_t nextRecordLength(const RecordSources& src) {
    int heads = 0;
    for (int h = 0; h < kHeadCount; ++h) heads += src.heads.headAvailable[h] != 0 ? 1 : 0;
    return recordLengthFor(heads, src.link.sysInfoReceived != 0);
}
}  // namespace

CRecorder::CRecorder(RecorderState& state, DataFileState& file, EventListState& events, CReadWriteFiles& files,
                     RecorderPorts ports)
    : state_(state), file_(file), events_(events), files_(files), ports_(ports) {}

CRecorder::~CRecorder() {
    // An owner that forgets to stop must not cost the operator the events.
    if (eventFile_) writeEventFile(*eventFile_, state_.copying ? events_.copyEvents : events_.events);
}

void CRecorder::recordStart(const PlaybackContext& playback) {
    if (state_.recording) {
        ports_.notifier.message("Data is already being saved to file.", MessageIcon::Information);
        return;
    }
    const std::string suggested = defaultDataFileName(state_.recordDirectory, ports_.clock.localTime());
    const auto chosen = ports_.dialogs.saveFileFrom("Save data File:", "Sonar Data File: (*.642)", suggested,
                                                    FileDialogStart{state_.recordDirectory, state_.writeFilterIndex});
    if (!chosen || chosen->path.empty()) return;
    // The dialog's filter is kept for the next time ("Write Filter Index").
    state_.writeFilterIndex = chosen->filterIndex;
    startRecordingTo(chosen->path, playback);
}

bool CRecorder::startRecordingTo(const std::string& chosenPath, const PlaybackContext& playback) {
    const std::string path = withDataFileExtension(chosenPath);
    if (state_.recording) {
        ports_.notifier.message("Data is already being saved to file.", MessageIcon::Information);
        return false;
    }
    if (!playback.playedPath.empty() && ports_.fs.samePath(path, playback.playedPath)) {
        ports_.notifier.message("Can't write in this file ...\nThis file is used as playback.", MessageIcon::Error);
        return false;
    }
    if (!files_.createOutput(path)) {
        // Nothing could be recorded: do not claim a recording in the caption.
        ports_.notifier.message("Failed to open document.", MessageIcon::Error);
        ports_.notifier.message("Error Opening File!", MessageIcon::Error);
        return false;
    }

    state_.recording = true;
    state_.outputPath = path;
    if (playback.playback) {
        state_.copying = true;
        events_.enableEventInput = false;
        state_.caption = copyCaption(playback.playedPath, path);
    } else {
        state_.copying = false;
        emptyEventList(events_.events);
        state_.caption = recordingCaption(path);
    }
    ports_.window.setCaption(state_.caption);
    if (std::string dir = directoryOf(path); !dir.empty()) state_.recordDirectory = dir;
    state_.firstOutputPath = path;
    state_.fileCounter = 1;
    state_.bytesInEarlierFiles = 0;
    state_.rate.reset();
    state_.fileStartTickMs = ports_.clock.tickMs();
    openEventFileFor(path);

    file_.pendingEventFlag = false;
    file_.pendingEventNumber = 0;
    emptyEventList(events_.copyEvents);
    if (!playback.playback) {
        file_.pingNumber = 1;
        file_.firstPingNumber = 1;
        file_.eventMarkFlag = false;
        file_.eventMarkNumber = 0;
        emptyEventList(events_.events);
    }
    ports_.window.addRecentFile(path);
    return true;
}

bool CRecorder::openEventFileFor(const std::string& dataPath) {
    const std::string eventPath = eventFilePathFor(dataPath);
    eventFile_ = ports_.fs.open(eventPath, OpenMode::CreateReadWrite);
    if (eventFile_) {
        state_.eventFilePath = eventPath;
        return true;
    }
    state_.eventFilePath.clear();
    ports_.notifier.message("Failed to open document.", MessageIcon::Error);
    ports_.notifier.message("Error Creating Annotation File!", MessageIcon::Error);
    return false;
}

bool CRecorder::writeAndCloseEventFile() {
    if (!eventFile_) return true;
    // A copy's event file gets the events passed while copying, and only
    // those: the played file's events belong to the played file.
    const EventList& list = state_.copying ? events_.copyEvents : events_.events;
    const bool written = writeEventFile(*eventFile_, list);
    eventFile_.reset();
    if (!written) ports_.notifier.message("Error Writing Annotation File!", MessageIcon::Error);
    return written;
}

void CRecorder::recordStop(const PlaybackContext& playback) {
    if (!state_.recording) return;
    state_.recording = false;
    files_.closeOutput();
    writeAndCloseEventFile();

    state_.caption = playback.playback ? playbackCaption(playback.playedPath) : realTimeCaption();
    ports_.window.setCaption(state_.caption);
    state_.copying = false;
}

void CRecorder::stopWithMessage(const std::string& text, MessageIcon icon, const PlaybackContext& playback) {
    // Stopped first: whatever the message does, no further step writes or
    // reports again.
    recordStop(playback);
    ports_.notifier.message(text, icon);
}

void CRecorder::stopForChangedFile(const PlaybackContext& playback) {
    const std::string path = state_.outputPath;
    if (!files_.outputRemoved()) {
        stopWithMessage(path + " was cut short by another program!\nSaving process will stop!", MessageIcon::Error,
                        playback);
        return;
    }
    // The open file still holds everything recorded: it is written out
    // again under a new name before the file closes and is gone for good.
    const std::string recovered = recoveredFileName(path);
    const bool saved = files_.copyOutputTo(recovered);
    stopWithMessage(saved ? path + " was removed by another program!\nWhat was recorded is saved in " + recovered +
                                ".\nSaving process will stop!"
                          : path + " was removed by another program and what was recorded could not be saved "
                                   "again!\nSaving process will stop!",
                    MessageIcon::Error, playback);
}

bool CRecorder::continueInNextFile(const PlaybackContext& playback) {
    const std::string next = splitFileName(state_.firstOutputPath, state_.fileCounter + 1);
    state_.bytesInEarlierFiles += files_.outputSize();
    files_.closeOutput();
    writeAndCloseEventFile();
    // Each file's event file holds the events of that file's pings.
    emptyEventList(events_.events);
    if (!files_.createOutput(next)) {
        stopWithMessage("Error Opening File!\n" + next + "\nSaving process will stop!", MessageIcon::Error, playback);
        return false;
    }
    ++state_.fileCounter;
    state_.outputPath = next;
    state_.fileStartTickMs = ports_.clock.tickMs();
    state_.caption = recordingCaption(next);
    ports_.window.setCaption(state_.caption);
    openEventFileFor(next);
    ports_.window.addRecentFile(next);
    return true;
}

void CRecorder::recordStep(const RecordSources& src, bool linkStale, const PlaybackContext& playback) {
    if (!state_.recording || !files_.hasOutput()) return;

    // Stop while a whole record still fits, on the output file's own disk.
    const std::uint64_t needed = std::max<std::uint64_t>(kDiskFullBytes, nextRecordLength(src));
    if (const auto freeBytes = ports_.fs.freeSpaceBytes(state_.outputPath); freeBytes && *freeBytes < needed) {
        stopWithMessage(kDiskFullText, MessageIcon::Warning, playback);
        return;
    }

    if (!linkStale && !state_.copying &&
        splitDue(state_.split, files_.outputSize(), nextRecordLength(src),
                 ports_.clock.tickMs() - state_.fileStartTickMs) &&
        !continueInNextFile(playback))
        return;

    if (!linkStale) {
        const WriteStatus written = files_.writeRecord(src);
        if (written == WriteStatus::FileChanged) {
            stopForChangedFile(playback);
            return;
        }
        if (written == WriteStatus::Failed || written == WriteStatus::FailedPartial) {
            const auto freeBytes = ports_.fs.freeSpaceBytes(state_.outputPath);
            const bool full = freeBytes && *freeBytes < needed;
            stopWithMessage(full ? kDiskFullText : kWriteFailedText, full ? MessageIcon::Warning : MessageIcon::Error,
                            playback);
            return;
        }
    }

    ports_.window.setCaption(savedCaption(state_.caption, files_.outputSize()));
    state_.rate.note(ports_.clock.tickMs(), state_.bytesInEarlierFiles + files_.outputSize());
    if (!playback.playback) ++file_.pingNumber;
}

}  // namespace hx
