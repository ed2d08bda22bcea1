// What one record of a recording says in XTF terms: the file's channels from
// the heads present, and a sonar packet from the record as the pipeline left
// it in the document (samples, ranges, gains, the replayed GPS fix, the
// sensor's attitude and the altitude).
#pragma once

#include "export/XtfChannels.h"
#include "export/XtfInput.h"
#include "session/RecordingReader.h"

namespace hx {

SideScanPresence sideScanHeadsOf(const HeadTable& heads);

XtfFileInfo xtfFileInfoFor(const RecordingDocument& doc, const std::string& sourceName,
                           const std::string& programVersion);

// The sonar packet of the record in doc for the channels of a file made for
// fileHeads (a head the record lacks, or the file does not have, sends
// nothing). Its sample spans point into doc, which must not change until the
// packet is written.
XtfPing xtfPingFor(const RecordingDocument& doc, const SideScanPresence& fileHeads, const UtcTime& time);

// The attitude the sensor block gave, when the record has the sensor.
std::optional<XtfAttitude> xtfAttitudeFor(const RecordingDocument& doc, const UtcTime& time);

}  // namespace hx
