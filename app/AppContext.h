// What the command handlers and the adapters reach: the document, the
// session's engines and the program's windows. SkerryApp owns all of them,
// fills this in before the first event can arrive and outlives every user.
#pragma once

#include <QStringList>

namespace hx {

class ConnectionController;
class GpsLink;
class INotifier;
class HeadSetLayout;
class IClock;
class MainFrame;
class NavWindows;
class NightMode;
class QtTimerPort;
class SettingsSession;
class SkerrySession;
class SonarWindows;
class StatusPresenter;
class TargetTools;
struct CSkerryDoc;

struct AppContext {
    CSkerryDoc* doc = nullptr;
    MainFrame* frame = nullptr;
    SkerrySession* session = nullptr;
    SonarWindows* windows = nullptr;
    StatusPresenter* status = nullptr;
    HeadSetLayout* layout = nullptr;
    GpsLink* gps = nullptr;
    SettingsSession* settings = nullptr;
    ConnectionController* connection = nullptr;
    NavWindows* nav = nullptr;
    TargetTools* targets = nullptr;
    NightMode* night = nullptr;
    QtTimerPort* timers = nullptr;
    QStringList* recentFiles = nullptr;
    INotifier* notifier = nullptr;  // message boxes, or stderr without an operator
    const IClock* clock = nullptr;
};

}  // namespace hx
