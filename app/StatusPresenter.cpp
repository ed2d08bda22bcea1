#include "app/StatusPresenter.h"

#include <QAction>
#include <QString>

#include <algorithm>

#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/HeadControlBar.h"
#include "app/MainFrame.h"
#include "app/PlaybackBar.h"
#include "app/SonarWindows.h"
#include "app/StatusPanes.h"
#include "app/StatusText.h"
#include "link/DiagnosticsText.h"
#include "link/ui/DiagnosticsDlg.h"

namespace hx {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

int sideScanHead(int head) { return std::clamp(head, 0, kSideScanHeadCount - 1); }

QString displayGainText(const DisplaySettings& display, int head) {
    const double gain = display.displayGain[static_cast<std::size_t>(sideScanHead(head))];
    return QStringLiteral("%1 %").arg(static_cast<int>(gain * 100.0 + 0.5));
}

}  // namespace

StatusPositionTexts statusPositionTexts(const GpsFix& live, const PointerReadout& pointer) {
    StatusPositionTexts t;
    if (pointer.inView && pointer.inImage) {
        const GpsTexts& row = pointer.gpsText;
        t.latitude = row[kGpsLatText];
        t.longitude = row[kGpsLonText];
        t.gpsTime = row[kGpsTimeText];
        t.speed = row[kGpsSpeedText];
        t.course = row[kGpsCourseText];
        t.heading = row[kGpsHeadingText];
        t.rowTime = pointer.timeText;
        t.rowDate = pointer.dateText;
        t.fromRow = true;
        return t;
    }
    t.latitude = live.latText;
    t.longitude = live.lonText;
    t.gpsTime = live.timeText;
    t.speed = live.speedText;
    t.course = live.courseText;
    t.heading = live.headingText;
    return t;
}

BarHeads barHeadsFor(const LinkFields& link) {
    if (link.allSideScansAvailable != 0) return {{kHeadL, kHeadM, kHeadH}, 3};
    return {{link.displayHeadA, link.displayHeadB, 0}, 2};
}

StatusPresenter::StatusPresenter(MainFrame& frame, const CSkerryDoc& doc, const IClock& clock)
    : frame_(frame), doc_(doc), clock_(clock) {}

StatusPresenter::~StatusPresenter() { closeDiagnostics(); }

void StatusPresenter::setWindows(SonarWindows* windows) {
    windows_ = windows;
    if (windows) windows->setPointerListener([this] { refreshStatus(); });
}

void StatusPresenter::refreshStatus() {
    StatusPanes& panes = frame_.statusPanes();
    const bool feet = doc_.view.units == 1;
    const OrientationState& o = doc_.orientation;
    if (windows_) panes.setText(StatusPane::Zoom, q(formatZoomPercent(windows_->activeZoomFactor())));
    panes.setText(StatusPane::Gain, q(formatGains(doc_.heads, doc_.link)));
    panes.setText(StatusPane::Temperature, q(formatTemperature(o.temperatureC, feet)));
    panes.setText(StatusPane::Depth, q(formatDepth(o.depthM, feet)));
    panes.setText(StatusPane::Pitch, q(formatAngle(o.pitchDeg)));
    panes.setText(StatusPane::Roll, q(formatAngle(o.rollDeg)));
    panes.setText(StatusPane::Heading, q(formatAngle(o.headingDeg)));
    const PointerReadout none;
    const PointerReadout& pointer = windows_ ? windows_->pointer() : none;
    const StatusPositionTexts t = statusPositionTexts(doc_.gpsLatest.fix, pointer);
    panes.setText(StatusPane::Latitude, q(t.latitude));
    panes.setText(StatusPane::Longitude, q(t.longitude));
    panes.setText(StatusPane::Speed, q(t.speed));
    panes.setText(StatusPane::HeadingText, q(t.heading));
    panes.setText(StatusPane::Text2, q(t.course));
    panes.setText(StatusPane::Text5, q(t.gpsTime));
    panes.setText(StatusPane::Text3, q(t.rowTime));
    panes.setText(StatusPane::Text4, q(t.rowDate));
    showGpsFreshness(panes, t.fromRow);
    if (pointer.inView) panes.setText(StatusPane::Target, q(formatTarget(pointer.starboard, pointer.rangeM, feet)));
}

void StatusPresenter::showGpsFreshness(StatusPanes& panes, bool fromRow) {
    // Live only: a played or pointed-at row's fix is as old as its ping.
    const bool live = doc_.link.playbackMode == 0;
    const GpsFreshnessText fresh = gpsFreshnessText(doc_.gpsFreshness, clock_.tickMs());
    panes.setText(StatusPane::Text1, live ? q(fresh.text) : QString());
    panes.setAlarm(StatusPane::Text1, live && fresh.alarm);
    for (StatusPane pane : {StatusPane::Latitude, StatusPane::Longitude, StatusPane::Speed, StatusPane::HeadingText,
                            StatusPane::Text2, StatusPane::Text5})
        panes.setAlarm(pane, live && !fromRow && fresh.alarm);
}

void StatusPresenter::refreshControlBars() {
    const BarHeads shown = barHeadsFor(doc_.link);
    const bool feet = doc_.view.units == 1;
    HeadControlBar& bar = frame_.headBar();
    bar.setLayoutHeads(shown.heads, shown.count);
    bar.setRangeText(q(formatRangeText(doc_.heads.sideScanRange, feet)));
    bar.setEsRangeText(q(formatRangeText(doc_.heads.echoSounderRange, feet)));
    for (int slot = 0; slot < bar.headCount(); ++slot) {
        const auto head = static_cast<std::size_t>(sideScanHead(bar.headAt(slot)));
        bar.setFrequencyLabel(slot, QStringLiteral("%1 kHz").arg(doc_.heads.headFrequency[head] / 1000));
        bar.setGainText(slot, QStringLiteral("%1 dB").arg(doc_.heads.headGain[head]));
        bar.setDisplayGainText(slot, displayGainText(doc_.imaging.display, bar.headAt(slot)));
    }
    PlaybackBar& playback = frame_.playbackBar();
    playback.setLayoutHeads(shown.heads, shown.count);
    for (int slot = 0; slot < playback.headCount(); ++slot)
        playback.setDisplayGainText(slot, displayGainText(doc_.imaging.display, playback.headAt(slot)));
}

void StatusPresenter::refreshDiagnostics() {
    if (!diagnostics_ || !diagnostics_->isVisible()) return;
    DiagnosticsTexts texts = buildDiagnosticsTexts(doc_.heads, doc_.link, doc_.cycle, doc_.view.displayTimeMs,
                                                   doc_.view.units, diagnostics_->texts());
    fillLinkHealthTexts(texts, doc_.link, doc_.linkHealth, pingRates_, clock_.tickMs());
    diagnostics_->refresh(texts);
}

void StatusPresenter::showDiagnostics() {
    if (!diagnostics_) {
        QList<QAction*> accelerators;
        for (const Accelerator& a : acceleratorTable()) accelerators.append(frame_.router().action(a.id));
        diagnostics_ = new CDiagnosticsDlg(accelerators, &frame_);
    }
    diagnostics_->show();
    diagnostics_->raise();
    refreshDiagnostics();
}

bool StatusPresenter::diagnosticsShown() const { return diagnostics_ && diagnostics_->isVisible(); }

void StatusPresenter::closeDiagnostics() {
    if (diagnostics_) delete diagnostics_.data();
}

}  // namespace hx
