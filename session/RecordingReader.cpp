#include "session/RecordingReader.h"

#include "link/CycleStatus.h"
#include "link/DisplayPair.h"
#include "record/RecordDocument.h"

namespace hx {

RecordingReader::RecordingReader(IFileSystem& fs, INotifier& notifier, ImagingState* imaging,
                                 const SpeedSource* speed)
    : files_(doc_.dataFile, fs, notifier),
      pipeline_(PipelineDocument{doc_.heads, doc_.link, doc_.cycle, doc_.orientation, doc_.gps, doc_.gpsType,
                                 doc_.dataFile, imaging, speed},
                PipelineStages{}) {
    files_.setDisplayPairHook([](const HeadTable& t, LinkFields& l) { applyDisplayPair(t.headAvailable, l); });
    doc_.link.playbackMode = 1;
}

bool RecordingReader::open(const std::string& path) { return files_.openPlayback(path) == OpenStatus::Opened; }

bool RecordingReader::readNext() {
    RecordTargets targets{doc_.heads, doc_.link, doc_.cycle, doc_.gps.gpsSentences, doc_.gpsType,
                          doc_.settingsChangeAlarm};
    for (;;) {
        lastRead_ = files_.readRecord(false, targets);
        if (lastRead_.status == ReadStatus::NoRecord && lastRead_.resyncFound) {
            ++counts_.damaged;
            continue;
        }
        if (lastRead_.status != ReadStatus::Ok) return false;
        ++counts_.records;
        if (lastRead_.damaged()) ++counts_.damaged;
        return true;
    }
}

PingOutcome RecordingReader::process() {
    const CycleStatus status = readCycleStatus(doc_.heads);
    // The recording's own clock: each good ping comes one recorded interval
    // after the one before.
    if (status.good()) tickMs_ += static_cast<std::uint32_t>(doc_.cycle.pingInterval);
    const PingOutcome out = pipeline_.run({PingOrigin::Read, status, tickMs_});
    ++(out.accepted ? counts_.accepted : counts_.rejected);
    return out;
}

}  // namespace hx
