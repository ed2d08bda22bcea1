#include "session/EventAnnotations.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "record/DataRecord.h"

namespace hx {

namespace {

std::string withoutNewline(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

std::string withNewline(const std::string& s) { return withoutNewline(s) + '\n'; }

std::optional<int> eventNumberOf(const std::string& text) {
    std::size_t b = text.find_first_not_of(" \t");
    std::size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos) return std::nullopt;
    std::string_view s(text.data() + b, e - b + 1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    if (v < 0 || v > kMaxEventNumber) return std::nullopt;
    return v;
}

EventFields fieldsOf(const EventEntry& e) {
    return {e.number,
            e.ping,
            withoutNewline(e.latitude),
            withoutNewline(e.longitude),
            withoutNewline(e.date),
            withoutNewline(e.time),
            withoutNewline(e.annotation)};
}

std::uint16_t markFor(std::int32_t number) {
    return static_cast<std::uint16_t>(kEventMarkFlag | (static_cast<std::uint32_t>(number) & 0x7FFFu));
}

}  // namespace

std::string StoredAnnotation(const std::string& text) {
    std::string s = text;
    std::replace_if(s.begin(), s.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    if (s.size() > kMaxAnnotationChars) s.resize(kMaxAnnotationChars);
    if (s.find_first_not_of(" \t") == std::string::npos) s = "n/a";
    return s + '\n';
}

EventAnnotations::EventAnnotations(EventDocument doc, EventPorts ports) : doc_(doc), ports_(std::move(ports)) {}

// ------------------------------------------------------------ commands

bool EventAnnotations::canEnableInput() const { return (inPlayback() && !copying()) || recordingLive(); }

bool EventAnnotations::canHoldWhenAdding() const { return inPlayback() || recordingLive(); }

bool EventAnnotations::canAutoPopup() const { return inPlayback() && doc_.playback.scrolling; }

bool EventAnnotations::canHideMarker() const { return inPlayback() || recordingLive(); }

bool EventAnnotations::canReview() const { return inPlayback() && !copying(); }

void EventAnnotations::toggleEnableInput() {
    if (canEnableInput()) doc_.events.enableEventInput = !doc_.events.enableEventInput;
}

void EventAnnotations::toggleHoldWhenAdding() {
    if (canHoldWhenAdding()) doc_.events.holdWhenAddingEvent = !doc_.events.holdWhenAddingEvent;
}

void EventAnnotations::toggleAutoPopup() {
    if (!canAutoPopup()) return;
    doc_.events.autoEventInfoPopup = !doc_.events.autoEventInfoPopup;
    // A shown event goes with the option; review and input stay.
    if (!doc_.events.autoEventInfoPopup && mode_ == EventDialogMode::Review && !reviewing_) closeDialog();
}

void EventAnnotations::toggleHideMarker() {
    if (!canHideMarker()) return;
    doc_.events.hideEventMarker = !doc_.events.hideEventMarker;
    redraw();
}

void EventAnnotations::toggleReview() {
    if (!canReview()) return;
    if (reviewing_) {
        closeDialog();
        return;
    }
    if (list().count <= 0) {
        ports_.notifier.message(kNoEventsText, MessageIcon::Information);
        return;
    }
    if (mode_ != EventDialogMode::Closed) closeDialog();
    reviewing_ = true;
    lockAndHold(true);
    mode_ = EventDialogMode::Review;
    index_ = -1;
    next();
}

// --------------------------------------------------------------- input

std::int32_t EventAnnotations::nextEventNumber() const {
    std::int32_t largest = -1;
    for (int i = 0; i < std::clamp(list().count, 0, kMaxEvents); ++i)
        largest = std::max(largest, list().entries[static_cast<std::size_t>(i)].number);
    if (largest < kMaxEventNumber) return largest + 1;
    // 99 is taken: the lowest number still free.
    for (std::int32_t n = 0; n <= kMaxEventNumber; ++n)
        if (findNumber(n) < 0) return n;
    return 0;
}

int EventAnnotations::findNumber(std::int32_t number) const {
    for (int i = 0; i < std::clamp(list().count, 0, kMaxEvents); ++i)
        if (list().entries[static_cast<std::size_t>(i)].number == number) return i;
    return -1;
}

bool EventAnnotations::clickAt(std::int64_t imageX, std::int32_t row) {
    if (!doc_.events.enableEventInput) return false;
    return startInput(imageX, row);
}

bool EventAnnotations::doubleClickAt(std::int64_t imageX, std::int32_t row) { return startInput(imageX, row); }

bool EventAnnotations::startInput(std::int64_t imageX, std::int32_t row) {
    if (!canEnableInput()) return false;
    if (mode_ == EventDialogMode::Input || reviewing_) return false;
    if (inPlayback() && doc_.playback.readOnlyMedia) {
        // Neither the mark nor the event file could take it.
        ports_.notifier.message(kEditDeniedText, MessageIcon::Warning);
        return false;
    }
    if (list().count >= kMaxEvents) {
        ports_.notifier.message(kEventListFullText, MessageIcon::Warning);
        return false;
    }
    ImagingState& imaging = doc_.imaging;
    const bool holdBefore = imaging.display.holdDisplay != 0;
    if (doc_.events.holdWhenAddingEvent && !holdBefore) ports_.engine.setHold(true);
    const bool hold = imaging.display.holdDisplay != 0;
    const RowMeta* meta = DisplayedRowMeta(imaging.store, row, hold);
    if (!meta || meta->stamp[0] == '\0') {
        // No ping drew that row.
        if (!holdBefore && hold) ports_.engine.setHold(false);
        return false;
    }
    if (mode_ != EventDialogMode::Closed) closeDialog();
    heldByDialog_ = !holdBefore && hold;
    locked_ = true;
    doc_.playback.holdLocked = true;

    pendingPing_ = meta->pingNumber;
    pendingPosition_ =
        MarkerPositionAt(imageX, imaging.store.imageWidth, imaging.display.sideDisplayMode);
    pendingFields_ = EventFields{};
    pendingFields_.number = nextEventNumber();
    pendingFields_.ping = meta->pingNumber;
    pendingFields_.time = StampTimeText(meta->stamp);
    pendingFields_.date = doc_.cycle.pingDateText;
    pendingFields_.latitude = meta->gps.text[kGpsLatText];
    pendingFields_.longitude = meta->gps.text[kGpsLonText];
    editing_ = false;
    mode_ = EventDialogMode::Input;
    ports_.dialog.showInput(pendingFields_, false);
    return true;
}

MarkRewrite EventAnnotations::writeMark(std::int32_t ping, std::uint16_t mark, bool& anyTarget) {
    anyTarget = false;
    MarkRewrite result = MarkRewrite::NoFile;
    const auto pingNumber = static_cast<std::uint32_t>(ping);
    if (inPlayback() && ports_.files.hasPlayback()) {
        anyTarget = true;
        result = ports_.files.rewritePlayedEventMark(pingNumber, mark);
    }
    if (recordingLive() && ports_.files.hasOutput()) {
        anyTarget = true;
        const MarkRewrite out = ports_.files.rewriteOutputEventMark(pingNumber, mark);
        if (result == MarkRewrite::NoFile || out != MarkRewrite::Written) result = out;
    }
    return result;
}

void EventAnnotations::ok(const std::string& numberText, const std::string& annotation) {
    if (mode_ != EventDialogMode::Input) return;
    if (editing_) {
        const int i = selectedFlag_ ? findNumber(selectedNumber_) : -1;
        if (i >= 0) list().entries[static_cast<std::size_t>(i)].annotation = StoredAnnotation(annotation);
        closeDialog();
        return;
    }
    const auto number = eventNumberOf(numberText);
    if (!number) {
        ports_.notifier.message(kEventNumberRangeText, MessageIcon::Warning);
        return;
    }
    if (findNumber(*number) >= 0) {
        ports_.notifier.message(kEventNumberTakenText, MessageIcon::Warning);
        return;
    }
    if (list().count >= kMaxEvents) {
        ports_.notifier.message(kEventListFullText, MessageIcon::Warning);
        closeDialog();
        return;
    }
    bool anyTarget = false;
    const MarkRewrite written = writeMark(pendingPing_, markFor(*number), anyTarget);
    if (anyTarget && written == MarkRewrite::NotFound) {
        ports_.notifier.message(kPingNotRecordedText, MessageIcon::Warning);
        return;
    }
    if (anyTarget && written != MarkRewrite::Written)
        ports_.notifier.message(kMarkNotWrittenText, MessageIcon::Warning);

    // After every entry whose ping is not greater.
    EventList& l = list();
    const auto begin = l.entries.begin();
    const auto end = begin + std::clamp(l.count, 0, kMaxEvents);
    const auto at = std::find_if(begin, end, [&](const EventEntry& e) { return e.ping > pendingPing_; });
    std::move_backward(at, end, end + 1);
    EventEntry& e = *at;
    e.number = *number;
    e.ping = pendingPing_;
    e.position = pendingPosition_;
    e.latitude = withNewline(pendingFields_.latitude);
    e.longitude = withNewline(pendingFields_.longitude);
    e.date = withNewline(pendingFields_.date);
    e.time = withNewline(pendingFields_.time);
    e.annotation = StoredAnnotation(annotation);
    ++l.count;
    closeDialog();
}

void EventAnnotations::cancel() { closeDialog(); }

// -------------------------------------------------------------- review

void EventAnnotations::showAt(int index) {
    const EventEntry& e = list().entries[static_cast<std::size_t>(index)];
    index_ = index;
    selectedNumber_ = e.number;
    selectedFlag_ = true;
    mode_ = EventDialogMode::Review;
    editing_ = false;
    ports_.dialog.showEvent(fieldsOf(e));
    redraw();
}

void EventAnnotations::next() {
    if (mode_ != EventDialogMode::Review || !ports_.files.hasPlayback()) return;
    if (list().count <= 0) {
        ports_.notifier.message(kNoMoreEventsText, MessageIcon::Information);
        closeDialog();
        return;
    }
    showAt(std::min(index_ + 1, list().count - 1));
}

void EventAnnotations::prev() {
    if (mode_ != EventDialogMode::Review || !ports_.files.hasPlayback() || list().count <= 0) return;
    showAt(std::clamp(index_ - 1, 0, list().count - 1));
}

void EventAnnotations::edit() {
    if (mode_ != EventDialogMode::Review) return;
    if (doc_.playback.readOnlyMedia) {
        ports_.notifier.message(kEditDeniedText, MessageIcon::Warning);
        return;
    }
    const int i = selectedFlag_ ? findNumber(selectedNumber_) : -1;
    if (i < 0) {
        ports_.notifier.message(kSelectEventFirstText, MessageIcon::Information);
        return;
    }
    // Editing holds the display like input does.
    lockAndHold(doc_.events.holdWhenAddingEvent || reviewing_);
    editing_ = true;
    mode_ = EventDialogMode::Input;
    ports_.dialog.showInput(fieldsOf(list().entries[static_cast<std::size_t>(i)]), true);
}

void EventAnnotations::remove() {
    if (mode_ != EventDialogMode::Review) return;
    const int p = selectedFlag_ ? findNumber(selectedNumber_) : -1;
    if (p < 0) {
        ports_.notifier.message(kSelectEventFirstText, MessageIcon::Information);
        return;
    }
    if (ports_.notifier.message(kDeleteQuestionText, MessageIcon::Question, Buttons::YesNo) != Answer::Yes) return;
    if (doc_.playback.readOnlyMedia) {
        ports_.notifier.message(kDeleteDeniedText, MessageIcon::Warning);
        return;
    }
    EventList& l = list();
    const std::int32_t ping = l.entries[static_cast<std::size_t>(p)].ping;
    const auto begin = l.entries.begin();
    const auto end = begin + l.count;
    std::move(begin + p + 1, end, begin + p);
    *(end - 1) = EventEntry{};
    --l.count;
    selectedFlag_ = false;

    // The ping's record keeps a mark while an event of that ping remains,
    // naming one that does.
    std::optional<std::int32_t> remaining;
    for (int i = 0; i < l.count; ++i)
        if (l.entries[static_cast<std::size_t>(i)].ping == ping) remaining = l.entries[static_cast<std::size_t>(i)].number;
    bool anyTarget = false;
    const MarkRewrite written = writeMark(ping, remaining ? markFor(*remaining) : 0, anyTarget);
    if (anyTarget && written != MarkRewrite::Written && written != MarkRewrite::NotFound)
        ports_.notifier.message(kMarkNotWrittenText, MessageIcon::Warning);

    if (l.count == 0) {
        ports_.notifier.message(kNoMoreEventsText, MessageIcon::Information);
        closeDialog();
        redraw();
        return;
    }
    index_ = p - 1;
    next();
}

// ------------------------------------------------------------ playback

void EventAnnotations::onPlayedPing(const PingOutcome& outcome) {
    if (!outcome.accepted || doc_.imaging.display.holdDisplay) return;
    const DataFileState& f = doc_.dataFile;
    if (!f.eventMarkFlag) return;
    selectedNumber_ = f.eventMarkNumber;
    selectedFlag_ = true;
    const int i = findNumber(selectedNumber_);
    if (i >= 0) index_ = i;
    if (!doc_.events.autoEventInfoPopup || mode_ == EventDialogMode::Input || reviewing_ || i < 0) return;
    mode_ = EventDialogMode::Review;
    ports_.dialog.showEvent(fieldsOf(list().entries[static_cast<std::size_t>(i)]));
}

void EventAnnotations::closeForFileChange() {
    selectedFlag_ = false;
    index_ = -1;
    if (mode_ != EventDialogMode::Closed || locked_) closeDialog();
}

// ------------------------------------------------------------- helpers

void EventAnnotations::lockAndHold(bool hold) {
    if (!locked_) {
        locked_ = true;
        doc_.playback.holdLocked = true;
    }
    if (hold && !doc_.imaging.display.holdDisplay) {
        ports_.engine.setHold(true);
        heldByDialog_ = true;
    }
}

void EventAnnotations::closeDialog() {
    ports_.dialog.hide();
    mode_ = EventDialogMode::Closed;
    editing_ = false;
    reviewing_ = false;
    if (locked_) {
        locked_ = false;
        doc_.playback.holdLocked = false;
    }
    // Hold the dialog switched on goes off again; the operator's own Hold stays.
    if (heldByDialog_) {
        heldByDialog_ = false;
        if (doc_.imaging.display.holdDisplay) ports_.engine.setHold(false);
    }
    redraw();
}

void EventAnnotations::redraw() {
    if (ports_.redrawViews) ports_.redrawViews();
}

std::vector<EventMarkerRequest> EventAnnotations::markers() const {
    std::vector<EventMarkerRequest> out;
    if (doc_.events.hideEventMarker) return out;
    for (int i = 0; i < std::clamp(list().count, 0, kMaxEvents); ++i) {
        const EventEntry& e = list().entries[static_cast<std::size_t>(i)];
        out.push_back({e.number, e.ping, e.position});
    }
    return out;
}

}  // namespace hx
