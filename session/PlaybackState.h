// The playback engine's part of the document: the played file's name and
// folder, the direction and mode of playing, the progress slider and the
// play speed. Changed only by PlaybackEngine (commands, timer expiries,
// slider events) and by the settings load (speed, folder, filter index).
// Playback mode itself is LinkFields::playbackMode, Hold is
// DisplaySettings::holdDisplay and the track restart is TrackState's.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/BitmapPage.h"

namespace hx {

inline constexpr int kMinPlaySpeed = 0;
inline constexpr int kMaxPlaySpeed = 20;
inline constexpr int kDefaultPlaySpeed = 5;  // "Playback Speed"
inline constexpr int kSliderSteps = 100;     // progress slider range 0..100
inline constexpr int kSliderTickStep = 10;
inline constexpr int kPlaybackStartDelayMs = 1000;  // timer 1010 after a file is opened
inline constexpr int kPlaybackResumeDelayMs = 100;  // timer 1010 after Hold, a mouse press or release
inline constexpr int kPageJumpRecords = 400;        // "PageUp" / "PageDown"

struct PlaybackState {
    std::string playedPath;      // full path of the played file; kept after playback for the recorder's check
    std::string readDirectory;   // "Read File Dir:", with its trailing '/'
    int readFilterIndex = 1;     // "Read Filter Index"
    bool reverse = false;        // play backwards
    // The direction of the last record read: the position stands one record
    // past it that way, whatever the direction is now.
    bool lastReadReverse = false;
    bool scrolling = true;       // false: "Bitmap View", the timer does not step
    bool sliderBusy = false;     // the operator holds the progress slider
    int lastSliderPosition = 0;  // 0..100, as last set on the slider
    int playSpeed = kDefaultPlaySpeed;
    std::uint64_t bytesPerSliderStep = 0;  // usable length / 100
    bool holdLocked = false;     // the event dialog is open: "&Hold" does nothing
    bool readOnlyMedia = false;  // the played file could only be opened for reading
    BitmapPage page;             // "Bitmap View" position, scrolled by the view

    // What the steps came across since the file was opened.
    std::uint64_t recordsPlayed = 0;
    std::uint64_t damagedRecordsSkipped = 0;  // places where no record started
    std::uint64_t rejectedCycles = 0;         // records whose status bytes carried error flags
};

}  // namespace hx
