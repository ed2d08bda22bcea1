// The desktop program's exports: the played recording (or, in real time,
// the recording being written) to XTF, and its track and events to GPX, KML
// or CSV. The pass runs on a worker thread with its own reader of the file,
// so playback, the link and the recorder go on; progress shows in the status
// bar and in a non-modal dialog with Cancel, and the result is reported
// after the pass ends, from the event loop. Driven by the commands in
// ExportCommandHandlers.cpp.
#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "core/FileDialogPort.h"
#include "core/Notifier.h"
#include "export/TrackExport.h"
#include "session/RecordingExport.h"

class QLabel;
class QLineEdit;
class QProgressDialog;
class QPushButton;
class QRadioButton;
class QThread;
class QTimer;

namespace hx {

struct AppContext;

struct PingSpan {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

// What the XTF range dialog offers: the ping on screen and the played
// file's pings (the last one unknown when the file's end could not be read).
struct XtfRangeLimits {
    std::uint32_t shownPing = 0;  // 0: nothing shown yet
    std::uint32_t firstPing = 0;
    std::optional<std::uint32_t> lastPing;
};

// The pings from the one shown to the one typed (either way round), or why
// the typed text does not name a ping of the file.
std::variant<PingSpan, QString> pingSpanFor(const XtfRangeLimits& limits, const QString& typedPing);

// The operator's choice: the whole file, or a span of pings.
struct XtfRangeChoice {
    std::optional<PingSpan> span;  // empty: the whole file
};

// "Export to XTF": whole file, or from the ping shown to a ping typed in;
// OK only while the typed ping lies in the file.
class XtfRangeDialog final : public QDialog {
    Q_OBJECT
public:
    XtfRangeDialog(const XtfRangeLimits& limits, QWidget* parent);
    XtfRangeChoice choice() const;

    QRadioButton* wholeFileButton() const { return whole_; }
    QRadioButton* fromShownButton() const { return fromShown_; }
    QLineEdit* endPingEdit() const { return endPing_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* hintLabel() const { return hint_; }

private:
    void revalidate();

    XtfRangeLimits limits_;
    QRadioButton* whole_ = nullptr;
    QRadioButton* fromShown_ = nullptr;
    QLineEdit* endPing_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* ok_ = nullptr;
};

inline constexpr const char* kExportToolsName = "exportTools";
inline constexpr const char* kXtfFilter = "XTF File (*.xtf)";
inline constexpr const char* kTrackFilter = "GPX File (*.gpx);;KML File (*.kml);;CSV File (*.csv)";

class ExportTools final : public QObject {
    Q_OBJECT
public:
    // Made a child of the main frame, which ends it.
    explicit ExportTools(const AppContext& app);
    ~ExportTools() override;

    // The recording an export reads: the played file, or in real time the
    // file being recorded (never a copy's output); empty when there is none
    // with a whole record in it.
    std::optional<std::string> sourceRecording() const;
    bool busy() const { return job_ != nullptr; }
    bool canExportXtf() const;
    bool canExportTrack() const;  // and the events

    // The commands: the dialogs, then the pass on its own thread.
    void exportXtf();
    void exportTrack(TrackContent content);
    // Stops a running pass; its output is not written.
    void cancel();

    XtfRangeLimits rangeLimits() const;
    const ExportReport& lastReport() const { return lastReport_; }
    const QString& lastMessage() const { return lastMessage_; }

    // For tests (and unattended runs): other file dialogs, messages and range answers.
    void setFileDialogs(IFileDialogPort& dialogs) { dialogs_ = &dialogs; }
    void setNotifier(INotifier& notifier) { notifier_ = &notifier; }
    void setRangeChooser(std::function<std::optional<XtfRangeChoice>(const XtfRangeLimits&)> choose) {
        rangeChooser_ = std::move(choose);
    }

signals:
    // A pass has ended and its result has been reported.
    void exportFinished(bool ok);

private:
    struct Job;
    std::optional<XtfRangeChoice> chooseRange(const XtfRangeLimits& limits);
    std::optional<std::string> chooseOutput(const char* title, const char* filter, const std::string& suggested,
                                            const std::string& source, const char* defaultSuffix);
    void start(std::shared_ptr<Job> job);
    void showProgress();
    void finished();

    const AppContext& app_;
    std::unique_ptr<IFileDialogPort> ownDialogs_;
    std::unique_ptr<INotifier> ownNotifier_;
    IFileDialogPort* dialogs_ = nullptr;
    INotifier* notifier_ = nullptr;
    std::function<std::optional<XtfRangeChoice>(const XtfRangeLimits&)> rangeChooser_;

    std::shared_ptr<Job> job_;
    QThread* worker_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QPointer<QProgressDialog> progressDialog_;
    QPointer<QLabel> statusLabel_;
    ExportReport lastReport_;
    QString lastMessage_;
};

}  // namespace hx
