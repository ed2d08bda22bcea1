// The menus, the sonar windows' captions and images, the main title and the
// control bars follow the head set: all three sidescan heads or a display
// pair, with or without the orientation sensor. A rebuild happens when the
// system information arrives, when a file opens, and before drawing a ping
// whose head set differs from the one the menus were built for.
#pragma once

#include <QStringList>

#include <functional>

#include "session/SkerryDoc.h"

namespace hx {

class MainFrame;
class SonarWindows;
class StatusPresenter;

class HeadSetLayout {
public:
    HeadSetLayout(MainFrame& frame, const CSkerryDoc& doc, SonarWindows& windows, StatusPresenter& status,
                  std::function<QStringList()> recentFiles);

    void rebuild();
    void rebuildIfChanged();

private:
    MainFrame& frame_;
    const CSkerryDoc& doc_;
    SonarWindows& windows_;
    StatusPresenter& status_;
    std::function<QStringList()> recentFiles_;
    // The head set the menus were last built for.
    int builtAllSideScans_ = -1, builtHeadA_ = -1, builtHeadB_ = -1, builtOrientation_ = -1;
};

}  // namespace hx
