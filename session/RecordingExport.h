// A recording turned into files that survey software reads, in one pass
// through the ping pipeline: XTF (a sonar packet per ping with its position,
// speed, course, attitude and altitude; the raw NMEA of each GPS read; an
// attitude packet per sensor reading; a note per event at its ping), and the
// track and the events as GPX, KML or CSV. Times are UTC (RecordingClock).
// Every output file appears only when whole; a failure names its cause.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/Notifier.h"
#include "record/FileAccess.h"

namespace hx {

struct ExportRequest {
    std::string recordingPath;
    std::optional<std::string> xtfPath;
    std::optional<std::string> trackPath;   // .gpx, .kml or .csv
    std::optional<std::string> eventsPath;  // .gpx, .kml or .csv
    // Only the pings from firstPing to lastPing (record ping numbers).
    std::optional<std::uint32_t> firstPing;
    std::optional<std::uint32_t> lastPing;
    std::string programVersion;  // written into the XTF header
    // Asked before each record; true stops the pass and writes nothing. It
    // may be called on a worker thread.
    std::function<bool()> cancelRequested;
};

struct ExportReport {
    bool ok = false;
    std::string error;  // why nothing (or not everything) was written

    std::uint64_t records = 0;         // whole records read
    std::uint64_t pings = 0;           // sonar packets written
    std::uint64_t damagedSkipped = 0;  // damaged places and records with a damaged head block
    std::uint64_t rejected = 0;        // records whose status bytes carry error flags
    std::uint64_t outOfRange = 0;      // records outside the ping range asked for
    std::uint64_t serialPackets = 0;
    std::uint64_t attitudePackets = 0;
    std::uint64_t notes = 0;
    std::uint64_t trackPoints = 0;
    std::uint64_t events = 0;
    bool zoneFromGps = false;          // UTC from the recording's GPS time, else this machine's zone
    bool cancelled = false;            // stopped on request: no file was written
};

// done and total are bytes of the recording.
using ExportProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

ExportReport ExportRecording(const ExportRequest& request, IFileSystem& fs, INotifier& notifier,
                             const ExportProgress& progress = {});

}  // namespace hx
