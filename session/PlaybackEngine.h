// Plays a sonar data file back through the live display path: each step
// reads one record into the document and hands it to the ping pipeline (GPS
// replay, status, sensors, drawing and, while a copy runs, the copy), and
// sounds the settings-change alarm.
// It opens files with every check, keeps the step timer at the play speed,
// seeks with the progress slider and the page buttons, holds, plays in
// reverse, switches to "Bitmap View", goes round at the ends of the file and
// returns to real time. Driven on the user-interface thread by commands,
// timer expiries (1010, 1030) and slider events; it changes the playback
// state and the document parts it is given, and nothing else.
#pragma once

#include <cstdint>
#include <string>

#include "core/Clock.h"
#include "core/FileDialogPort.h"
#include "core/Notifier.h"
#include "core/TimerPort.h"
#include "imaging/StorePing.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"
#include "nav/GpsSnapshot.h"
#include "nav/TrackPlotter.h"
#include "record/DataFileState.h"
#include "record/EventList.h"
#include "record/PlaybackEvents.h"
#include "record/ReadWriteFiles.h"
#include "record/Recorder.h"
#include "record/RecorderState.h"
#include "session/PingPipeline.h"
#include "session/PlaybackShell.h"
#include "session/PlaybackState.h"

namespace hx {

inline constexpr const char* kOpenDataFileTitle = "Open Data File:";
inline constexpr const char* kDataFileFilter = "Sonar Data File: (*.642)";
inline constexpr const char* kPlaybackReadFailedText = "Error Reading File!\nPlayback will stop!";

// The document parts playback reads and writes.
struct PlaybackDocument {
    HeadTable& heads;
    LinkFields& link;                // playbackMode, linkStale, the head set of the played record
    CycleValues& cycle;
    OrientationState& orientation;
    ImagingState& imaging;           // history, waterfalls, Hold
    const SpeedSource& speed;
    DataFileState& dataFile;         // record position and numbering of the played file
    const RecorderState& recorder;   // whether a copy is running
    EventListState& events;
    GpsSnapshot& gps;                // the fix and sentence slots the windows and the recorder read
    int& gpsType;                    // "GPS type", as the played record gives it
    int& settingsChangeAlarm;        // 0 off, 1 armed, 2 due
    TrackState& track;
};

struct PlaybackPorts {
    ITimerPort& timers;
    INotifier& notifier;
    IFileDialogPort& dialogs;
    IClock& clock;
    IFileSystem& fs;
    IPlaybackShell& shell;
};

class PlaybackEngine {
public:
    PlaybackEngine(PlaybackState& state, PlaybackDocument doc, CReadWriteFiles& files, CRecorder& recorder,
                   PingPipeline& pipeline, PlaybackPorts ports);
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // --- opening ---
    // "&Playback...": the open dialog, then the open procedure.
    bool openWithDialog();
    // A path from the command line or a dropped file (an empty path shows the dialog).
    bool openPath(const std::string& path);
    // A recent-file entry: an empty slot shows the dialog; the entry is not
    // added to the list again.
    bool openRecentFile(const std::string& path);

    // --- time ---
    // Timer 1010 starts the step timer; timer 1030 takes one step while
    // playing, not on Hold and not in "Bitmap View".
    void onTimer(TimerId id);
    // One playback step, whatever the timers do.
    void step();
    // A mouse press or release in a view: the step timer pauses and comes
    // back through timer 1010 after 100 ms.
    void pauseStepsBriefly();

    // --- playback bar ---
    void changeSpeed(int delta);
    void setPlaySpeed(int speed);  // settings load
    void sliderGrabbed();
    void sliderReleased(int position);
    void pageUp();
    void pageDown();

    // --- commands ---
    void toggleHold();         // "&Hold", key H; nothing while the event dialog locks it
    void setHold(bool on);     // the event dialog's own hold
    void toggleReverse();      // "Reverse Playback"
    void toggleBitmapView();   // "Bitmap View"
    void toggleSettingsChangeAlarm();
    // Re-run when the side display mode or the speed settings change in "Bitmap View".
    void setUpBitmapPage();

    // The connect command while a file is open: files closed, state cleared,
    // settings reloaded, link re-armed. Does nothing in real time.
    void returnToRealTime();
    // Closes the played, output and event files (a running recording or
    // copy ends; event lists are written back). Also for the document's close.
    void closeFiles();

    // --- update handlers ---
    bool inPlayback() const { return doc_.link.playbackMode != 0; }
    bool canReverse() const;
    bool canBitmapView() const;
    bool canSettingsChangeAlarm() const { return inPlayback(); }
    bool canCopyStart() const;
    bool canShowPlaybackBar() const { return inPlayback() && state_.scrolling; }

    // What the recorder needs to know of playback.
    PlaybackContext playbackContext() const;
    const PlayedEventFile& eventFile() const { return eventFile_; }
    int intervalMs() const;

private:
    bool open(const std::string& chosenPath, bool fromRecentList);
    bool checkPlayable(const std::string& path);
    void enterPlayback(const std::string& path, bool fromRecentList);
    void updateSlider();
    void wrapToStart();
    void insertWrapMark();
    void stepBackOverDamage(std::uint64_t damagedAt);
    void readFailed();
    void playCycle(std::uint64_t readAt);
    void clearGpsPosition();
    void clearPlaybackState();
    void startStepTimer();
    bool copying() const { return doc_.recorder.recording; }

    PlaybackState& state_;
    PlaybackDocument doc_;
    CReadWriteFiles& files_;
    CRecorder& recorder_;
    PingPipeline& pipeline_;
    PlaybackPorts ports_;

    PlayedEventFile eventFile_;
    int consecutiveReadErrors_ = 0;
};

}  // namespace hx
