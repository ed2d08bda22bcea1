// What the bars and the diagnostics window show of the document: the two
// status bars' value panes, the head control bar and the playback bar (their
// head layout, range, gain and display gain texts) and the modeless
// diagnostics window. Refreshed when something they show may have changed.
#pragma once

#include <QPointer>

#include <array>
#include <functional>

#include "session/SkerryDoc.h"

namespace hx {

class CDiagnosticsDlg;
class MainFrame;
class SonarWindows;

// The sidescan heads both bars show, in slot order, and how many.
struct BarHeads {
    std::array<int, 3> heads{};
    int count = 0;
};
BarHeads barHeadsFor(const LinkFields& link);

class StatusPresenter {
public:
    StatusPresenter(MainFrame& frame, const CSkerryDoc& doc);
    ~StatusPresenter();

    void setWindows(const SonarWindows* windows) { windows_ = windows; }

    void refreshStatus();
    void refreshControlBars();
    void refreshDiagnostics();

    // "&Diagnostics": the window, created the first time.
    void showDiagnostics();
    bool diagnosticsShown() const;
    void closeDiagnostics();

private:
    MainFrame& frame_;
    const CSkerryDoc& doc_;
    const SonarWindows* windows_ = nullptr;
    QPointer<CDiagnosticsDlg> diagnostics_;
};

}  // namespace hx
