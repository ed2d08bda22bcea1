#include "tools/cli/HeadlessRecorder.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "link/CommandMessages.h"
#include "link/LinkDefaults.h"
#include "record/RecorderTexts.h"

namespace hx::cli {

namespace {

// Why the output file could not be created; errorNumber is errno of the attempt.
std::string whyNotCreated(const std::string& path, int errorNumber) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path p(path);
    const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    if (fs::is_directory(p, ec)) return "it is a folder";
    if (!fs::is_directory(folder, ec)) return "the folder " + folder.string() + " does not exist";
    return errorNumber != 0 ? std::strerror(errorNumber) : "it cannot be written there";
}

}  // namespace

// --- HeadlessRecorder ---------------------------------------------------------

HeadlessRecorder::HeadlessRecorder(RecordOptions options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      timers_([this](TimerId id) { onTimer(id); }) {
    initialiseLinkDefaults({heads_, link_, cycle_, orientation_});
    // As the desktop program's settings load does: the command messages carry
    // the defaults' frequency, range, gain and transmit control from the first
    // request on (the template alone leaves the frequency at 0 Hz).
    updateCommandsFromSettings(heads_);
    acquisition_ = std::make_unique<AcquisitionCycle>(
        heads_, link_, cycle_,
        LinkPorts{connections_, timers_, clock_, notifier_, *this, static_cast<ILinkObserver*>(this)});
    acquisition_->setHeadPort(options_.port);
    connections_.setEvents(acquisition_.get());

    files_ = std::make_unique<CReadWriteFiles>(fileState_, fs_, notifier_);
    recorderState_.split = options_.split;
    recorder_ = std::make_unique<CRecorder>(recorderState_, fileState_, events_, *files_,
                                            RecorderPorts{fs_, notifier_, clock_, *this, *this});
    // No display: the pipeline reads the status, decodes the sensors and
    // writes the record.
    pipeline_ = std::make_unique<PingPipeline>(
        PipelineDocument{heads_, link_, cycle_, orientation_, gps_, gpsType_, fileState_},
        PipelineStages{recorder_.get()});

    progress_.setInterval(1000);
    connect(&progress_, &QTimer::timeout, this, &HeadlessRecorder::printProgress);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { stop(QStringLiteral("time limit reached")); });
}

HeadlessRecorder::~HeadlessRecorder() { stop(QString()); }

bool HeadlessRecorder::start() {
    errno = 0;
    if (!recorder_->startRecordingTo(options_.outPath, PlaybackContext{})) {
        const int errorNumber = errno;
        const std::string path = withDataFileExtension(options_.outPath);
        std::fprintf(stderr, "hx642-cli record: cannot create %s: %s\n", path.c_str(),
                     whyNotCreated(path, errorNumber).c_str());
        failed_ = true;
        return false;
    }
    std::fprintf(stderr, "hx642-cli: recording to %s from %s port %u\n", outputPath().c_str(),
                 options_.address.c_str(), options_.port);
    // The first ping interval is measured from here.
    cycle_.pingIntervalLastTick = clock_.tickMs();
    acquisition_->enterRealTimeMode();
    acquisition_->requestSystemInformation(options_.address);
    progress_.start();
    if (options_.seconds > 0) deadline_.start(options_.seconds * 1000);
    return true;
}

void HeadlessRecorder::stop(const QString& reason) {
    if (stopped_) return;
    stopped_ = true;
    progress_.stop();
    deadline_.stop();
    timers_.stop(TimerId::LinkWatchdog);
    if (!reason.isEmpty()) printProgress();
    if (recorder_ && recorder_->recording()) recorder_->recordStop(PlaybackContext{});
    if (acquisition_) acquisition_->closeAll();
    if (!reason.isEmpty()) std::fprintf(stderr, "hx642-cli: stopped: %s\n", qPrintable(reason));
    emit finished();
}

// Over every file of a split recording.
std::uint64_t HeadlessRecorder::bytesSaved() const {
    return files_ ? recorderState_.bytesInEarlierFiles + files_->outputSize() : 0;
}

void HeadlessRecorder::onCycleComplete(const CycleView& cycle, const CycleStatus& status) {
    if (stopped_) return;
    // A head that drops out makes the link rebuild before any cycle
    // completes without it, so every cycle here carries each head's fresh ping.
    const bool stale = cycle.link.linkStale != 0;
    const std::uint64_t before = bytesSaved();
    health_.noteCycle(status, clock_.tickMs());
    const PingOutcome outcome = pipeline_->run({PingOrigin::Live, status, clock_.tickMs()});
    if (!outcome.accepted) {
        ++counters_.rejectedCycles;
        return;
    }
    ++counters_.goodCycles;
    if (stale) ++counters_.staleCycles;
    if (bytesSaved() > before) ++counters_.pingsWritten;
    if (!recorder_->recording()) {
        // The recorder stopped by itself (full disk, a failed write) and has
        // said why; whatever was written is whole.
        failed_ = true;
        stop(QStringLiteral("recording stopped"));
        return;
    }
    if (options_.pings > 0 && counters_.pingsWritten >= options_.pings) stop(QStringLiteral("ping limit reached"));
}

QString HeadlessRecorder::nothingRecordedReason() const {
    const QString where = QStringLiteral("%1 port %2").arg(QString::fromStdString(options_.address)).arg(options_.port);
    if (link_.sysInfoReceived == 0)
        return QStringLiteral("no system information came from %1 (is the sonar system reachable?)").arg(where);
    if (counters_.goodCycles == 0 && counters_.rejectedCycles > 0)
        return QStringLiteral("every poll cycle was refused for error flags in a head's status byte");
    if (counters_.goodCycles == 0)
        return QStringLiteral("the system at %1 answered, but no poll cycle was completed (a head does not answer; "
                              "%2 link rebuilds)")
            .arg(where)
            .arg(counters_.reconnects);
    return QStringLiteral("no completed poll cycle could be written");
}

void HeadlessRecorder::setCaption(const std::string&) {}

void HeadlessRecorder::onTimer(TimerId id) { acquisition_->onTimer(id); }

void HeadlessRecorder::onLinkRebuilt() {
    if (!stopped_) ++counters_.reconnects;
}

void HeadlessRecorder::printProgress() {
    // Per head: pings a second, refused pings, and the age of the newest good
    // one, so that a head gone quiet shows at once.
    const std::uint32_t now = clock_.tickMs();
    const PerHead<double> rates = health_.takePingRates(now);
    std::string heads;
    for (int h = 0; h < kHeadCount; ++h) {
        if (heads_.headAvailable[static_cast<std::size_t>(h)] == 0) continue;
        heads += (heads.empty() ? "; " : ", ") + headHealthText(h, health_.head(h), rates[static_cast<std::size_t>(h)], now);
    }
    std::fprintf(stderr,
                 "cycles %" PRId64 " good, %" PRId64 " rejected, %" PRId64 " stale; reconnects %" PRId64
                 "; pings %" PRId64 "; saved %" PRIu64 " kB%s\n",
                 counters_.goodCycles, counters_.rejectedCycles, counters_.staleCycles, counters_.reconnects,
                 counters_.pingsWritten, bytesSaved() / 1024, heads.c_str());
}

}  // namespace hx::cli
