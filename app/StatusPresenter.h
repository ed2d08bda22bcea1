// What the bars and the diagnostics window show of the document: the two
// status bars' value panes, the head control bar and the playback bar (their
// head layout, range, gain and display gain texts) and the modeless
// diagnostics window. Refreshed when something they show may have changed.
#pragma once

#include <QPointer>

#include <array>
#include <functional>
#include <string>

#include "core/Clock.h"
#include "imaging/ui/PointerReadout.h"
#include "session/SkerryDoc.h"

namespace hx {

class CDiagnosticsDlg;
class MainFrame;
class SonarWindows;
class StatusPanes;

// The sidescan heads both bars show, in slot order, and how many.
struct BarHeads {
    std::array<int, 3> heads{};
    int count = 0;
};
BarHeads barHeadsFor(const LinkFields& link);

// The position, time and motion texts of the status bars: those of the row
// under the pointer while it is over a sidescan image (the rows frozen by
// Hold while on Hold), so that a target's place can be read off the
// waterfall; the live fix otherwise. The row's time and date show only over
// the image.
struct StatusPositionTexts {
    std::string latitude, longitude, gpsTime, speed, course, heading;
    std::string rowTime, rowDate;
    bool fromRow = false;
};
StatusPositionTexts statusPositionTexts(const GpsFix& live, const PointerReadout& pointer);

class StatusPresenter {
public:
    StatusPresenter(MainFrame& frame, const CSkerryDoc& doc, const IClock& clock);
    ~StatusPresenter();

    // The status bars follow the pointer over the sidescan views.
    void setWindows(SonarWindows* windows);

    void refreshStatus();
    void refreshControlBars();
    void refreshDiagnostics();
    // Each head's pings a second over the last interval, for the diagnostics.
    void setPingRates(const PerHead<double>& rates) { pingRates_ = rates; }

    // "&Diagnostics": the window, created the first time.
    void showDiagnostics();
    bool diagnosticsShown() const;
    void closeDiagnostics();

private:
    void showGpsFreshness(StatusPanes& panes, bool fromRow);

    MainFrame& frame_;
    const CSkerryDoc& doc_;
    const IClock& clock_;
    PerHead<double> pingRates_{};
    const SonarWindows* windows_ = nullptr;
    QPointer<CDiagnosticsDlg> diagnostics_;
};

}  // namespace hx
