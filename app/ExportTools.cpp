#include "app/ExportTools.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <vector>

#include "app/AppContext.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "platform/QtFileDialogPort.h"
#include "platform/WidgetNotifier.h"
#include "record/EventFile.h"
#include "record/RecordSearch.h"
#include "record/StdFileSystem.h"
#include "session/SkerryDoc.h"

namespace hx {

namespace {

constexpr int kProgressIntervalMs = 200;
constexpr int kProgressDialogDelayMs = 700;

QString q(const std::string& s) { return QString::fromStdString(s); }

bool endsWithNoCase(const std::string& path, const char* suffix) {
    return QString::fromStdString(path).endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

// Collects what the worker's reader would have shown, for the report.
class CollectingNotifier final : public INotifier {
public:
    Answer message(const std::string& text, MessageIcon, Buttons, const std::string&) override {
        if (texts.size() < 5) texts.push_back(text);
        return Answer::Ok;
    }
    std::vector<std::string> texts;
};

}  // namespace

// ---------------------------------------------------------------- range

std::variant<PingSpan, QString> pingSpanFor(const XtfRangeLimits& limits, const QString& typedPing) {
    bool number = false;
    const qulonglong typed = typedPing.trimmed().toULongLong(&number);
    if (!number) return QStringLiteral("Type the number of the last ping to export.");
    const bool belowFirst = typed < limits.firstPing;
    const bool aboveLast = limits.lastPing && typed > *limits.lastPing;
    if (belowFirst || aboveLast || typed > 0xFFFFFFFFull) {
        if (limits.lastPing)
            return QStringLiteral("Ping %1 is not in this file (pings %2 to %3).")
                .arg(typed)
                .arg(limits.firstPing)
                .arg(*limits.lastPing);
        return QStringLiteral("Ping %1 is not in this file (it starts at ping %2).").arg(typed).arg(limits.firstPing);
    }
    const auto end = static_cast<std::uint32_t>(typed);
    return PingSpan{std::min(end, limits.shownPing), std::max(end, limits.shownPing)};
}

XtfRangeDialog::XtfRangeDialog(const XtfRangeLimits& limits, QWidget* parent) : QDialog(parent), limits_(limits) {
    setWindowTitle(QStringLiteral("Export to XTF"));
    auto* grid = new QGridLayout(this);
    const QString wholeText = limits.lastPing ? QStringLiteral("Whole file (pings %1 to %2)")
                                                    .arg(limits.firstPing)
                                                    .arg(*limits.lastPing)
                                              : QStringLiteral("Whole file");
    whole_ = new QRadioButton(wholeText, this);
    fromShown_ = new QRadioButton(QStringLiteral("From ping %1 (shown now) to ping:").arg(limits.shownPing), this);
    endPing_ = new QLineEdit(this);
    endPing_->setText(QString::number(limits.lastPing ? *limits.lastPing : limits.shownPing));
    hint_ = new QLabel(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    grid->addWidget(whole_, 0, 0, 1, 2);
    grid->addWidget(fromShown_, 1, 0);
    grid->addWidget(endPing_, 1, 1);
    grid->addWidget(hint_, 2, 0, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 2);
    whole_->setChecked(true);
    fromShown_->setEnabled(limits.shownPing != 0);
    connect(whole_, &QRadioButton::toggled, this, &XtfRangeDialog::revalidate);
    connect(endPing_, &QLineEdit::textChanged, this, &XtfRangeDialog::revalidate);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    revalidate();
}

void XtfRangeDialog::revalidate() {
    endPing_->setEnabled(fromShown_->isChecked());
    if (whole_->isChecked()) {
        hint_->clear();
        ok_->setEnabled(true);
        return;
    }
    const auto span = pingSpanFor(limits_, endPing_->text());
    if (const auto* why = std::get_if<QString>(&span)) {
        hint_->setText(*why);
        ok_->setEnabled(false);
        return;
    }
    const PingSpan s = std::get<PingSpan>(span);
    hint_->setText(QStringLiteral("%1 pings: %2 to %3").arg(std::uint64_t{s.last} - s.first + 1).arg(s.first).arg(s.last));
    ok_->setEnabled(true);
}

XtfRangeChoice XtfRangeDialog::choice() const {
    if (whole_->isChecked()) return {};
    const auto span = pingSpanFor(limits_, endPing_->text());
    if (const auto* s = std::get_if<PingSpan>(&span)) return {*s};
    return {};
}

// ---------------------------------------------------------------- exports

struct ExportTools::Job {
    ExportRequest request;
    QString what;        // "XTF", "track", "events"
    std::string output;  // the one file written
    bool realTime = false;
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};
    std::atomic<bool> cancel{false};
    // Written by the worker, read after it has finished.
    ExportReport report;
    std::vector<std::string> readerMessages;
};

ExportTools::ExportTools(const AppContext& app) : QObject(app.frame), app_(app) {
    setObjectName(QLatin1String(kExportToolsName));
    ownDialogs_ = std::make_unique<QtFileDialogPort>(app.frame);
    ownNotifier_ = std::make_unique<WidgetNotifier>(app.frame);
    dialogs_ = ownDialogs_.get();
    notifier_ = ownNotifier_.get();
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressIntervalMs);
    connect(progressTimer_, &QTimer::timeout, this, &ExportTools::showProgress);
}

ExportTools::~ExportTools() {
    if (worker_) {
        if (job_) job_->cancel = true;
        worker_->wait();
        delete worker_;
    }
    if (progressDialog_) delete progressDialog_.data();
}

std::optional<std::string> ExportTools::sourceRecording() const {
    const CSkerryDoc& doc = *app_.doc;
    if (doc.link.playbackMode != 0) {
        const bool hasRecord = doc.dataFile.usableLength > doc.dataFile.firstRecordOffset;
        if (doc.playback.playedPath.empty() || !hasRecord) return std::nullopt;
        return doc.playback.playedPath;
    }
    // Real time: what the recording has written so far. A copy only runs in playback.
    if (!doc.recorder.recording || doc.recorder.copying || doc.recorder.outputPath.empty() ||
        doc.dataFile.outputRecordLength == 0)
        return std::nullopt;
    return doc.recorder.outputPath;
}

bool ExportTools::canExportXtf() const {
    return !busy() && app_.doc->link.playbackMode != 0 && sourceRecording().has_value();
}

bool ExportTools::canExportTrack() const { return !busy() && sourceRecording().has_value(); }

XtfRangeLimits ExportTools::rangeLimits() const {
    const CSkerryDoc& doc = *app_.doc;
    XtfRangeLimits limits;
    limits.shownPing = doc.playback.recordsPlayed > 0 ? doc.dataFile.pingNumber : 0;
    limits.firstPing = doc.dataFile.firstPingNumber;
    // The last record's header, where the file's whole records end.
    const std::uint64_t end = doc.dataFile.usableLength;
    const std::uint32_t length = doc.dataFile.recordLength;
    if (length > 0 && end >= doc.dataFile.firstRecordOffset + length) {
        StdFileSystem fs;
        if (auto file = fs.open(doc.playback.playedPath, OpenMode::Read))
            if (const auto last = recordAt(*file, end - length, end)) limits.lastPing = last->shape.pingNumber;
    }
    return limits;
}

std::optional<XtfRangeChoice> ExportTools::chooseRange(const XtfRangeLimits& limits) {
    if (rangeChooser_) return rangeChooser_(limits);
    XtfRangeDialog dialog(limits, app_.frame);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

std::optional<std::string> ExportTools::chooseOutput(const char* title, const char* filter,
                                                     const std::string& suggested, const std::string& source,
                                                     const char* defaultSuffix) {
    FileDialogStart start;
    start.folder = QFileInfo(q(source)).absolutePath().toStdString();
    const auto choice = dialogs_->saveFileFrom(title, filter, suggested, start);
    if (!choice || choice->path.empty()) return std::nullopt;
    std::string path = choice->path;
    // A name typed without its ending gets the one of the filter showing.
    if (std::string(defaultSuffix) == ".xtf") {
        if (!endsWithNoCase(path, ".xtf")) path += ".xtf";
    } else if (!trackFormatForPath(path)) {
        static const char* const kSuffixes[] = {".gpx", ".kml", ".csv"};
        const int index = choice->filterIndex >= 1 && choice->filterIndex <= 3 ? choice->filterIndex : 1;
        if (!endsWithNoCase(path, ".gpx") && !endsWithNoCase(path, ".kml") && !endsWithNoCase(path, ".csv"))
            path += kSuffixes[index - 1];
    }
    // Never over the recording or its event file: the rename would replace them.
    StdFileSystem fs;
    if (fs.samePath(path, source) || fs.samePath(path, eventFilePathFor(source))) {
        lastMessage_ = QStringLiteral("%1 is the recording being exported (or its event file); choose another name.")
                           .arg(q(path));
        notifier_->message(lastMessage_.toStdString(), MessageIcon::Warning);
        return std::nullopt;
    }
    return path;
}

void ExportTools::exportXtf() {
    if (!canExportXtf()) return;
    const std::string source = *sourceRecording();
    const auto range = chooseRange(rangeLimits());
    if (!range) return;
    const QString base = QFileInfo(q(source)).completeBaseName();
    const auto output = chooseOutput("Export to XTF:", kXtfFilter, (base + QStringLiteral(".xtf")).toStdString(),
                                     source, ".xtf");
    if (!output) return;
    auto job = std::make_shared<Job>();
    job->request.recordingPath = source;
    job->request.xtfPath = *output;
    if (range->span) {
        job->request.firstPing = range->span->first;
        job->request.lastPing = range->span->last;
    }
    job->what = QStringLiteral("XTF");
    job->output = *output;
    start(std::move(job));
}

void ExportTools::exportTrack(TrackContent content) {
    if (!canExportTrack()) return;
    const std::string source = *sourceRecording();
    const bool track = content == TrackContent::Track;
    const QString base = QFileInfo(q(source)).completeBaseName();
    const auto output =
        chooseOutput(track ? "Export Track:" : "Export Events:", kTrackFilter,
                     (base + (track ? QStringLiteral("-track.gpx") : QStringLiteral("-events.gpx"))).toStdString(),
                     source, ".gpx");
    if (!output) return;
    auto job = std::make_shared<Job>();
    job->request.recordingPath = source;
    (track ? job->request.trackPath : job->request.eventsPath) = *output;
    job->what = track ? QStringLiteral("track") : QStringLiteral("events");
    job->output = *output;
    job->realTime = app_.doc->link.playbackMode == 0;
    start(std::move(job));
}

void ExportTools::start(std::shared_ptr<Job> job) {
    job->request.programVersion = QCoreApplication::applicationVersion().toStdString();
    Job* j = job.get();
    job->request.cancelRequested = [j] { return j->cancel.load(); };
    job_ = job;
    // The worker reads the file with its own reader; it touches nothing of the program's.
    worker_ = QThread::create([job] {
        StdFileSystem fs;
        CollectingNotifier messages;
        job->report = ExportRecording(job->request, fs, messages, [&job](std::uint64_t done, std::uint64_t total) {
            job->done = done;
            job->total = total;
        });
        job->readerMessages = std::move(messages.texts);
    });
    connect(worker_, &QThread::finished, this, &ExportTools::finished, Qt::QueuedConnection);

    if (!statusLabel_) {
        statusLabel_ = new QLabel(app_.frame);
        statusLabel_->setObjectName(QStringLiteral("exportProgress"));
        app_.frame->statusBar()->addPermanentWidget(statusLabel_);
    }
    statusLabel_->setText(QStringLiteral("Exporting %1...").arg(job->what));
    statusLabel_->show();
    progressDialog_ = new QProgressDialog(QStringLiteral("Exporting %1 to %2").arg(job->what, QFileInfo(q(job->output)).fileName()),
                                          QStringLiteral("Cancel"), 0, 100, app_.frame);
    progressDialog_->setObjectName(QStringLiteral("exportProgressDialog"));
    progressDialog_->setWindowTitle(QStringLiteral("Export"));
    progressDialog_->setWindowModality(Qt::NonModal);
    progressDialog_->setAutoClose(false);
    progressDialog_->setAutoReset(false);
    progressDialog_->setMinimumDuration(kProgressDialogDelayMs);
    progressDialog_->setValue(0);
    connect(progressDialog_, &QProgressDialog::canceled, this, &ExportTools::cancel);
    progressTimer_->start();
    app_.frame->router().updateAll();
    worker_->start();
}

void ExportTools::cancel() {
    if (job_) job_->cancel = true;
}

void ExportTools::showProgress() {
    if (!job_) return;
    const std::uint64_t total = job_->total.load();
    const int percent = total > 0 ? static_cast<int>(job_->done.load() * 100 / total) : 0;
    if (progressDialog_ && !progressDialog_->wasCanceled()) progressDialog_->setValue(percent);
    if (statusLabel_) statusLabel_->setText(QStringLiteral("Exporting %1... %2 %").arg(job_->what).arg(percent));
}

void ExportTools::finished() {
    if (!worker_ || !job_) return;
    worker_->wait();
    worker_->deleteLater();
    worker_ = nullptr;
    progressTimer_->stop();
    if (progressDialog_) progressDialog_->deleteLater();
    if (statusLabel_) statusLabel_->hide();
    const std::shared_ptr<Job> job = std::move(job_);
    job_.reset();
    const ExportReport& r = job->report;
    lastReport_ = r;

    const QString file = QFileInfo(q(job->output)).fileName();
    QString text;
    MessageIcon icon = MessageIcon::Information;
    if (r.cancelled) {
        text = QStringLiteral("The export was cancelled; %1 was not written.").arg(file);
    } else if (!r.ok) {
        icon = MessageIcon::Error;
        text = QStringLiteral("The export failed: %1\nNo file was written.").arg(q(r.error));
    } else {
        if (job->request.xtfPath)
            text = QStringLiteral("Exported %1 pings to %2.").arg(r.pings).arg(file);
        else if (job->request.trackPath)
            text = QStringLiteral("Exported %1 track points to %2.").arg(r.trackPoints).arg(file);
        else
            text = QStringLiteral("Exported %1 events to %2.").arg(r.events).arg(file);
        if (job->realTime) text += QStringLiteral("\nIt holds the recording as written so far.");
        if (r.damagedSkipped > 0)
            text += QStringLiteral("\n%1 damaged records were skipped.").arg(r.damagedSkipped);
        if (r.rejected > 0 && job->request.xtfPath)
            text += QStringLiteral("\n%1 records with head error flags were left out.").arg(r.rejected);
        if (!r.zoneFromGps) text += QStringLiteral("\nThe recording has no GPS time: times are from this computer's time zone.");
    }
    for (const std::string& m : job->readerMessages) text += QLatin1Char('\n') + q(m);
    lastMessage_ = text;
    // From the event loop, after the pass: the notifier shows it without a nested loop.
    notifier_->message(text.toStdString(), icon);
    app_.frame->router().updateAll();
    emit exportFinished(r.ok);
}

}  // namespace hx
