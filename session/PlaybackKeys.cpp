#include "session/PlaybackKeys.h"

#include <algorithm>
#include <vector>

namespace hx {

namespace {

// A jump to an event lands where the ping would be if no cycle was skipped;
// a file with gaps in its numbering needs a few corrections, each one record
// read.
constexpr int kEventCorrections = 4;

bool isEvent(const EventEntry& e) { return e.number >= 0 && e.ping >= 0; }

std::uint64_t clampIndex(std::int64_t index, std::uint64_t count) {
    if (index <= 0 || count == 0) return 0;
    return std::min(static_cast<std::uint64_t>(index), count - 1);
}

}  // namespace

PlaybackAction playbackActionFor(const PlaybackKeyPress& press) {
    using A = PlaybackAction;
    if (press.command) return A::None;
    switch (press.key) {
        case PlaybackKey::Space: return press.shift ? A::None : A::PlayPause;
        case PlaybackKey::Left: return press.shift ? A::JumpBack : A::StepBack;
        case PlaybackKey::Right: return press.shift ? A::JumpForward : A::StepForward;
        case PlaybackKey::Home: return A::First;
        case PlaybackKey::End: return A::Last;
        case PlaybackKey::Plus: return A::Faster;
        case PlaybackKey::Minus: return A::Slower;
        case PlaybackKey::R: return A::Reverse;
        case PlaybackKey::N: return A::NextEvent;
        case PlaybackKey::P: return A::PreviousEvent;
        case PlaybackKey::Other: break;
    }
    return A::None;
}

std::uint64_t RecordSpan::count() const {
    if (recordLength == 0 || usableLength <= firstOffset) return 0;
    return (usableLength - firstOffset) / recordLength;
}

std::optional<std::uint64_t> steppedRecord(PlaybackAction action, std::optional<std::uint64_t> shown,
                                           std::uint64_t count) {
    using A = PlaybackAction;
    if (count == 0) return std::nullopt;
    // Nothing shown yet: the file's start is where stepping begins.
    const auto from = static_cast<std::int64_t>(shown ? std::min(*shown, count - 1) : 0);
    const bool none = !shown.has_value();
    switch (action) {
        case A::StepForward: return clampIndex(none ? 0 : from + 1, count);
        case A::StepBack: return clampIndex(from - 1, count);
        case A::JumpForward: return clampIndex(from + kPlaybackKeyJumpRecords, count);
        case A::JumpBack: return clampIndex(from - kPlaybackKeyJumpRecords, count);
        case A::First: return 0;
        case A::Last: return count - 1;
        default: return std::nullopt;
    }
}

namespace {
// The pings of the list's events, in list order.
std::vector<std::uint32_t> eventPings(const EventList& events) {
    std::vector<std::uint32_t> pings;
    const int n = std::clamp(events.count, 0, kMaxEvents);
    for (int i = 0; i < n; ++i) {
        const EventEntry& e = events.entries[static_cast<std::size_t>(i)];
        if (isEvent(e)) pings.push_back(static_cast<std::uint32_t>(e.ping));
    }
    return pings;
}
}  // namespace

std::optional<std::uint32_t> nextEventPing(const EventList& events, std::optional<std::uint32_t> shownPing) {
    std::optional<std::uint32_t> best;
    for (const std::uint32_t ping : eventPings(events))
        if ((!shownPing || ping > *shownPing) && (!best || ping < *best)) best = ping;
    return best;
}

std::optional<std::uint32_t> previousEventPing(const EventList& events, std::optional<std::uint32_t> shownPing) {
    if (!shownPing) return std::nullopt;
    std::optional<std::uint32_t> best;
    for (const std::uint32_t ping : eventPings(events))
        if (ping < *shownPing && (!best || ping > *best)) best = ping;
    return best;
}

// ------------------------------------------------------------------ actions

RecordSpan PlaybackKeyActions::span() const {
    return {ctx_.dataFile.firstRecordOffset, ctx_.dataFile.usableLength, ctx_.dataFile.recordLength};
}

bool PlaybackKeyActions::applies(PlaybackAction action) const {
    using A = PlaybackAction;
    if (action == A::None || !ctx_.engine.inPlayback() || !ctx_.files.hasPlayback()) return false;
    switch (action) {
        case A::PlayPause: return !ctx_.state.holdLocked;
        case A::Faster:
        case A::Slower: return true;
        case A::Reverse: return ctx_.engine.canReverse();
        default: break;
    }
    // Moving the place: only while scrolling (the bitmap view pages by
    // itself), not while a copy runs forwards, not while the event dialog
    // holds the display or the slider is held.
    return ctx_.state.scrolling && !ctx_.recorder.recording && !ctx_.state.holdLocked && !ctx_.state.sliderBusy &&
           (span().count() > 0 || ctx_.dataFile.recordLength == 0);
}

bool PlaybackKeyActions::apply(PlaybackAction action) {
    using A = PlaybackAction;
    if (!applies(action)) return false;
    switch (action) {
        case A::PlayPause: ctx_.engine.toggleHold(); return true;
        case A::Faster: ctx_.engine.changeSpeed(1); return true;
        case A::Slower: ctx_.engine.changeSpeed(-1); return true;
        case A::Reverse:
            // The position alone no longer tells the shown record once the
            // direction changes: its place is kept by its ping.
            if (const auto shown = shownRecord()) learnPingBase(*shown);
            ctx_.engine.toggleReverse();
            return true;
        case A::NextEvent:
        case A::PreviousEvent: {
            const std::optional<std::uint32_t> shownPing =
                anyRecordShown() ? std::optional<std::uint32_t>(ctx_.dataFile.pingNumber) : std::nullopt;
            const auto target = action == A::NextEvent ? nextEventPing(ctx_.events.events, shownPing)
                                                       : previousEventPing(ctx_.events.events, shownPing);
            if (target) showEventPing(*target);
            return true;
        }
        default: break;
    }
    if (!anyRecordShown() && ctx_.dataFile.recordLength == 0) {
        // No record read yet, so the record length is unknown: the first
        // record tells it.
        showRecord(0);
        if (action == A::StepForward || action == A::First || !anyRecordShown()) return true;
    }
    const std::optional<std::uint64_t> shown = shownRecord();
    const std::optional<std::uint64_t> target = steppedRecord(action, shown, span().count());
    // At the end already: the key does nothing rather than going round.
    if (target && (!shown || *target != *shown)) showRecord(*target);
    return true;
}

bool PlaybackKeyActions::anyRecordShown() const { return ctx_.state.recordsPlayed > 0; }

std::optional<std::uint64_t> PlaybackKeyActions::shownRecord() const {
    if (!anyRecordShown()) return std::nullopt;
    const RecordSpan s = span();
    const std::uint64_t count = s.count();
    if (count == 0) return std::nullopt;
    const std::uint64_t position = ctx_.dataFile.recordPosition;
    if (lastShownIndex_ && position == positionAfterLastShown_) return std::min(*lastShownIndex_, count - 1);
    // The timer stepped since: the record's ping tells its place...
    if (pingBaseValid()) return clampIndex(std::int64_t{ctx_.dataFile.pingNumber} - *pingBase_, count);
    // ...or, before any place is known, the position is one record past the
    // shown one in the direction of play.
    const std::uint64_t next = position > s.firstOffset ? (position - s.firstOffset) / s.recordLength : 0;
    if (!ctx_.state.lastReadReverse) return next == 0 ? 0 : std::min(next - 1, count - 1);
    // Backwards, the step from the first record goes round to the last.
    return next + 1 >= count ? 0 : next + 1;
}

void PlaybackKeyActions::stepOnce() {
    // On Hold the display does not take new rows: it is released for the
    // one record and held again, so that stepping shows what it reads.
    if (ctx_.holdDisplay != 0) {
        ctx_.engine.setHold(false);
        ctx_.engine.step();
        ctx_.engine.setHold(true);
    } else {
        ctx_.engine.step();
    }
}

void PlaybackKeyActions::showRecord(std::uint64_t index) {
    const RecordSpan s = span();
    const std::uint64_t before = ctx_.state.recordsPlayed;
    if (s.recordLength > 0 && !ctx_.files.resynchronise(s.offsetOf(index))) return;
    stepOnce();
    if (ctx_.state.recordsPlayed == before) {
        lastShownIndex_.reset();
        return;
    }
    lastShownIndex_ = index;
    positionAfterLastShown_ = ctx_.dataFile.recordPosition;
    learnPingBase(index);
}

void PlaybackKeyActions::learnPingBase(std::uint64_t index) {
    pingBase_ = std::int64_t{ctx_.dataFile.pingNumber} - static_cast<std::int64_t>(index);
    pingBasePath_ = ctx_.state.playedPath;
    pingBaseRecordsPlayed_ = ctx_.state.recordsPlayed;
}

bool PlaybackKeyActions::pingBaseValid() const {
    return pingBase_ && pingBasePath_ == ctx_.state.playedPath && ctx_.state.recordsPlayed >= pingBaseRecordsPlayed_;
}

void PlaybackKeyActions::showEventPing(std::uint32_t ping) {
    if (!anyRecordShown()) showRecord(0);
    for (int attempt = 0; attempt < kEventCorrections && anyRecordShown(); ++attempt) {
        const std::optional<std::uint64_t> shown = shownRecord();
        if (!shown || ctx_.dataFile.pingNumber == ping) return;
        const std::int64_t delta = std::int64_t{ping} - std::int64_t{ctx_.dataFile.pingNumber};
        const std::uint64_t target = clampIndex(static_cast<std::int64_t>(*shown) + delta, span().count());
        if (target == *shown) return;
        showRecord(target);
    }
}

}  // namespace hx
