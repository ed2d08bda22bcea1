// A recording read from its first record to its last through the ping
// pipeline, the way playback plays it forwards: for the tools that turn a
// recording into something else (images, exports). Each record is read into
// the reader's own document and, when the caller asks, processed: GPS
// replayed, status and sensors read, and (given images) drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/Notifier.h"
#include "imaging/StorePing.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"
#include "nav/GpsSnapshot.h"
#include "record/DataFileState.h"
#include "record/FileAccess.h"
#include "record/ReadWriteFiles.h"
#include "session/PingPipeline.h"

namespace hx {

// The document parts a recording fills.
struct RecordingDocument {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    GpsSnapshot gps;
    int gpsType = 0;
    int settingsChangeAlarm = 0;
    DataFileState dataFile;
};

struct RecordingCounts {
    std::int64_t records = 0;   // read whole
    std::int64_t accepted = 0;  // passed the status check
    std::int64_t rejected = 0;  // refused for error flags
    std::int64_t damaged = 0;   // places where no record started, and records with a damaged head block
};

class RecordingReader {
public:
    // imaging and speed may be null: nothing is drawn.
    RecordingReader(IFileSystem& fs, INotifier& notifier, ImagingState* imaging = nullptr,
                    const SpeedSource* speed = nullptr);
    RecordingReader(const RecordingReader&) = delete;
    RecordingReader& operator=(const RecordingReader&) = delete;

    // False when the file cannot be played (the notifier has said why).
    bool open(const std::string& path);

    // Reads the next whole record into the document, stepping over damage.
    // False at the end of the file (or on a read error).
    bool readNext();
    // Runs the record just read through the pipeline.
    PingOutcome process();

    RecordingDocument& doc() { return doc_; }
    const RecordingCounts& counts() const { return counts_; }
    // Where the reading is, of how many bytes, for progress.
    std::uint64_t position() const { return doc_.dataFile.recordPosition; }
    std::uint64_t usableLength() const { return doc_.dataFile.usableLength; }
    // The last record's head blocks (damaged ones are not taken).
    const ReadResult& lastRead() const { return lastRead_; }

private:
    RecordingDocument doc_;
    CReadWriteFiles files_;
    PingPipeline pipeline_;
    RecordingCounts counts_;
    ReadResult lastRead_;
    std::uint32_t tickMs_ = 0;  // the ping clock, advanced by each record's interval
};

}  // namespace hx
