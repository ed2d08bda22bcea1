// "&Measure", the event commands, saving the screen, "Customize" and "Color
// &Indicator": the target tools' commands and their update handlers.
#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SonarWindows.h"
#include "app/TargetTools.h"
#include "imaging/ui/MeasurementOverlay.h"
#include "session/SkerryDoc.h"

namespace hx {

namespace {

using C = CommandId;

}  // namespace

void registerTargetCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    TargetTools& tools = *app.targets;
    CSkerryDoc& doc = *app.doc;

    // Measurements go to the active sidescan view, which comes to the top.
    const std::pair<CommandId, MouseMode> measures[] = {
        {C::MeasureRange, MouseMode::MeasureRange},
        {C::MeasureDistance, MouseMode::MeasureDistance},
        {C::MeasureTargetHeight, MouseMode::MeasureTargetHeight},
        {C::DrawPlusMark, MouseMode::PlusMark},
    };
    for (const auto& [id, mode] : measures) {
        r.setHandler(id, [&tools, mode = mode] { tools.toggleMeasureMode(mode); });
        r.setUpdater(id, [&tools, mode = mode](CommandState& s) {
            const MeasurementOverlay* m = tools.activeMeasurements();
            s.enabled = m != nullptr;
            s.checked = m && m->modeOn(mode);
        }, true);
    }
    r.setHandler(C::ClearLinesMarks, [&tools] {
        if (MeasurementOverlay* m = tools.activeMeasurements()) {
            m->clearMarks();
            tools.raiseActiveView();
        }
    });
    r.setUpdater(C::ClearLinesMarks, [&tools](CommandState& s) { s.enabled = tools.activeMeasurements() != nullptr; });

    // The main view's pointer modes that only end at the next release.
    const std::pair<CommandId, ViewCommand> pointerModes[] = {{C::TimeMarks, ViewCommand::TimeMarks},
                                                              {C::GpsMarks, ViewCommand::GpsMarks}};
    for (const auto& [id, command] : pointerModes) {
        r.setHandler(id, [&app, command = command] { app.windows->runViewCommand(command); });
        r.setUpdater(id, [&app, command = command](CommandState& s) {
            const auto st = app.windows->viewCommandState(command);
            s.enabled = st.has_value();
            s.checked = st && st->checked;
        }, true);
    }

    // Images.
    r.setHandler(C::SelectArea, [&tools] {
        if (MeasurementOverlay* m = tools.activeMeasurements()) m->toggleSelectArea();
    });
    r.setUpdater(C::SelectArea, [&tools](CommandState& s) {
        const MeasurementOverlay* m = tools.activeMeasurements();
        s.enabled = m != nullptr;
        s.checked = m && m->selectAreaOn();
    }, true);
    r.setHandler(C::SaveScreen, [&tools] { tools.saveScreen(); });
    r.setHandler(C::SaveSelected, [&tools] { tools.saveSelected(); });
    r.setUpdater(C::SaveSelected, [&tools](CommandState& s) { s.enabled = tools.canSaveSelected(); });

    // Events.
    EventAnnotations& events = tools.events();
    struct EventCommand {
        CommandId id;
        void (EventAnnotations::*run)();
        bool (EventAnnotations::*enabled)() const;
        bool EventListState::*option;  // null: checked while reviewing
    };
    const EventCommand eventCommands[] = {
        {C::EnableEventInput, &EventAnnotations::toggleEnableInput, &EventAnnotations::canEnableInput,
         &EventListState::enableEventInput},
        {C::HoldWhenAddingEvent, &EventAnnotations::toggleHoldWhenAdding, &EventAnnotations::canHoldWhenAdding,
         &EventListState::holdWhenAddingEvent},
        {C::AutoEventInfoPopUp, &EventAnnotations::toggleAutoPopup, &EventAnnotations::canAutoPopup,
         &EventListState::autoEventInfoPopup},
        {C::HideEventMarker, &EventAnnotations::toggleHideMarker, &EventAnnotations::canHideMarker,
         &EventListState::hideEventMarker},
        {C::EventReviewEdit, &EventAnnotations::toggleReview, &EventAnnotations::canReview, nullptr},
    };
    for (const EventCommand& c : eventCommands) {
        r.setHandler(c.id, [&events, run = c.run] { (events.*run)(); });
        r.setUpdater(c.id, [&events, &doc, c](CommandState& s) {
            s.enabled = (events.*c.enabled)();
            s.checked = c.option ? doc.events.*c.option : events.reviewing();
        }, true);
    }

    // Palette editor and colour indicator.
    r.setHandler(C::CustomizePalette, [&tools] { tools.toggleCustomize(); });
    r.setUpdater(C::CustomizePalette, [&doc](CommandState& s) { s.checked = doc.palette.useCustomPalette != 0; }, true);
    r.setHandler(C::ColorIndicator, [&tools] { tools.toggleColourIndicator(); });
    r.setUpdater(C::ColorIndicator, [&doc](CommandState& s) { s.checked = doc.view.showColorIndicator != 0; }, true);
}

}  // namespace hx
