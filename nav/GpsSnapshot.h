// What the user-interface thread receives after each GPS read: an immutable
// copy of the fix, its texts, the sentence slots, the sentence history and
// the diagnostics. The reader builds a fresh one per read; nobody writes a
// snapshot after it has been handed over.
#pragma once

#include <cstdint>
#include <string>

#include "nav/GpsFix.h"

namespace hx {

struct GpsSnapshot {
    GpsFix fix;
    GpsSentenceSlots gpsSentences{};
    GpsSentenceHistory sentenceHistory{};
    int historyCount = 0;
    std::string qualityText = kNotAvailableText;
    std::int32_t satellitesInUse = 0;
    // This read published a position: the track plotter takes it.
    bool positionPublished = false;
    std::uint32_t bytesRead = 0;
    // The source (port, gpsd connection, UDP socket) was open for this read.
    bool sourceOpen = false;
};

}  // namespace hx
