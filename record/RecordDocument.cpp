#include "record/RecordDocument.h"

#include <algorithm>

#include "record/RecordTime.h"

namespace hx {

namespace {

std::uint16_t clampU16(std::int64_t v) { return static_cast<std::uint16_t>(std::clamp<std::int64_t>(v, 0, 0xFFFF)); }

void raiseAlarm(int& alarm) {
    if (alarm == 1) alarm = 2;
}

}  // namespace

DataRecord recordFromDocument(const RecordSources& src, std::uint32_t pingNumber, std::uint16_t eventMark) {
    DataRecord r;
    r.pingNumber = pingNumber;
    r.dateText = src.cycle.pingDateText;
    r.timeText = src.cycle.pingTimeText;
    r.millisecondsText = src.cycle.pingMillisecondsText;
    r.gpsType = src.gpsType;
    r.orientationAvailable = src.link.orientationAvailable != 0;
    r.eventMark = eventMark;
    r.pingIntervalMs = clampU16(src.cycle.pingInterval);
    for (int h = 0; h < kHeadCount; ++h) {
        r.headPresent[h] = src.heads.headAvailable[h] != 0;
        if (!r.headPresent[h]) continue;
        HeadBlock& b = r.heads[h];
        b.frequencyHz = static_cast<std::uint32_t>(src.heads.headFrequency[h]);
        b.rangeM = clampU16(h == kHeadES ? src.heads.echoSounderRange : src.heads.sideScanRange);
        b.gainStep = static_cast<std::uint8_t>(std::clamp(src.heads.headGain[h], 0, 255));
        b.xmitControl = src.heads.headXmitControl[h];
        b.command = src.heads.headCommand[h];
        b.replyHeader = src.heads.headReplyHeader[h];
        const auto& line = src.heads.headDisplayLine[h];
        std::copy_n(line.begin() + kEchoLineOffset, kEchoLineBytes, b.echoLine.begin());
    }
    r.sentences = src.sentences;
    if (src.link.sysInfoReceived) r.systemInfo = src.link.systemInfo;
    return r;
}

void applyRecordToDocument(const DecodedRecord& decoded, RecordTargets& dst) {
    const DataRecord& r = decoded.record;

    dst.cycle.pingDateText = r.dateText;
    dst.cycle.pingTimeText = r.timeText;
    dst.cycle.pingMillisecondsText = r.millisecondsText;
    takeRecordTime(r.dateText, r.timeText, r.millisecondsText, dst.cycle.pingClock);
    dst.cycle.pingInterval = r.pingIntervalMs;

    for (int h = 0; h < kHeadCount; ++h) dst.heads.headAvailable[h] = r.headPresent[h] ? 1 : 0;
    dst.link.availableHeadCount = headBlockCount(r.headPresent);
    dst.gpsType = r.gpsType;
    dst.link.orientationAvailable = r.orientationAvailable ? 1 : 0;
    dst.link.sysInfoReceived = r.systemInfo ? 1 : 0;
    if (r.systemInfo) {
        // Kept whole so that a copy made during playback carries its source's block.
        dst.link.systemInfo = *r.systemInfo;
        std::copy_n(r.systemInfo->begin() + 10, dst.link.headSerialNumber.size(), dst.link.headSerialNumber.begin());
    }

    for (int h = 0; h < kHeadCount; ++h) {
        if (decoded.blocks[h] != BlockStatus::Ok) continue;
        const HeadBlock& b = r.heads[h];
        dst.heads.headFrequency[h] = static_cast<std::int32_t>(b.frequencyHz);
        std::int32_t& range = h == kHeadES ? dst.heads.echoSounderRange : dst.heads.sideScanRange;
        if (range != b.rangeM) {
            range = b.rangeM;
            raiseAlarm(dst.settingsChangeAlarm);
        }
        dst.heads.headGain[h] = b.gainStep;
        if (h != kHeadES && dst.heads.headXmitControl[h] != b.xmitControl) {
            dst.heads.headXmitControl[h] = b.xmitControl;
            raiseAlarm(dst.settingsChangeAlarm);
        }
        dst.heads.headCommand[h] = b.command;
        dst.heads.headReplyHeader[h] = b.replyHeader;
        std::copy_n(b.echoLine.begin(), b.dataLength, dst.heads.headDisplayLine[h].begin() + kEchoLineOffset);
    }

    if (decoded.sentenceBlockOffset > 0) dst.sentences = r.sentences;
}

}  // namespace hx
