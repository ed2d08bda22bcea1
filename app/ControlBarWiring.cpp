// The head control bar's spins (range, echo sounder range, gain, display
// gain) and the playback bar's slider, speed, page buttons and display gain.
#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/HeadControlBar.h"
#include "app/MainFrame.h"
#include "app/PlaybackBar.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "link/HeadSettings.h"
#include "session/SkerrySession.h"

namespace hx {

void wireControlBars(const AppContext& app) {
    CSkerryDoc& doc = *app.doc;
    StatusPresenter& status = *app.status;
    const auto realTime = [&doc] { return doc.link.playbackMode == 0; };
    const auto stepDisplayGain = [&doc, &status](int head, int delta) {
        StepDisplayGain(doc.imaging.display, head, delta);
        status.refreshControlBars();
    };

    HeadControlBar& bar = app.frame->headBar();
    QObject::connect(&bar, &HeadControlBar::rangeStep, &bar, [&app, &doc, &status, realTime](int d) {
        if (!realTime()) return;
        spinSideScanRange(doc.heads, d);
        status.refreshControlBars();
        app.windows->updateViews();
    });
    QObject::connect(&bar, &HeadControlBar::esRangeStep, &bar, [&doc, &status, realTime](int d) {
        if (!realTime()) return;
        spinEchoSounderRange(doc.heads, d);
        status.refreshControlBars();
    });
    QObject::connect(&bar, &HeadControlBar::gainStep, &bar, [&doc, &status, realTime](int head, int d) {
        if (!realTime()) return;
        spinHeadGain(doc.heads, head, d);
        status.refreshControlBars();
        status.refreshStatus();
    });
    QObject::connect(&bar, &HeadControlBar::displayGainStep, &bar, stepDisplayGain);

    PlaybackBar& playbackBar = app.frame->playbackBar();
    PlaybackEngine& playback = app.session->playback();
    QObject::connect(&playbackBar, &PlaybackBar::sliderGrabbed, &playbackBar, [&playback] { playback.sliderGrabbed(); });
    QObject::connect(&playbackBar, &PlaybackBar::sliderReleased, &playbackBar,
                     [&playback](int position) { playback.sliderReleased(position); });
    QObject::connect(&playbackBar, &PlaybackBar::speedStep, &playbackBar,
                     [&playback](int delta) { playback.changeSpeed(delta); });
    QObject::connect(&playbackBar, &PlaybackBar::pageUp, &playbackBar, [&playback] { playback.pageUp(); });
    QObject::connect(&playbackBar, &PlaybackBar::pageDown, &playbackBar, [&playback] { playback.pageDown(); });
    QObject::connect(&playbackBar, &PlaybackBar::displayGainStep, &playbackBar, stepDisplayGain);
}

}  // namespace hx
