// "&View" and "&Color Table": display switches, Hold, sides, colour tables,
// the main view's own commands through their bindings, the context menu's
// zoom factors, the bars, and the editing and pane keys.
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>

#include <array>

#include "app/AppContext.h"
#include "app/CommandBindings.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/NavWindows.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "imaging/ColourTables.h"
#include "imaging/WaterfallStore.h"
#include "nav/ui/BeamCoverView.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

using C = CommandId;

void toggle(int& flag) { flag = flag ? 0 : 1; }

struct ZoomFactorCommand {
    CommandId id;
    double factor;
};

constexpr std::array<ZoomFactorCommand, 7> kZoomFactors = {{
    {C::ZoomFactor100, 1.0},
    {C::ZoomFactor125, 1.25},
    {C::ZoomFactor150, 1.5},
    {C::ZoomFactor175, 1.75},
    {C::ZoomFactor200, 2.0},
    {C::ZoomFactor300, 3.0},
    {C::ZoomFactor400, 4.0},
}};

// The beam coverage window, when it is open: what "print" prints.
CBeamCoverView* printableView(const AppContext& app) {
    if (!app.nav || !app.nav->beamWindow() || !app.nav->beamWindow()->isVisible()) return nullptr;
    return app.nav->beamView();
}

void registerDisplaySwitches(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    CSkerryDoc& doc = *app.doc;
    SonarWindows& windows = *app.windows;
    DisplaySettings& display = doc.imaging.display;

    const auto flagCommand = [&r, &windows](CommandId id, int& flag) {
        r.setHandler(id, [&windows, &flag] {
            toggle(flag);
            windows.updateViews();
        });
        r.setUpdater(id, [&flag](CommandState& s) { s.checked = flag != 0; }, true);
    };
    flagCommand(C::EsGrid, doc.view.showEsGrid);
    flagCommand(C::VerticalBlending, display.verticalBlending);
    flagCommand(C::DisplayLowHighDib, display.lowHighDib);
    r.setHandler(C::SingleColourDisplay, [&display] { ToggleSingleColourDisplay(display); });
    r.setUpdater(C::SingleColourDisplay, [&display](CommandState& s) { s.checked = display.singleColourDisplay != 0; },
                 true);
    r.setHandler(C::BeamTestDisplay, [&display] { ToggleBeamTestDisplay(display); });
    r.setUpdater(C::BeamTestDisplay, [&display](CommandState& s) { s.checked = display.beamTestDisplay != 0; }, true);
}

void registerBars(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    CSkerryDoc& doc = *app.doc;
    MainFrame& frame = *app.frame;
    PlaybackEngine& playback = app.session->playback();

    r.setHandler(C::ToolBar, [&frame] { frame.toolBar()->setVisible(frame.toolBar()->isHidden()); });
    r.setUpdater(C::ToolBar, [&frame](CommandState& s) { s.checked = !frame.toolBar()->isHidden(); }, true);
    r.setHandler(C::StatusBar, [&frame] { frame.statusBar()->setVisible(frame.statusBar()->isHidden()); });
    r.setUpdater(C::StatusBar, [&frame](CommandState& s) { s.checked = !frame.statusBar()->isHidden(); }, true);

    // The file playback bar: only while a file plays and scrolls; checked
    // while it shows. Its wish is kept for the next file.
    r.setHandler(C::FilePlaybackBar, [&app, &doc, &playback] {
        if (!playback.canShowPlaybackBar()) return;
        QToolBar* bar = app.frame->playbackBarHolder();
        const bool show = bar->isHidden();
        doc.stored.filters.playbackBarVisible = show ? 1 : 0;
        bar->setVisible(show);
        app.status->refreshControlBars();
    });
    r.setUpdater(C::FilePlaybackBar, [&frame, &playback](CommandState& s) {
        s.enabled = playback.canShowPlaybackBar();
        s.checked = !frame.playbackBarHolder()->isHidden();
    }, true);
}

void registerEditingKeys(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    SonarWindows& windows = *app.windows;
    MainFrame& frame = *app.frame;

    // Copy: the main sidescan picture as shown, to paste into a report.
    r.setHandler(C::EditCopy, [&windows] {
        if (QWidget* view = windows.mainView()) QApplication::clipboard()->setImage(view->grab().toImage());
    });
    r.setUpdater(C::EditCopy, [&windows](CommandState& s) { s.enabled = windows.mainView() != nullptr; });
    // Nothing in the program's own windows is cut, pasted or undone: those
    // keys work in the text boxes that have them and are shown disabled here.
    for (CommandId id : {C::EditCut, C::EditPaste, C::EditUndo})
        r.setUpdater(id, [](CommandState& s) { s.enabled = false; });

    r.setHandler(C::FilePrint, [&app] {
        if (CBeamCoverView* view = printableView(app)) view->print();
    });
    r.setUpdater(C::FilePrint, [&app](CommandState& s) { s.enabled = printableView(app) != nullptr; });

    r.setHandler(C::NextPane, [&frame] { frame.mdiArea()->activateNextSubWindow(); });
    r.setHandler(C::PrevPane, [&frame] { frame.mdiArea()->activatePreviousSubWindow(); });
    for (CommandId id : {C::NextPane, C::PrevPane})
        r.setUpdater(id, [&frame](CommandState& s) { s.enabled = frame.mdiArea()->subWindowList().size() > 1; });
}

}  // namespace

void registerViewCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    CSkerryDoc& doc = *app.doc;
    SonarWindows& windows = *app.windows;

    registerDisplaySwitches(app);

    r.setHandler(C::ClearScreen, [&doc, &windows] {
        ClearImagePixels(doc.imaging.store);
        ClearWindowPixels(doc.imaging.windows);
        windows.updateViews();
    });
    r.setHandler(C::Hold, [&app, &doc, &windows] {
        if (doc.link.playbackMode != 0) {
            app.session->playback().toggleHold();
        } else if (!doc.playback.holdLocked) {  // the event dialog holds it
            SetHold(doc.imaging, doc.imaging.display.holdDisplay == 0, doc.heads, doc.link, doc.imagingSpeed);
        }
        windows.updateViews();
    });
    r.setUpdater(C::Hold, [&doc](CommandState& s) { s.checked = doc.imaging.display.holdDisplay != 0; }, true);

    // The sides shown change with the next ping; the rows drawn stay. Only
    // the playback "Bitmap View" page is built again at once.
    const std::pair<CommandId, int> sides[] = {
        {C::PortOnly, kPortOnly}, {C::StbdOnly, kStarboardOnly}, {C::BothSides, kBothSides}};
    for (const auto& [id, mode] : sides) {
        r.setHandler(id, [&app, &doc, &windows, mode = mode] {
            if (doc.imaging.display.sideDisplayMode == mode) return;
            doc.imaging.display.sideDisplayMode = mode;
            if (doc.link.playbackMode != 0 && !doc.playback.scrolling) app.session->playback().setUpBitmapPage();
            windows.updateViews();
        });
        r.setUpdater(id, [&doc, mode = mode](CommandState& s) {
            s.checked = doc.imaging.display.sideDisplayMode == mode;
        }, true);
    }

    // A table chosen while the custom palette is in use is kept for later
    // and changes nothing on screen; the custom palette stays on.
    const auto tables = colorTableCommands();
    for (std::size_t table = 0; table < tables.size(); ++table) {
        const int index = static_cast<int>(table);
        r.setHandler(tables[table], [&doc, &windows, index] {
            SelectColourTable(doc.palette, index);
            doc.palette.nightRed = 0;
            windows.updateViews();
        });
        r.setUpdater(tables[table], [&doc, index](CommandState& s) {
            s.checked = doc.palette.nightRed == 0 && doc.palette.colourTableIndex == index;
        }, true);
    }

    // Zoom, scale, units and pointer commands are the main view's own.
    for (const ViewBinding& b : viewBindings()) {
        const ViewCommand command = b.command;
        r.setHandler(b.id, [&app, &windows, command] {
            windows.runViewCommand(command);
            app.status->refreshStatus();
        });
        r.setUpdater(b.id, [&windows, command](CommandState& s) {
            const std::optional<ViewCommandState> st = windows.viewCommandState(command);
            s.enabled = st && st->enabled;
            s.checked = st && st->checked;
        }, b.checkable);
    }
    // The context menu's zoom factors.
    for (const ZoomFactorCommand& z : kZoomFactors) {
        const double factor = z.factor;
        r.setHandler(z.id, [&app, &windows, factor] {
            windows.selectZoomFactor(factor);
            app.status->refreshStatus();
        });
        r.setUpdater(z.id, [&windows, factor](CommandState& s) {
            s.enabled = windows.mainView() != nullptr;
            s.checked = windows.zoomFactorChecked(factor);
        }, true);
    }

    registerBars(app);
    registerEditingKeys(app);
}

}  // namespace hx
