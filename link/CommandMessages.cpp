#include "link/CommandMessages.h"

#include "core/ByteIO.h"

namespace hx {

void buildCommandTemplates(HeadTable& heads, LinkFields& link) {
    heads.sideScanRange = 50;
    heads.sideScanRangeIndex = 9;
    heads.echoSounderRange = 50;
    heads.echoSounderRangeIndex = 9;
    link.commandLength = static_cast<std::int32_t>(kCommandBytes);
    link.replyHeaderLength = static_cast<std::int32_t>(kReplyHeaderBytes);
    link.sideDataPoints = static_cast<std::int32_t>(kSideDataPoints);
    heads.headGain.fill(6);
    heads.headXmitControl.fill(0x10);

    CommandMessage& first = heads.headCommand[kHeadL];
    first.fill(0);
    first[0] = 0xFE;
    first[kCommandCodeOffset] = kCommandDataRequest;
    first[kHalfSelectorOffset] = kHalfFirst;
    first[kXmitControlOffset] = 0x10;
    first[kHeadKindOffset] = 0x00;
    first[kGainOffset] = 6;
    first[50] = 0x10;
    first[52] = 0x01;
    first[127] = 0xFD;
    for (int h = 1; h < kHeadCount; ++h) heads.headCommand[static_cast<std::size_t>(h)] = first;

    first[36] = 0x0A;
    for (int h = kHeadL; h <= kHeadH; ++h)
        writeU16Le(heads.headCommand[static_cast<std::size_t>(h)], kRangeOffset,
                   static_cast<std::uint16_t>(heads.sideScanRange));
    heads.headCommand[kHeadES][kHeadKindOffset] = 0x80;

    heads.headFrequency = {120000, 260000, 675000, 200000};
}

void updateCommandsFromSettings(HeadTable& heads) {
    for (int h = 0; h < kHeadCount; ++h) {
        const auto i = static_cast<std::size_t>(h);
        CommandMessage& cmd = heads.headCommand[i];
        cmd[kXmitControlOffset] = heads.headXmitControl[i];
        cmd[kGainOffset] = static_cast<std::uint8_t>(heads.headGain[i] & 0xFF);
        writeU16Le(cmd, kRangeOffset, static_cast<std::uint16_t>(heads.sideScanRange & 0xFFFF));
        writeU32Le(cmd, kFrequencyOffset, static_cast<std::uint32_t>(heads.headFrequency[i]));
    }
    writeU16Le(heads.headCommand[kHeadES], kRangeOffset, static_cast<std::uint16_t>(heads.echoSounderRange & 0xFFFF));
}

}  // namespace hx
