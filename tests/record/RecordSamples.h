// A document's worth of record inputs with recognisable contents, for the
// record tests.
#pragma once

#include <vector>

#include "link/LinkState.h"
#include "record/DataRecord.h"
#include "record/RecordDocument.h"

namespace hx::rectest {

struct SampleDocument {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    SentenceSlots sentences;
    int gpsType = 2;
    int settingsChangeAlarm = 0;

    SampleDocument();
    // Gives every head's command, reply header and echo line contents that
    // depend on the ping, and stamps the cycle.
    void fillForPing(std::uint32_t ping);
    void setHeads(std::array<bool, kHeadCount> present);
    void setSystemInfo(bool received);

    RecordSources sources() const { return {heads, link, cycle, sentences, gpsType}; }
    RecordTargets targets() { return {heads, link, cycle, sentences, gpsType, settingsChangeAlarm}; }
};

// One encoded record of the sample document at that ping.
std::vector<std::uint8_t> sampleRecordBytes(SampleDocument& doc, std::uint32_t ping, std::uint16_t eventMark = 0);

// All 16 sets of heads, by bit h = head h.
std::array<bool, kHeadCount> headSet(unsigned bits);

}  // namespace hx::rectest
