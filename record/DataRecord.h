// One record of the sonar data file ("*.642") as a value, and its byte codec.
// A file is nothing but records back to back; each begins with the magic
// "642" so that a reader can find record starts again after damage.
//
// A record, all integers little-endian:
//
//   header             256 bytes   (field offsets below)
//   head blocks        2384 bytes for each available head, in head order L, M, H, ES
//   sentence block     1024 bytes  ten 100-byte NUL-terminated slots, then 24 zeros
//   system information  256 bytes  only when header byte 54 is 1
//
// Header:
//   0 "642"   3 0   4 ping u32   8 record length u32   12 samples per side u16 (1000)
//   16 date "07-DEC-2026" [12]   28 time "14:05:09" [9]   37 milliseconds ".123" [5]
//   46 head count   47..50 head L/M/H/ES present   51 GPS type << 4 | 4
//   52 sentence block offset u16   54 system information present   55 its offset u16
//   57 orientation sensor present   64 event mark u16 (0x8000 | number, or 0)
//   66 15000 u16   70 ping cycle period in ms u16   everything else 0
// Head block:
//   0 "Sonar"   5 head number   6 data length u16 (2000)   10 frequency in Hz u32
//   14 range in m u16   18 gain step   20 transmit-control byte (0 for ES)
//   128 command message [128]   256 reply header [128]   384 echo line [2000]
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Heads.h"

namespace hx {

inline constexpr std::size_t kRecordHeaderBytes = 256;
inline constexpr std::size_t kHeadBlockBytes = 2384;
inline constexpr std::size_t kSentenceBlockBytes = 1024;
inline constexpr std::size_t kSentenceSlots = 10;
inline constexpr std::size_t kSentenceSlotBytes = 100;
inline constexpr std::size_t kMinRecordBytes = kRecordHeaderBytes + kSentenceBlockBytes;
inline constexpr std::size_t kMaxRecordBytes =
    kRecordHeaderBytes + kHeadCount * kHeadBlockBytes + kSentenceBlockBytes + kSystemInfoBytes;  // 11072
inline constexpr std::uint16_t kEventMarkFlag = 0x8000;

using SentenceSlots = std::array<std::string, kSentenceSlots>;

// Header field offsets.
namespace rec {
inline constexpr std::size_t kMagic = 0;
inline constexpr std::size_t kPingNumber = 4;
inline constexpr std::size_t kRecordLength = 8;
inline constexpr std::size_t kSamplesPerSide = 12;
inline constexpr std::size_t kDateText = 16;
inline constexpr std::size_t kDateTextBytes = 12;
inline constexpr std::size_t kTimeText = 28;
inline constexpr std::size_t kTimeTextBytes = 9;
inline constexpr std::size_t kMillisecondsText = 37;
inline constexpr std::size_t kMillisecondsTextBytes = 5;
inline constexpr std::size_t kHeadCount = 46;
inline constexpr std::size_t kHeadPresent = 47;  // four bytes, one per head
inline constexpr std::size_t kGpsType = 51;
inline constexpr std::size_t kSentenceOffset = 52;
inline constexpr std::size_t kSystemInfoPresent = 54;
inline constexpr std::size_t kSystemInfoOffset = 55;
inline constexpr std::size_t kOrientation = 57;
inline constexpr std::size_t kEventMark = 64;
inline constexpr std::size_t kConstant15000 = 66;
inline constexpr std::size_t kPingInterval = 70;

// Head block field offsets.
inline constexpr std::size_t kBlockTag = 0;
inline constexpr std::size_t kBlockHead = 5;
inline constexpr std::size_t kBlockDataLength = 6;
inline constexpr std::size_t kBlockFrequency = 10;
inline constexpr std::size_t kBlockRange = 14;
inline constexpr std::size_t kBlockGain = 18;
inline constexpr std::size_t kBlockXmitControl = 20;
inline constexpr std::size_t kBlockCommand = 128;
inline constexpr std::size_t kBlockReplyHeader = 256;
inline constexpr std::size_t kBlockEchoLine = 384;
}  // namespace rec

// What one head block carries.
struct HeadBlock {
    std::uint16_t dataLength = static_cast<std::uint16_t>(kEchoLineBytes);
    std::uint32_t frequencyHz = 0;
    std::uint16_t rangeM = 0;
    std::uint8_t gainStep = 0;
    std::uint8_t xmitControl = 0;  // sidescan heads only
    CommandMessage command{};
    ReplyHeader replyHeader{};
    std::array<std::uint8_t, kEchoLineBytes> echoLine{};
};

// One record. headPresent decides which blocks exist; the other blocks'
// contents are ignored on writing and left default on reading.
struct DataRecord {
    std::uint32_t pingNumber = 0;
    std::string dateText;          // "%02d-%s-%04d"
    std::string timeText;          // "%02d:%02d:%02d"
    std::string millisecondsText;  // ".%03d"
    std::array<bool, kHeadCount> headPresent{};
    int gpsType = 0;               // 0..15 (high nibble of byte 51)
    bool orientationAvailable = false;
    std::uint16_t eventMark = 0;   // 0x8000 | event number, or 0
    std::uint16_t pingIntervalMs = 0;
    std::array<HeadBlock, kHeadCount> heads{};
    SentenceSlots sentences;
    std::optional<SystemInfo> systemInfo;
};

int headBlockCount(const std::array<bool, kHeadCount>& present);
std::uint32_t recordLengthFor(int headBlocks, bool withSystemInfo);

// Appends the encoded record to out. An empty sentence slot 0 is written as
// "$GPS"; texts longer than their fields are cut so that a NUL always ends them.
void encodeRecord(const DataRecord& record, std::vector<std::uint8_t>& out);

// What a record header says about the record's shape, once it is known to be
// self-consistent: the magic is there, byte 54 is 0 or 1 and the length field
// equals the length that the head flags and byte 54 call for. Anything else is
// not taken for a record start.
struct RecordShape {
    std::uint32_t pingNumber = 0;
    std::uint32_t recordLength = 0;
    std::array<bool, kHeadCount> headPresent{};  // with "count 4 means all four" applied
    bool systemInfoPresent = false;
};
bool hasMagic(std::span<const std::uint8_t> bytes);
std::optional<RecordShape> checkRecordHeader(std::span<const std::uint8_t> header);

enum class BlockStatus : std::uint8_t {
    Absent,          // the head has no block in this record
    Ok,
    WrongHead,       // the block names another head; nothing of it is taken
    DataTooLong,     // data length above 2000; nothing of it is taken
};

struct DecodedRecord {
    DataRecord record;
    RecordShape shape;
    std::uint16_t samplesPerSide = 0;
    std::uint8_t headCountByte = 0;
    std::uint16_t sentenceBlockOffset = 0;  // as stored; 0 means "no sentence block"
    std::uint16_t systemInfoOffset = 0;     // as stored
    std::array<BlockStatus, kHeadCount> blocks{};
    bool damaged() const;
};

// Decodes a whole record (header included). Each block is read at its own
// computed offset, so a damaged block never shifts the ones after it.
// nullopt when the header is not a record start or the bytes are shorter
// than the length the header gives.
std::optional<DecodedRecord> decodeRecord(std::span<const std::uint8_t> bytes);

const char* blockStatusText(BlockStatus status);

}  // namespace hx
