// The settings file as the program uses it: loaded at start-up (where the
// main frame and its bars are put back as stored) and on the way back to
// real time, with the screen's default layout for what the file lacks; saved
// at exit and before a file plays, with what only the windows know (their
// frame rectangles, the bars' state). The recent-file list is saved beside it.
#pragma once

#include <QRect>
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

    // Where the main frame goes for a stored rectangle: on the desktop, and
    // the default layout's rectangle when the stored one is missing or too small.
    static QRect mainFramePlace(const WindowRect& stored, const LayoutRects& defaults);

private:
    CSkerryDoc& doc_;
    MainFrame& frame_;
    const QStringList& recentFiles_;
    const bool simulated_;
    const SonarWindows* windows_ = nullptr;
    std::function<void()> loaded_;
    bool started_ = false;  // the first load places the frame and its bars
};

}  // namespace hx
