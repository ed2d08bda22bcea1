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

BarHeads barHeadsFor(const LinkFields& link) {
    if (link.allSideScansAvailable != 0) return {{kHeadL, kHeadM, kHeadH}, 3};
    return {{link.displayHeadA, link.displayHeadB, 0}, 2};
}

StatusPresenter::StatusPresenter(MainFrame& frame, const CSkerryDoc& doc) : frame_(frame), doc_(doc) {}

StatusPresenter::~StatusPresenter() { closeDiagnostics(); }

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
    const GpsFix& fix = doc_.gpsLatest.fix;
    panes.setText(StatusPane::Latitude, q(fix.latText));
    panes.setText(StatusPane::Longitude, q(fix.lonText));
    panes.setText(StatusPane::Speed, q(fix.speedText));
    panes.setText(StatusPane::HeadingText, q(fix.headingText));
    if (windows_) {
        const PointerReadout& p = windows_->pointer();
        if (p.inView) {
            panes.setText(StatusPane::Target, q(formatTarget(p.starboard, p.rangeM, feet)));
            panes.setText(StatusPane::Text3, q(p.timeText));
            panes.setText(StatusPane::Text4, q(p.dateText));
        }
    }
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
    diagnostics_->refresh(buildDiagnosticsTexts(doc_.heads, doc_.link, doc_.cycle, doc_.view.displayTimeMs,
                                                doc_.view.units, diagnostics_->texts()));
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
