#include "session/PlaybackEngine.h"

#include <algorithm>

#include "imaging/BitmapPage.h"
#include "imaging/WrapMark.h"
#include "link/CycleStatus.h"
#include "record/RecorderTexts.h"
#include "session/PlaybackProgress.h"

namespace hx {

namespace {

// A read that fails this many steps in a row ends playback; one failure may
// be a passing hiccup of the medium.
constexpr int kReadErrorsBeforeStop = 3;
// Reverse playback looks this many record lengths back for the record
// before a damaged place, per step.
constexpr int kReverseSearchRecords = 8;

}  // namespace

PlaybackEngine::PlaybackEngine(PlaybackState& state, PlaybackDocument doc, CReadWriteFiles& files,
                               CRecorder& recorder, PingPipeline& pipeline, PlaybackPorts ports)
    : state_(state), doc_(doc), files_(files), recorder_(recorder), pipeline_(pipeline), ports_(ports) {}

// --------------------------------------------------------------------- time

int PlaybackEngine::intervalMs() const { return PlaybackIntervalMs(state_.playSpeed); }

void PlaybackEngine::startStepTimer() { ports_.timers.start(TimerId::PlaybackStep, intervalMs(), false); }

void PlaybackEngine::onTimer(TimerId id) {
    const bool playing = inPlayback() && files_.hasPlayback() && state_.scrolling;
    switch (id) {
        case TimerId::PlaybackStart:
            if (playing && !doc_.imaging.display.holdDisplay) startStepTimer();
            break;
        case TimerId::PlaybackStep:
            if (!playing) {
                ports_.timers.stop(TimerId::PlaybackStep);
            } else if (!doc_.imaging.display.holdDisplay) {
                step();
            }
            break;
        default:
            break;
    }
}

void PlaybackEngine::pauseStepsBriefly() {
    if (!inPlayback()) return;
    ports_.timers.stop(TimerId::PlaybackStep);
    ports_.timers.start(TimerId::PlaybackStart, kPlaybackResumeDelayMs, true);
}

void PlaybackEngine::updateSlider() {
    const int p = SliderPositionFor(doc_.dataFile.recordPosition, state_.bytesPerSliderStep);
    if (p != state_.lastSliderPosition && !state_.sliderBusy) {
        ports_.shell.setPlaybackSlider(p);
        state_.lastSliderPosition = p;
    }
}

void PlaybackEngine::wrapToStart() {
    doc_.dataFile.recordPosition = doc_.dataFile.firstRecordOffset;
    insertWrapMark();
    RestartTrack(doc_.track);
    // A copy runs forwards only: it ends where the file goes round.
    if (recorder_.recording()) recorder_.recordStop(playbackContext());
}

void PlaybackEngine::step() {
    if (!inPlayback() || !files_.hasPlayback()) return;
    DataFileState& f = doc_.dataFile;

    updateSlider();
    if (f.recordPosition >= f.usableLength) wrapToStart();

    const std::uint64_t at = f.recordPosition;
    RecordTargets targets{doc_.heads, doc_.link, doc_.cycle, doc_.gps.gpsSentences, doc_.gpsType,
                          doc_.settingsChangeAlarm};
    const ReadResult read = files_.readRecord(state_.reverse, targets);

    switch (read.status) {
        case ReadStatus::Ok:
            break;
        case ReadStatus::EndOfFile:  // no whole header fits before the end: go round
            wrapToStart();
            return;
        case ReadStatus::Truncated:  // the position is now the end: the next step goes round
            consecutiveReadErrors_ = 0;
            return;
        case ReadStatus::NoRecord:
            // Damage: forwards the reader has moved on to the next record
            // start; backwards the record before the damage is looked for.
            consecutiveReadErrors_ = 0;
            ++state_.damagedRecordsSkipped;
            if (state_.reverse) stepBackOverDamage(at);
            return;
        case ReadStatus::IoError:
        case ReadStatus::NotOpen:
            readFailed();
            return;
    }
    consecutiveReadErrors_ = 0;
    ++state_.recordsPlayed;
    state_.lastReadReverse = state_.reverse;
    // The first record is compared with the real-time settings the file was
    // opened with: a file made with other settings rings at once.
    if (read.trackRestart) RestartTrack(doc_.track);

    playCycle(at);

    if (doc_.settingsChangeAlarm == 2) {
        ports_.shell.playAlarmSound();
        doc_.settingsChangeAlarm = 1;
    }
}

void PlaybackEngine::playCycle(std::uint64_t readAt) {
    doc_.link.linkStale = 0;
    const PingOutcome played = pipeline_.run(
        {PingOrigin::Played, readCycleStatus(doc_.heads), ports_.clock.tickMs(), state_.reverse});
    if (played.gpsReplayed) ports_.shell.gpsReplayed();
    if (!played.accepted) {
        ++state_.rejectedCycles;
        ports_.shell.cycleRejected();
        return;
    }
    // Backwards, the first record ends a pass through the file.
    if (state_.reverse && readAt <= doc_.dataFile.firstRecordOffset) insertWrapMark();
    ports_.shell.pingPlayed(played.stored);
    // The rows just drawn reach the screen only when the views are told.
    if (played.stored.drawn) ports_.shell.redrawViews();
}

void PlaybackEngine::insertWrapMark() {
    if (doc_.imaging.display.holdDisplay) return;
    InsertWrapRow(doc_.imaging.store);
    InsertWindowWrapRows(doc_.imaging.windows);
}

void PlaybackEngine::stepBackOverDamage(std::uint64_t damagedAt) {
    DataFileState& f = doc_.dataFile;
    const std::uint64_t length = std::max<std::uint64_t>(f.recordLength, kMinRecordBytes);
    for (int k = 1; k <= kReverseSearchRecords; ++k) {
        const std::uint64_t back = length * static_cast<std::uint64_t>(k);
        if (damagedAt < f.firstRecordOffset + back) break;
        if (files_.resynchronise(damagedAt - back) && f.recordPosition < damagedAt) return;
    }
    const std::uint64_t reach = length * kReverseSearchRecords;
    if (damagedAt >= f.firstRecordOffset + reach + length) {
        // Nothing within reach: the next step searches on from further back.
        f.recordPosition = damagedAt - reach;
        return;
    }
    // The damage reaches back to the start: round to the last record.
    f.recordPosition = f.usableLength >= f.firstRecordOffset + length ? f.usableLength - length : f.firstRecordOffset;
    RestartTrack(doc_.track);
}

void PlaybackEngine::readFailed() {
    if (++consecutiveReadErrors_ < kReadErrorsBeforeStop) return;
    ports_.notifier.message(kPlaybackReadFailedText, MessageIcon::Error);
    returnToRealTime();
}

void PlaybackEngine::clearGpsPosition() { pipeline_.forgetReplayedPosition(); }

// ------------------------------------------------------------- playback bar

void PlaybackEngine::setPlaySpeed(int speed) {
    state_.playSpeed = ClampPlaySpeed(speed);
    ports_.shell.setPlaySpeed(state_.playSpeed);
    if (ports_.timers.isActive(TimerId::PlaybackStep)) startStepTimer();
}

void PlaybackEngine::changeSpeed(int delta) {
    // Limited before adding, so that no delta can overflow.
    setPlaySpeed(state_.playSpeed + std::clamp(delta, -kMaxPlaySpeed, kMaxPlaySpeed));
}

void PlaybackEngine::sliderGrabbed() {
    if (!copying()) state_.sliderBusy = true;
}

void PlaybackEngine::sliderReleased(int position) {
    if (!copying() && inPlayback() && files_.hasPlayback()) {
        files_.resynchronise(SliderTargetOffset(position, state_.bytesPerSliderStep));
        state_.lastSliderPosition = std::clamp(position, 0, kSliderSteps);
    }
    clearGpsPosition();
    state_.sliderBusy = false;
    RestartTrack(doc_.track);
    ports_.shell.focusMainWindow();
}

void PlaybackEngine::pageUp() {
    DataFileState& f = doc_.dataFile;
    if (inPlayback() && state_.scrolling && files_.hasPlayback()) {
        const std::uint64_t jump = std::uint64_t{kPageJumpRecords} * std::max<std::uint32_t>(f.recordLength, 1);
        if (f.recordPosition < f.firstRecordOffset + jump) {
            // Before the first record counts as past the end: the next step
            // starts again from the first record.
            f.recordPosition = f.usableLength;
        } else {
            files_.resynchronise(f.recordPosition - jump);
        }
    }
    RestartTrack(doc_.track);
    clearGpsPosition();
}

void PlaybackEngine::pageDown() {
    DataFileState& f = doc_.dataFile;
    if (inPlayback() && state_.scrolling && files_.hasPlayback()) {
        const std::uint64_t jump = std::uint64_t{kPageJumpRecords} * std::max<std::uint32_t>(f.recordLength, 1);
        const std::uint64_t target = f.recordPosition + jump;
        if (target > f.usableLength) {
            f.recordPosition = f.firstRecordOffset;
        } else {
            files_.resynchronise(target);
        }
    }
    RestartTrack(doc_.track);
    clearGpsPosition();
}

// ----------------------------------------------------------------- commands

void PlaybackEngine::toggleHold() {
    if (state_.holdLocked) return;
    setHold(doc_.imaging.display.holdDisplay == 0);
}

void PlaybackEngine::setHold(bool on) {
    if (on == (doc_.imaging.display.holdDisplay != 0)) return;
    if (on && inPlayback()) {
        ports_.timers.stop(TimerId::PlaybackStart);
        ports_.timers.stop(TimerId::PlaybackStep);
    }
    SetHold(doc_.imaging, on, doc_.heads, doc_.link, doc_.speed);
    if (!on && inPlayback() && state_.scrolling)
        ports_.timers.start(TimerId::PlaybackStart, kPlaybackResumeDelayMs, true);
    ports_.shell.redrawViews();
}

bool PlaybackEngine::canReverse() const { return inPlayback() && state_.scrolling && !copying(); }

bool PlaybackEngine::canBitmapView() const { return inPlayback() && !copying(); }

bool PlaybackEngine::canCopyStart() const {
    if (copying()) return false;
    return !inPlayback() || (state_.scrolling && !state_.reverse);
}

void PlaybackEngine::toggleReverse() {
    if (!canReverse()) return;
    state_.reverse = !state_.reverse;
    RestartTrack(doc_.track);
    ports_.shell.directionChanged();
}

void PlaybackEngine::toggleBitmapView() {
    if (!canBitmapView()) return;
    state_.scrolling = !state_.scrolling;
    setHold(false);
    WaterfallStore& store = doc_.imaging.store;
    if (!state_.scrolling) {
        ports_.timers.stop(TimerId::PlaybackStart);
        ports_.timers.stop(TimerId::PlaybackStep);
        state_.reverse = false;
        doc_.events.autoEventInfoPopup = false;
        ports_.shell.hideEventDialog();
        ports_.shell.showPlaybackBar(false);
        store.waterfallEnabled = 0;
        setUpBitmapPage();
    } else {
        store.waterfallEnabled = 1;
        setUpBitmapPage();
        ports_.shell.showPlaybackBar(true);
        startStepTimer();
    }
    ports_.shell.redrawViews();
}

void PlaybackEngine::setUpBitmapPage() {
    DataFileState& f = doc_.dataFile;
    const std::uint64_t span = f.usableLength > f.firstRecordOffset ? f.usableLength - f.firstRecordOffset : 0;
    const std::int64_t records = f.recordLength > 0 ? static_cast<std::int64_t>(span / f.recordLength) : 0;
    const BitmapPageSetUp s = SetUpBitmapPage(doc_.imaging.store, doc_.imaging.lines, f.recordPosition,
                                              f.recordLength, records, doc_.speed.speedCorrectionEnabled != 0);
    ClearWindowImages(doc_.imaging.windows);
    state_.page = s.page;
    if (s.rewindFile) f.recordPosition = f.firstRecordOffset;
}

void PlaybackEngine::toggleSettingsChangeAlarm() {
    if (!canSettingsChangeAlarm()) return;
    doc_.settingsChangeAlarm = doc_.settingsChangeAlarm == 0 ? 1 : 0;
}

PlaybackContext PlaybackEngine::playbackContext() const {
    PlaybackContext c;
    c.playback = inPlayback();
    c.playedPath = state_.playedPath;
    return c;
}

}  // namespace hx
