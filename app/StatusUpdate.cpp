// The status bars and the head control bar, refreshed from the document.
#include <QString>

#include <algorithm>

#include "app/HeadControlBar.h"
#include "app/MainFrame.h"
#include "app/PlaybackBar.h"
#include "app/SkerryApp.h"
#include "app/SonarWindows.h"
#include "app/StatusPanes.h"
#include "app/StatusText.h"

namespace hx {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void SkerryApp::refreshStatus() {
    if (!frame_) return;
    StatusPanes& panes = frame_->statusPanes();
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

void SkerryApp::refreshControlBar() {
    if (!frame_) return;
    HeadControlBar& bar = frame_->headBar();
    const bool three = doc_.link.allSideScansAvailable != 0;
    if (three) {
        bar.setLayoutHeads({kHeadL, kHeadM, kHeadH}, 3);
    } else {
        bar.setLayoutHeads({doc_.link.displayHeadA, doc_.link.displayHeadB, 0}, 2);
    }
    const bool feet = doc_.view.units == 1;
    bar.setRangeText(q(formatRangeText(doc_.heads.sideScanRange, feet)));
    bar.setEsRangeText(q(formatRangeText(doc_.heads.echoSounderRange, feet)));
    const auto displayGainText = [this](std::size_t head) {
        return QStringLiteral("%1 %").arg(static_cast<int>(doc_.imaging.display.displayGain[head] * 100.0 + 0.5));
    };
    for (int slot = 0; slot < bar.headCount(); ++slot) {
        const auto head = static_cast<std::size_t>(std::clamp(bar.headAt(slot), 0, kSideScanHeadCount - 1));
        bar.setFrequencyLabel(slot, QStringLiteral("%1 kHz").arg(doc_.heads.headFrequency[head] / 1000));
        bar.setGainText(slot, QStringLiteral("%1 dB").arg(doc_.heads.headGain[head]));
        bar.setDisplayGainText(slot, displayGainText(head));
    }
    if (playbackBar_) {
        if (three)
            playbackBar_->setLayoutHeads({kHeadL, kHeadM, kHeadH}, 3);
        else
            playbackBar_->setLayoutHeads({doc_.link.displayHeadA, doc_.link.displayHeadB, 0}, 2);
        for (int slot = 0; slot < playbackBar_->headCount(); ++slot) {
            const auto head = static_cast<std::size_t>(std::clamp(playbackBar_->headAt(slot), 0, kSideScanHeadCount - 1));
            playbackBar_->setDisplayGainText(slot, displayGainText(head));
        }
    }
}

}  // namespace hx
