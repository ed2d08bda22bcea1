#include "app/HeadSetLayout.h"

#include "app/MainFrame.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "record/RecorderTexts.h"

namespace hx {

HeadSetLayout::HeadSetLayout(MainFrame& frame, const CSkerryDoc& doc, SonarWindows& windows, StatusPresenter& status,
                             std::function<QStringList()> recentFiles)
    : frame_(frame), doc_(doc), windows_(windows), status_(status), recentFiles_(std::move(recentFiles)) {}

void HeadSetLayout::rebuild() {
    const LinkFields& link = doc_.link;
    builtAllSideScans_ = link.allSideScansAvailable;
    builtHeadA_ = link.displayHeadA;
    builtHeadB_ = link.displayHeadB;
    builtOrientation_ = link.orientationAvailable;
    frame_.rebuildMenus(recentFiles_);
    windows_.headSetChanged();
    if (link.playbackMode == 0) frame_.setWindowTitle(QString::fromLatin1(kRealTimeCaption));
    status_.refreshControlBars();
}

void HeadSetLayout::rebuildIfChanged() {
    const LinkFields& link = doc_.link;
    if (link.allSideScansAvailable != builtAllSideScans_ || link.displayHeadA != builtHeadA_ ||
        link.displayHeadB != builtHeadB_ || link.orientationAvailable != builtOrientation_)
        rebuild();
}

}  // namespace hx
