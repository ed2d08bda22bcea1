// "&View" and "&Color Table": display switches, Hold, sides, colour tables,
// the main view's own commands through their bindings, and the bars.
#include <QStatusBar>
#include <QToolBar>

#include "app/AppContext.h"
#include "app/CommandBindings.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "imaging/ColourTables.h"
#include "imaging/WaterfallStore.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

using C = CommandId;

void toggle(int& flag) { flag = flag ? 0 : 1; }

}  // namespace

void registerViewCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    CSkerryDoc& doc = *app.doc;
    SonarWindows& windows = *app.windows;

    const auto flagCommand = [&r, &windows](CommandId id, int& flag) {
        r.setHandler(id, [&windows, &flag] {
            toggle(flag);
            windows.updateViews();
        });
        r.setUpdater(id, [&flag](CommandState& s) { s.checked = flag != 0; }, true);
    };
    flagCommand(C::EsGrid, doc.view.showEsGrid);
    flagCommand(C::VerticalBlending, doc.imaging.display.verticalBlending);

    r.setHandler(C::ClearScreen, [&doc, &windows] {
        ClearImagePixels(doc.imaging.store);
        windows.updateViews();
    });
    r.setHandler(C::Hold, [&app, &doc, &windows] {
        if (doc.link.playbackMode != 0) {
            app.session->playback().toggleHold();
        } else {
            SetHold(doc.imaging, doc.imaging.display.holdDisplay == 0, doc.heads, doc.link, doc.imagingSpeed);
        }
        windows.updateViews();
    });
    r.setUpdater(C::Hold, [&doc](CommandState& s) { s.checked = doc.imaging.display.holdDisplay != 0; }, true);

    const std::pair<CommandId, int> sides[] = {
        {C::PortOnly, kPortOnly}, {C::StbdOnly, kStarboardOnly}, {C::BothSides, kBothSides}};
    for (const auto& [id, mode] : sides) {
        r.setHandler(id, [&doc, &windows, mode = mode] {
            if (doc.imaging.display.sideDisplayMode == mode) return;
            doc.imaging.display.sideDisplayMode = mode;
            windows.rebuildImages();
        });
        r.setUpdater(id, [&doc, mode = mode](CommandState& s) {
            s.checked = doc.imaging.display.sideDisplayMode == mode;
        }, true);
    }

    const auto tables = colorTableCommands();
    for (std::size_t table = 0; table < tables.size(); ++table) {
        const int index = static_cast<int>(table);
        r.setHandler(tables[table], [&doc, &windows, index] {
            SelectColourTable(doc.palette, index);
            doc.palette.useCustomPalette = 0;
            windows.updateViews();
        });
        r.setUpdater(tables[table], [&doc, index](CommandState& s) {
            s.checked = !doc.palette.useCustomPalette && doc.palette.colourTableIndex == index;
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

    MainFrame& frame = *app.frame;
    r.setHandler(C::ToolBar, [&frame] { frame.toolBar()->setVisible(!frame.toolBar()->isVisible()); });
    r.setUpdater(C::ToolBar, [&frame](CommandState& s) { s.checked = frame.toolBar()->isVisible(); }, true);
    r.setHandler(C::FilePlaybackBar, [&app, &doc] {
        int& shown = doc.stored.filters.playbackBarVisible;
        shown = shown ? 0 : 1;
        app.frame->playbackBarHolder()->setVisible(shown && doc.link.playbackMode != 0 && doc.playback.scrolling);
        app.status->refreshControlBars();
    });
    r.setUpdater(C::FilePlaybackBar, [&doc](CommandState& s) { s.checked = doc.stored.filters.playbackBarVisible != 0; },
                 true);
    r.setHandler(C::StatusBar, [&frame] { frame.statusBar()->setVisible(!frame.statusBar()->isVisible()); });
    r.setUpdater(C::StatusBar, [&frame](CommandState& s) { s.checked = frame.statusBar()->isVisible(); }, true);
}

}  // namespace hx
