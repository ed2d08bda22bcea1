// What the playback keys do: the key to its action, and the action carried
// out with the playback engine's own operations (step, seek, Hold, speed,
// direction). Left and Right move one record in the file, Shift with them
// 100, Home and End go to the first and last record, N and P to the next and
// previous event of the played file's list. Jumps stop at the ends of the
// file instead of going round. Keys act only in playback, while the waterfall
// scrolls; Space (Hold) and the speed keys also in "Bitmap View".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "record/DataFileState.h"
#include "record/EventList.h"
#include "record/ReadWriteFiles.h"
#include "record/RecorderState.h"
#include "session/PlaybackEngine.h"
#include "session/PlaybackState.h"

namespace hx {

inline constexpr int kPlaybackKeyJumpRecords = 100;  // Shift+Left / Shift+Right

enum class PlaybackKey { Other, Space, Left, Right, Home, End, Plus, Minus, R, N, P };

enum class PlaybackAction {
    None,
    PlayPause,
    StepBack,
    StepForward,
    JumpBack,
    JumpForward,
    First,
    Last,
    Faster,
    Slower,
    Reverse,
    PreviousEvent,
    NextEvent,
};

struct PlaybackKeyPress {
    PlaybackKey key = PlaybackKey::Other;
    bool shift = false;
    bool command = false;  // Ctrl, Alt or Meta held: those keys belong to the menus
};

PlaybackAction playbackActionFor(const PlaybackKeyPress& press);

// Records of the played file, counted from its first record.
struct RecordSpan {
    std::uint64_t firstOffset = 0;
    std::uint64_t usableLength = 0;
    std::uint32_t recordLength = 0;

    std::uint64_t count() const;
    std::uint64_t offsetOf(std::uint64_t index) const { return firstOffset + index * recordLength; }
};

// The record a stepping action goes to from `shown` (none shown yet: the
// file's start), kept within the file; nullopt when the action is no step.
std::optional<std::uint64_t> steppedRecord(PlaybackAction action, std::optional<std::uint64_t> shown,
                                           std::uint64_t count);

// The ping of the nearest event after (or before) the ping shown.
std::optional<std::uint32_t> nextEventPing(const EventList& events, std::optional<std::uint32_t> shownPing);
std::optional<std::uint32_t> previousEventPing(const EventList& events, std::optional<std::uint32_t> shownPing);

struct PlaybackKeyContext {
    PlaybackEngine& engine;
    CReadWriteFiles& files;
    const PlaybackState& state;
    const DataFileState& dataFile;
    const EventListState& events;
    const RecorderState& recorder;
    const std::int32_t& holdDisplay;
};

class PlaybackKeyActions {
public:
    explicit PlaybackKeyActions(PlaybackKeyContext ctx) : ctx_(ctx) {}

    // Whether the action applies now; a key whose action does not apply
    // keeps its meaning outside playback.
    bool applies(PlaybackAction action) const;
    // Carries the action out; false when it did not apply.
    bool apply(PlaybackAction action);

    // Index of the record the display shows, from its first record.
    std::optional<std::uint64_t> shownRecord() const;

private:
    RecordSpan span() const;
    void showRecord(std::uint64_t index);
    void showEventPing(std::uint32_t ping);
    void stepOnce();
    bool anyRecordShown() const;

    PlaybackKeyContext ctx_;
    // The place this object last showed, so that a step is not mistaken for
    // one of the timer's while the position has not moved since.
    std::optional<std::uint64_t> lastShownIndex_;
    std::uint64_t positionAfterLastShown_ = 0;
    // Ping number minus record index, learnt from a record of known place,
    // for the played file of that name; recordsPlayed falls when a file is
    // opened again.
    std::optional<std::int64_t> pingBase_;
    std::string pingBasePath_;
    std::uint64_t pingBaseRecordsPlayed_ = 0;
    void learnPingBase(std::uint64_t index);
    bool pingBaseValid() const;
};

}  // namespace hx
