#include "app/RecorderWindow.h"

#include "app/AppContext.h"
#include "app/MainFrame.h"
#include "app/RecentFiles.h"

namespace hx {

void RecorderWindow::setCaption(const std::string& caption) {
    app_.frame->setWindowTitle(QString::fromStdString(caption));
}

void RecorderWindow::addRecentFile(const std::string& path) {
    *app_.recentFiles = withRecentFile(*app_.recentFiles, QString::fromStdString(path));
}

}  // namespace hx
