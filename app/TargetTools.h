// The operator's tools for targets, built and wired here: the measurements
// of the active sidescan view, saving the screen or a chosen area, the event
// annotations with their "Event Information" dialog and markers, the palette
// editor's window and the colour indicator. The command handlers
// (TargetCommandHandlers.cpp) drive it; the session reaches it through the
// ping pipeline's event step and the playback shell.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "core/Notifier.h"
#include "imaging/ui/PaletteView.h"
#include "imaging/ui/ViewCommands.h"
#include "record/ui/AnnotationDialog.h"
#include "session/EventAnnotations.h"
#include "session/PingPipeline.h"

namespace hx {

struct AppContext;
class MeasurementOverlay;

class TargetTools final : public QObject {
    Q_OBJECT
public:
    TargetTools(const AppContext& app, INotifier& notifier);
    ~TargetTools() override;

    // Once the main view exists: the views' event and colour hooks, the
    // palette file loaded into the editor, the ping pipeline's event step.
    void start();
    // The editor's palette and curves into the document (before the settings,
    // and with them the palette file, are saved).
    void publishPalette();

    // --- measurements: the active sidescan view's, null without a main view ---
    MeasurementOverlay* activeMeasurements() const;
    void toggleMeasureMode(MouseMode mode);
    void raiseActiveView() const;

    // --- images ---
    void saveScreen();
    void saveSelected();
    bool canSaveSelected() const;

    // --- events ---
    EventAnnotations& events() { return *events_; }
    CAnnotation& eventDialog() const { return *dialog_; }
    void hideEventDialog();

    // --- palette and colour indicator ---
    void toggleCustomize();
    bool customizeShown() const;
    CPaletteChildFrm& paletteFrame() const { return *paletteFrame_; }
    void loadPalette();
    void savePalette();
    // The image re-allocation put the table in the custom palette's place:
    // the editor's palette goes back.
    void republishPalette();
    void toggleColourIndicator();

    // For tests (and unattended runs): answers in place of the file dialogs.
    void setImagePathChooser(std::function<std::optional<QString>()> choose) { imagePath_ = std::move(choose); }
    void setPaletteFileChooser(std::function<std::optional<QString>(bool save)> choose) {
        palettePath_ = std::move(choose);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DialogAdapter;
    std::optional<QString> chooseImagePath();
    std::optional<QString> choosePalettePath(bool save);
    QString programFolder() const;

    const AppContext& app_;
    INotifier& notifier_;
    QPointer<CAnnotation> dialog_;
    std::unique_ptr<DialogAdapter> dialogAdapter_;
    std::unique_ptr<EventAnnotations> events_;
    QPointer<CPaletteChildFrm> paletteFrame_;
    const QObject* paletteFrameObject_ = nullptr;  // compared only: it may be going
    std::function<std::optional<QString>()> imagePath_;
    std::function<std::optional<QString>(bool)> palettePath_;
    bool started_ = false;
};

}  // namespace hx
