#include "RecordSamples.h"

namespace hx::rectest {

SampleDocument::SampleDocument() {
    sentences[0] = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
    sentences[1] = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48";
    link.orientationAvailable = 1;
    cycle.pingInterval = 180;
    fillForPing(1);
}

void SampleDocument::fillForPing(std::uint32_t ping) {
    for (int h = 0; h < kHeadCount; ++h) {
        const auto seed = static_cast<std::uint8_t>(ping * 7 + static_cast<std::uint32_t>(h) * 31);
        for (std::size_t i = 0; i < kCommandBytes; ++i) heads.headCommand[h][i] = static_cast<std::uint8_t>(seed + i);
        for (std::size_t i = 0; i < kReplyHeaderBytes; ++i)
            heads.headReplyHeader[h][i] = static_cast<std::uint8_t>(seed ^ i);
        for (std::size_t i = 0; i < kDisplayLineBytes; ++i)
            heads.headDisplayLine[h][i] = static_cast<std::uint8_t>(seed + 3 * i);
    }
    LocalTime t{2026, 12, 1, 7, 14, static_cast<std::uint16_t>(ping / 60 % 60), static_cast<std::uint16_t>(ping % 60),
                static_cast<std::uint16_t>(ping * 37 % 1000)};
    cycle.pingTime = t;
    cycle.pingDateText = formatDateText(t);
    cycle.pingTimeText = formatTimeText(t);
    cycle.pingMillisecondsText = formatMillisecondsText(t);
}

void SampleDocument::setHeads(std::array<bool, kHeadCount> present) {
    int n = 0;
    for (int h = 0; h < kHeadCount; ++h) {
        heads.headAvailable[h] = present[h] ? 1 : 0;
        n += present[h] ? 1 : 0;
    }
    link.availableHeadCount = n;
}

void SampleDocument::setSystemInfo(bool received) {
    link.sysInfoReceived = received ? 1 : 0;
    for (std::size_t i = 0; i < kSystemInfoBytes; ++i) link.systemInfo[i] = static_cast<std::uint8_t>(255 - i);
    link.systemInfo[0] = 'T';
    link.systemInfo[1] = 'Q';
    link.systemInfo[2] = 'Z';
}

std::vector<std::uint8_t> sampleRecordBytes(SampleDocument& doc, std::uint32_t ping, std::uint16_t eventMark) {
    doc.fillForPing(ping);
    std::vector<std::uint8_t> out;
    encodeRecord(recordFromDocument(doc.sources(), ping, eventMark), out);
    return out;
}

std::array<bool, kHeadCount> headSet(unsigned bits) {
    return {(bits & 1u) != 0, (bits & 2u) != 0, (bits & 4u) != 0, (bits & 8u) != 0};
}

}  // namespace hx::rectest
