// Builds the menu bar and the toolbar from the command table.
#pragma once

#include <QStringList>

#include <functional>

class QMenuBar;
class QToolBar;

namespace hx {

class CommandRouter;

// recentFiles gives the current list when the File menu opens; choosing an
// entry calls the router's RecentFile command for that slot. sonarTexts may
// rename the sonar window commands (two-head operation).
void buildMenuBar(QMenuBar* bar, CommandRouter& router, std::function<QStringList()> recentFiles);
void buildToolBar(QToolBar* bar, CommandRouter& router);

}  // namespace hx
