// The instrument windows of NavWindows: the echo sounder, the orientation
// window with its history, and the beam coverage.
#include "app/NavWindows.h"

#include <QSplitter>

#include <algorithm>

#include "app/AppContext.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SettingsSession.h"
#include "core/Clock.h"
#include "nav/ui/BeamCoverView.h"
#include "nav/ui/EchoSounderView.h"
#include "nav/ui/HistView.h"
#include "nav/ui/OrientationView.h"
#include "platform/OverlayInk.h"
#include "session/SkerryDoc.h"

namespace hx {

namespace {

constexpr int kOrientationWidthPx = 640;
constexpr int kOrientationHeightPx = 440;
constexpr int kBeamWidthPx = 760;
constexpr int kBeamHeightPx = 600;

}  // namespace

// ------------------------------------------------------------ echo sounder

void NavWindows::createEchoSounder() {
    CSkerryDoc& doc = *app_.doc;
    echoView_ = new CEchoSounder(EchoSounderContext{doc.instruments.echoSounder, doc.palette, [this] {
        const CSkerryDoc& d = *app_.doc;
        EchoSounderReadout r;
        r.rangeM = d.heads.echoSounderRange;
        r.gainStep = d.heads.headGain[kHeadES];
        r.altitudeM = d.orientation.altitudeM;
        r.feet = d.view.units == 1;
        r.gridShown = d.view.showEsGrid != 0;
        r.hold = d.imaging.display.holdDisplay != 0;
        r.ink = overlayInkFor(d.palette);
        if (app_.clock) r.health = headBadge(d.linkHealth, d.heads, d.link, kHeadES, app_.clock->tickMs());
        return r;
    }});
    doc.instruments.echoSounderOpen = true;
    connect(echoView_, &QObject::destroyed, this, [this] { app_.doc->instruments.echoSounderOpen = false; });
    echoWindow_ = frameWindow(echoView_, kEchoSounderTitle, storedPlace(doc.stored.filters.esWindow));
}

void NavWindows::toggleEchoSounder() {
    if (!echoWindow_) {
        createEchoSounder();
    } else if (echoWindow_->isVisible()) {
        echoWindow_->hide();  // it still exists: the echogram keeps its columns
    } else {
        showAndRaise(echoWindow_);
    }
}

bool NavWindows::echoSounderVisible() const { return echoWindow_ && echoWindow_->isVisible(); }

void NavWindows::closeEchoSounder() {
    if (echoWindow_) delete echoWindow_.data();
}

// ------------------------------------------------------------ orientation

QRect NavWindows::orientationDefaultPlace() const {
    // Beside the echo sounder and track column, at the bottom of the screen.
    const LayoutRects l = app_.settings->screenDefaults();
    const int right = l.esWindow.left > 0 ? l.esWindow.left : l.mainFrame.right;
    const int width = std::min(kOrientationWidthPx, std::max(right, 320));
    const int bottom = std::max(l.gpsTrack.bottom, kOrientationHeightPx);
    return QRect(std::max(right - width, 0), bottom - kOrientationHeightPx, width, kOrientationHeightPx);
}

void NavWindows::createOrientation() {
    CSkerryDoc& doc = *app_.doc;
    auto* split = new QSplitter(Qt::Vertical);
    orientationView_ = new COrientationView([this] {
        const OrientationState& o = app_.doc->orientation;
        OrientationReadout r;
        r.values = {o.pitchDeg, o.rollDeg, o.headingDeg, o.depthM, o.temperatureC};
        r.feet = app_.doc->view.units == 1;
        return r;
    });
    historyView_ = new CHistView(doc.instruments.history, doc.palette);
    split->addWidget(orientationView_);
    split->addWidget(historyView_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    doc.instruments.historyOpen = true;
    connect(historyView_, &QObject::destroyed, this, [this] { app_.doc->instruments.historyOpen = false; });
    // H in the instruments toggles Hold exactly like the command.
    connect(orientationView_, &COrientationView::holdToggled, this,
            [this] { app_.frame->router().trigger(CommandId::Hold); });
    orientationWindow_ = frameWindow(split, kOrientationFrameTitle,
                                     orientationPlace_.isValid() ? orientationPlace_ : orientationDefaultPlace());
}

void NavWindows::showOrientation() {
    if (orientationWindow_) showAndRaise(orientationWindow_);
    else createOrientation();
}

bool NavWindows::orientationVisible() const { return orientationWindow_ && orientationWindow_->isVisible(); }

void NavWindows::closeOrientation() {
    if (orientationWindow_) delete orientationWindow_.data();
}

// ------------------------------------------------------------ beam coverage

void NavWindows::showBeamCoverage() {
    if (beamWindow_) {
        showAndRaise(beamWindow_);
        return;
    }
    beamView_ = new CBeamCoverView;
    const QPoint centre = app_.frame->geometry().center();
    beamWindow_ = frameWindow(beamView_, kBeamCoverTitle,
                              QRect(std::max(centre.x() - kBeamWidthPx / 2, 0),
                                    std::max(centre.y() - kBeamHeightPx / 2, 0), kBeamWidthPx, kBeamHeightPx));
}

}  // namespace hx
