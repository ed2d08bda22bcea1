#include "record/DataRecord.h"

#include <algorithm>
#include <string_view>

#include "core/ByteIO.h"

namespace hx {

namespace {

constexpr std::string_view kMagicText = "642";
constexpr std::string_view kBlockTagText = "Sonar";
constexpr std::string_view kNoGpsText = "$GPS";

std::uint16_t u16(const std::span<const std::uint8_t> b, std::size_t at) { return readU16Le(b, at).value_or(0); }
std::uint32_t u32(const std::span<const std::uint8_t> b, std::size_t at) { return readU32Le(b, at).value_or(0); }
std::uint8_t u8(const std::span<const std::uint8_t> b, std::size_t at) { return readU8(b, at).value_or(0); }

std::string textField(std::span<const std::uint8_t> b, std::size_t at, std::size_t n) {
    ByteReader r(b.subspan(at, n));
    return r.text(n);
}

void writeText(std::span<std::uint8_t> dst, std::string_view s) {
    // Cut so that the last byte of the field stays NUL.
    const std::size_t n = std::min(s.size(), dst.size() - 1);
    std::copy_n(s.begin(), n, dst.begin());
}

void encodeHeadBlock(int head, const HeadBlock& block, std::span<std::uint8_t> out) {
    writeText(out.subspan(rec::kBlockTag, kBlockTagText.size() + 1), kBlockTagText);
    writeU8(out, rec::kBlockHead, static_cast<std::uint8_t>(head));
    writeU16Le(out, rec::kBlockDataLength, static_cast<std::uint16_t>(kEchoLineBytes));
    writeU32Le(out, rec::kBlockFrequency, block.frequencyHz);
    writeU16Le(out, rec::kBlockRange, block.rangeM);
    writeU8(out, rec::kBlockGain, block.gainStep);
    writeU8(out, rec::kBlockXmitControl, head == kHeadES ? 0 : block.xmitControl);
    std::copy(block.command.begin(), block.command.end(), out.begin() + rec::kBlockCommand);
    std::copy(block.replyHeader.begin(), block.replyHeader.end(), out.begin() + rec::kBlockReplyHeader);
    std::copy(block.echoLine.begin(), block.echoLine.end(), out.begin() + rec::kBlockEchoLine);
}

BlockStatus decodeHeadBlock(int head, std::span<const std::uint8_t> in, HeadBlock& block) {
    if (u8(in, rec::kBlockHead) != head) return BlockStatus::WrongHead;
    block.dataLength = u16(in, rec::kBlockDataLength);
    block.frequencyHz = u32(in, rec::kBlockFrequency);
    block.rangeM = u16(in, rec::kBlockRange);
    block.gainStep = u8(in, rec::kBlockGain);
    block.xmitControl = u8(in, rec::kBlockXmitControl);
    std::copy_n(in.begin() + rec::kBlockCommand, kCommandBytes, block.command.begin());
    std::copy_n(in.begin() + rec::kBlockReplyHeader, kReplyHeaderBytes, block.replyHeader.begin());
    // The display line holds 2000 samples after its first 24 bytes; a longer
    // block cannot be ours.
    if (block.dataLength > kEchoLineBytes) return BlockStatus::DataTooLong;
    std::copy_n(in.begin() + rec::kBlockEchoLine, block.dataLength, block.echoLine.begin());
    return BlockStatus::Ok;
}

}  // namespace

int headBlockCount(const std::array<bool, kHeadCount>& present) {
    return static_cast<int>(std::count(present.begin(), present.end(), true));
}

std::uint32_t recordLengthFor(int headBlocks, bool withSystemInfo) {
    return static_cast<std::uint32_t>(kRecordHeaderBytes + kHeadBlockBytes * static_cast<std::size_t>(headBlocks) +
                                      kSentenceBlockBytes + (withSystemInfo ? kSystemInfoBytes : 0));
}

void encodeRecord(const DataRecord& record, std::vector<std::uint8_t>& out) {
    const int blocks = headBlockCount(record.headPresent);
    const bool withSystemInfo = record.systemInfo.has_value();
    const std::uint32_t length = recordLengthFor(blocks, withSystemInfo);
    const auto sentenceOffset = static_cast<std::uint16_t>(kRecordHeaderBytes + kHeadBlockBytes * blocks);
    const auto systemInfoOffset =
        static_cast<std::uint16_t>(withSystemInfo ? sentenceOffset + kSentenceBlockBytes : 0);

    const std::size_t start = out.size();
    out.resize(start + length, 0);
    std::span<std::uint8_t> dst(out.data() + start, length);

    std::span<std::uint8_t> header = dst.first(kRecordHeaderBytes);
    std::copy(kMagicText.begin(), kMagicText.end(), header.begin());
    writeU32Le(header, rec::kPingNumber, record.pingNumber);
    writeU32Le(header, rec::kRecordLength, length);
    writeU16Le(header, rec::kSamplesPerSide, static_cast<std::uint16_t>(kSideDataPoints));
    writeText(header.subspan(rec::kDateText, rec::kDateTextBytes), record.dateText);
    writeText(header.subspan(rec::kTimeText, rec::kTimeTextBytes), record.timeText);
    writeText(header.subspan(rec::kMillisecondsText, rec::kMillisecondsTextBytes), record.millisecondsText);
    writeU8(header, rec::kHeadCount, static_cast<std::uint8_t>(blocks));
    for (int h = 0; h < kHeadCount; ++h)
        writeU8(header, rec::kHeadPresent + static_cast<std::size_t>(h), record.headPresent[h] ? 1 : 0);
    writeU8(header, rec::kGpsType, static_cast<std::uint8_t>(((record.gpsType & 0x0F) << 4) | 0x04));
    writeU16Le(header, rec::kSentenceOffset, sentenceOffset);
    writeU8(header, rec::kSystemInfoPresent, withSystemInfo ? 1 : 0);
    writeU16Le(header, rec::kSystemInfoOffset, systemInfoOffset);
    writeU8(header, rec::kOrientation, record.orientationAvailable ? 1 : 0);
    writeU16Le(header, rec::kEventMark, record.eventMark);
    writeU16Le(header, rec::kConstant15000, 15000);
    writeU16Le(header, rec::kPingInterval, record.pingIntervalMs);

    std::size_t at = kRecordHeaderBytes;
    for (int h = 0; h < kHeadCount; ++h) {
        if (!record.headPresent[h]) continue;
        encodeHeadBlock(h, record.heads[h], dst.subspan(at, kHeadBlockBytes));
        at += kHeadBlockBytes;
    }

    std::span<std::uint8_t> sentences = dst.subspan(at, kSentenceBlockBytes);
    for (std::size_t i = 0; i < kSentenceSlots; ++i) {
        std::string_view text = record.sentences[i];
        if (i == 0 && text.empty()) text = kNoGpsText;
        writeText(sentences.subspan(i * kSentenceSlotBytes, kSentenceSlotBytes), text);
    }
    at += kSentenceBlockBytes;

    if (withSystemInfo) std::copy(record.systemInfo->begin(), record.systemInfo->end(), dst.begin() + static_cast<std::ptrdiff_t>(at));
}

bool hasMagic(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kMagicText.size() &&
           std::equal(kMagicText.begin(), kMagicText.end(), bytes.begin());
}

std::optional<RecordShape> checkRecordHeader(std::span<const std::uint8_t> header) {
    if (header.size() < kRecordHeaderBytes || !hasMagic(header)) return std::nullopt;
    const std::uint8_t systemInfoByte = u8(header, rec::kSystemInfoPresent);
    if (systemInfoByte > 1) return std::nullopt;

    RecordShape shape;
    shape.pingNumber = u32(header, rec::kPingNumber);
    shape.recordLength = u32(header, rec::kRecordLength);
    shape.systemInfoPresent = systemInfoByte == 1;
    const bool allFour = u8(header, rec::kHeadCount) == kHeadCount;
    for (int h = 0; h < kHeadCount; ++h)
        shape.headPresent[h] = allFour || u8(header, rec::kHeadPresent + static_cast<std::size_t>(h)) != 0;

    if (shape.recordLength != recordLengthFor(headBlockCount(shape.headPresent), shape.systemInfoPresent))
        return std::nullopt;
    return shape;
}

bool DecodedRecord::damaged() const {
    return std::any_of(blocks.begin(), blocks.end(),
                       [](BlockStatus s) { return s == BlockStatus::WrongHead || s == BlockStatus::DataTooLong; });
}

std::optional<DecodedRecord> decodeRecord(std::span<const std::uint8_t> bytes) {
    auto shape = checkRecordHeader(bytes);
    if (!shape || bytes.size() < shape->recordLength) return std::nullopt;
    const auto src = bytes.first(shape->recordLength);

    DecodedRecord out;
    out.shape = *shape;
    DataRecord& r = out.record;
    r.pingNumber = shape->pingNumber;
    r.headPresent = shape->headPresent;
    out.samplesPerSide = u16(src, rec::kSamplesPerSide);
    r.dateText = textField(src, rec::kDateText, rec::kDateTextBytes);
    r.timeText = textField(src, rec::kTimeText, rec::kTimeTextBytes);
    r.millisecondsText = textField(src, rec::kMillisecondsText, rec::kMillisecondsTextBytes);
    out.headCountByte = u8(src, rec::kHeadCount);
    r.gpsType = u8(src, rec::kGpsType) >> 4;
    out.sentenceBlockOffset = u16(src, rec::kSentenceOffset);
    out.systemInfoOffset = u16(src, rec::kSystemInfoOffset);
    r.orientationAvailable = u8(src, rec::kOrientation) != 0;
    r.eventMark = u16(src, rec::kEventMark);
    r.pingIntervalMs = u16(src, rec::kPingInterval);

    std::size_t at = kRecordHeaderBytes;
    for (int h = 0; h < kHeadCount; ++h) {
        if (!shape->headPresent[h]) {
            out.blocks[h] = BlockStatus::Absent;
            continue;
        }
        out.blocks[h] = decodeHeadBlock(h, src.subspan(at, kHeadBlockBytes), r.heads[h]);
        at += kHeadBlockBytes;
    }

    if (out.sentenceBlockOffset > 0) {
        const auto sentences = src.subspan(at, kSentenceBlockBytes);
        for (std::size_t i = 0; i < kSentenceSlots; ++i)
            r.sentences[i] = textField(sentences, i * kSentenceSlotBytes, kSentenceSlotBytes);
    }
    at += kSentenceBlockBytes;

    if (shape->systemInfoPresent) {
        SystemInfo info{};
        std::copy_n(src.begin() + static_cast<std::ptrdiff_t>(at), kSystemInfoBytes, info.begin());
        r.systemInfo = info;
    }
    return out;
}

const char* blockStatusText(BlockStatus status) {
    switch (status) {
        case BlockStatus::Absent: return "absent";
        case BlockStatus::Ok: return "ok";
        case BlockStatus::WrongHead: return "names another head";
        case BlockStatus::DataTooLong: return "data length above 2000";
    }
    return "?";
}

}  // namespace hx
