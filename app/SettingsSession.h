// The settings file as the program uses it: loaded at start-up and on the
// way back to real time, with the screen's default layout for what the file
// lacks; saved at exit and before a file plays, with what only the windows
// know (their rectangles, the tool bar's state). The recent-file list is
// saved beside it.
#pragma once

#include <QStringList>

#include <functional>

#include "session/SkerryDoc.h"

namespace hx {

class MainFrame;
class SonarWindows;

class SettingsSession {
public:
    // simulated: the simulator's heads and GPS device are not the operator's
    // system, so a simulated session leaves the link's keys as they are.
    SettingsSession(CSkerryDoc& doc, MainFrame& frame, const QStringList& recentFiles, bool simulated);

    void setWindows(const SonarWindows* windows) { windows_ = windows; }
    // Called after every load (the GPS read interval follows the file).
    void setLoaded(std::function<void()> loaded) { loaded_ = std::move(loaded); }

    void load();
    void save();
    // The default layout of the screen the main window is on.
    LayoutRects screenDefaults() const;

private:
    CSkerryDoc& doc_;
    MainFrame& frame_;
    const QStringList& recentFiles_;
    const bool simulated_;
    const SonarWindows* windows_ = nullptr;
    std::function<void()> loaded_;
};

}  // namespace hx
