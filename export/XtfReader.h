// Reads a whole XTF file packet by packet: the file header, then every
// packet framed by its magic and size, decoded where the type is known
// (sonar, notes, attitude, raw serial) and skipped by its size otherwise.
// Every byte is accounted for: header + packets + skipped = file size.
// Damage (bad magic, impossible sizes, a cut-off end, a packet whose
// contents do not fit it) is reported with its offset; the reader then
// searches forwards for the next plausible packet start. It never reads
// outside the file or outside a packet.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "export/ByteSource.h"
#include "export/XtfRecords.h"

namespace hx {

class IXtfVisitor {
public:
    virtual ~IXtfVisitor() = default;
    virtual void onHeader(const XtfFileHeader&) {}
    virtual void onPacket(const XtfPacketInfo&) {}
    virtual void onPing(const XtfPingRecord&) {}
    virtual void onNote(const XtfNoteRecord&) {}
    virtual void onSerial(const XtfSerialRecord&) {}
    virtual void onAttitude(const XtfAttitudeRecord&) {}
};

struct XtfDamage {
    std::uint64_t offset = 0;
    std::uint64_t skippedBytes = 0;  // 0 when the packet kept its frame but not its contents
    std::string what;
};

struct XtfPacketTally {
    std::uint64_t count = 0;
    std::uint64_t bytes = 0;
};

struct XtfReadReport {
    bool headerOk = false;
    std::string headerError;
    std::uint64_t fileBytes = 0;
    std::uint64_t headerBytes = 0;
    std::map<std::uint8_t, XtfPacketTally> packets;  // by packet type, damaged ones included
    std::uint64_t damagedPackets = 0;
    std::uint64_t skippedBytes = 0;                   // outside any packet
    std::uint64_t damageCount = 0;                    // may exceed damage.size()
    std::vector<XtfDamage> damage;                    // the first kMaxListedDamage

    std::uint64_t packetBytes() const;
    bool accountsForEveryByte() const { return headerBytes + packetBytes() + skippedBytes == fileBytes; }
};

inline constexpr std::size_t kMaxListedDamage = 1000;
inline constexpr std::uint32_t kXtfMaxPacketBytes = 64u << 20;

XtfReadReport readXtf(IByteSource& source, IXtfVisitor& visitor);

// "Sonar" and the like, or "type 42".
std::string xtfPacketTypeName(std::uint8_t headerType);

}  // namespace hx
