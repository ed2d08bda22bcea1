// What the playback engine asks of the program around it: the settings
// file, the link and the GPS port, the windows, menus and bars, the sound.
// Every step has a default that does nothing, so a headless caller (or a
// test) implements only what it has.
#pragma once

#include <string>

#include "imaging/StorePing.h"

namespace hx {

class IPlaybackShell {
public:
    virtual ~IPlaybackShell() = default;

    // Settings file: saved before a file is opened, reloaded on the way back
    // to real time.
    virtual void saveSettings() {}
    virtual void loadSettings() {}

    // Real-time side: close the head links, the GPS ports and their timers
    // when playback begins; restart the GPS polling (port flushed) when an
    // open fails in real time; re-arm the link when real time resumes.
    virtual void closeRealTimeLink() {}
    virtual void restartGpsPolling() {}
    virtual void enterRealTimeLink() {}

    // Windows and bars.
    virtual void setCaption(const std::string& /*caption*/) {}
    virtual void setRecordMenuTexts(bool /*copyTexts*/) {}  // "Copy Start..." / "Record Data..."
    virtual void addRecentFile(const std::string& /*path*/) {}
    virtual void showPlaybackBar(bool /*shown*/) {}
    virtual void setPlaybackSlider(int /*position*/) {}    // 0..100, ticks every 10
    virtual void setPlaySpeed(int /*speed*/) {}            // indicator and spin
    virtual void hideGpsConfiguration() {}
    virtual void hideEventDialog() {}
    virtual void focusMainWindow() {}
    virtual void clearAuxiliaryViews() {}                  // echo sounder, orientation history
    virtual void rebuildForHeadSet() {}                    // menus and captions of the heads
    virtual void redrawViews() {}
    virtual void directionChanged() {}                     // reverse toggled: event marks follow

    // Per played record.
    virtual void gpsReplayed() {}                          // GPS window texts: speed, heading, course
    virtual void pingPlayed(const StoredPing& /*stored*/) {}  // event popup, echo sounder column, status
    virtual void cycleRejected() {}                        // error flags: diagnostics refresh
    virtual void playAlarmSound() {}                       // "ding.wav", asynchronously
};

}  // namespace hx
