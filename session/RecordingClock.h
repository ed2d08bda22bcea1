// UTC times for a recording's records. A record carries the surface
// computer's local time of its ping, to the millisecond; the exports want
// UTC. The zone offset comes from the recording itself where it can: the
// first GPS time and date it carries (an RMC sentence) against the local
// time of that record, rounded to the quarter hour that time zones use.
// A recording without one falls back to this machine's time zone.
#pragma once

#include <cstdint>
#include <optional>

#include <string>

#include "core/LocalTime.h"
#include "core/Notifier.h"
#include "export/UtcTime.h"
#include "nav/GpsFix.h"
#include "record/FileAccess.h"

namespace hx {

struct RecordingClock {
    std::int64_t zoneOffsetSeconds = 0;  // UTC = local - offset
    bool fromGps = false;                // the offset came from the recording's GPS time
};

// The GPS fix's UTC date and time ("%02d:%02d:%02d", "%02d-%s-%04d"), or
// nullopt while either text is missing or not a real date.
std::optional<UtcTime> gpsUtcTime(const GpsFix& fix);

// The local time's offset from UTC given the GPS's UTC at the same moment,
// rounded to the nearest quarter hour.
std::int64_t zoneOffsetFrom(const LocalTime& local, const UtcTime& gpsUtc);

// This machine's zone offset at that local time.
std::int64_t machineZoneOffset(const LocalTime& local);

UtcTime toUtc(const LocalTime& local, const RecordingClock& clock);

// The clock of a recording: the offset from the first record (among its
// first few thousand) that carries a GPS time and date, else this machine's
// zone at the first record's time.
RecordingClock findRecordingClock(const std::string& path, IFileSystem& fs, INotifier& notifier);

}  // namespace hx
