// The program around the playback engine: the settings file, the link and
// the GPS port it closes and reopens, the playback bar, captions, menus and
// views it sets.
#pragma once

#include "platform/AlarmSound.h"
#include "session/PlaybackShell.h"

namespace hx {

struct AppContext;

class PlaybackShellAdapter final : public IPlaybackShell {
public:
    explicit PlaybackShellAdapter(const AppContext& app) : app_(app) {}

    void saveSettings() override;
    void loadSettings() override;
    void closeRealTimeLink() override;
    void restartGpsPolling() override;
    void enterRealTimeLink() override;
    void setCaption(const std::string& caption) override;
    void setRecordMenuTexts(bool copyTexts) override;
    void addRecentFile(const std::string& path) override;
    void showPlaybackBar(bool shown) override;
    void setPlaybackSlider(int position) override;
    void setPlaySpeed(int speed) override;
    void focusMainWindow() override;
    void hideEventDialog() override;
    void hideGpsConfiguration() override;
    void clearAuxiliaryViews() override;
    void rebuildForHeadSet() override;
    void redrawViews() override;
    void gpsReplayed() override;
    void pingPlayed(const StoredPing& stored) override;
    void cycleRejected() override;
    void playAlarmSound() override;

    const AlarmSound& alarmSound() const { return alarm_; }

private:
    const AppContext& app_;
    AlarmSound alarm_;  // the settings-change alarm's chime
};

}  // namespace hx
