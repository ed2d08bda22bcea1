#include "export/XtfReader.h"

#include <array>

#include "core/ByteIO.h"
#include "export/XtfDecode.h"
#include "export/XtfFormat.h"

namespace hx {

namespace {

struct PacketStart {
    std::uint16_t magic = 0;
    XtfPacketInfo info;
};

PacketStart readPacketStart(std::span<const std::uint8_t> b, std::uint64_t offset) {
    ByteReader r(b);
    PacketStart s;
    s.magic = r.u16();
    s.info.offset = offset;
    s.info.headerType = r.u8();
    s.info.subChannelNumber = r.u8();
    s.info.numChansToFollow = r.u16();
    r.skip(4);
    s.info.bytes = r.u32();
    return s;
}

class Scanner {
public:
    Scanner(IByteSource& source, IXtfVisitor& visitor, XtfReadReport& report)
        : src_(source), visitor_(visitor), report_(report) {}

    void run() {
        if (!readHeader()) return;
        std::uint64_t pos = report_.headerBytes;
        while (pos < size()) pos = step(pos);
    }

private:
    std::uint64_t size() const { return report_.fileBytes; }

    bool readAll(std::uint64_t offset, std::span<std::uint8_t> out) { return src_.readAt(offset, out) == out.size(); }

    void damage(std::uint64_t offset, std::uint64_t skipped, std::string what) {
        ++report_.damageCount;
        if (report_.damage.size() < kMaxListedDamage) report_.damage.push_back({offset, skipped, std::move(what)});
    }

    bool readHeader() {
        std::array<std::uint8_t, kXtfHeaderFieldBytes> first{};
        const std::size_t got = src_.readAt(0, first);
        std::string reason;
        const std::size_t headerBytes = xtfHeaderSize(std::span(first).first(got), reason);
        if (headerBytes == 0 || headerBytes > size()) {
            report_.headerError = headerBytes == 0 ? reason : "the file ends inside its " + std::to_string(headerBytes) + "-byte header";
            report_.skippedBytes = size();
            return false;
        }
        buffer_.resize(headerBytes);
        if (!readAll(0, buffer_) || !decodeXtfFileHeader(buffer_, header_, reason)) {
            report_.headerError = reason.empty() ? "the file header cannot be read" : reason;
            report_.skippedBytes = size();
            return false;
        }
        report_.headerOk = true;
        report_.headerBytes = headerBytes;
        visitor_.onHeader(header_);
        return true;
    }

    // Why the packet start at offset cannot be a packet, or empty.
    std::string frameProblem(const PacketStart& s, std::uint64_t offset) const {
        const std::uint64_t left = size() - offset;
        if (s.magic != kXtfMagic) return "no packet magic";
        if (s.info.bytes < kXtfPacketStartBytes)
            return "packet size " + std::to_string(s.info.bytes) + " is smaller than a packet start";
        if (s.info.bytes > kXtfMaxPacketBytes) return "impossible packet size " + std::to_string(s.info.bytes);
        if (s.info.bytes > left)
            return "packet of " + std::to_string(s.info.bytes) + " bytes but only " + std::to_string(left) +
                   " left in the file";
        return {};
    }

    // The next offset after from where a plausible packet starts, or the
    // end of the file.
    std::uint64_t resync(std::uint64_t from) {
        std::array<std::uint8_t, 1 << 16> chunk{};
        std::uint64_t at = from;
        while (at + kXtfPacketStartBytes <= size()) {
            const std::size_t got = src_.readAt(at, chunk);
            if (got < 2) break;
            for (std::size_t i = 0; i + 1 < got; ++i) {
                if (chunk[i] != 0xCE || chunk[i + 1] != 0xFA) continue;
                const std::uint64_t candidate = at + i;
                std::array<std::uint8_t, kXtfPacketStartBytes> start{};
                if (candidate + start.size() > size() || !readAll(candidate, start)) return size();
                if (frameProblem(readPacketStart(start, candidate), candidate).empty()) return candidate;
            }
            at += got - 1;  // keep the last byte: it may begin the magic
        }
        return size();
    }

    std::uint64_t step(std::uint64_t pos) {
        const std::uint64_t left = size() - pos;
        if (left < kXtfPacketStartBytes) {
            damage(pos, left, std::to_string(left) + " bytes after the last packet, too few for a packet start");
            report_.skippedBytes += left;
            return size();
        }
        std::array<std::uint8_t, kXtfPacketStartBytes> startBytes{};
        if (!readAll(pos, startBytes)) return skipRest(pos, "the file cannot be read here");
        const PacketStart s = readPacketStart(startBytes, pos);
        if (const std::string problem = frameProblem(s, pos); !problem.empty()) {
            const std::uint64_t next = resync(pos + 1);
            damage(pos, next - pos, problem);
            report_.skippedBytes += next - pos;
            return next;
        }
        buffer_.resize(s.info.bytes);
        if (!readAll(pos, buffer_)) return skipRest(pos, "the file cannot be read here");

        XtfPacketTally& tally = report_.packets[s.info.headerType];
        ++tally.count;
        tally.bytes += s.info.bytes;
        visitor_.onPacket(s.info);
        decode(s.info);
        return pos + s.info.bytes;
    }

    std::uint64_t skipRest(std::uint64_t pos, const std::string& why) {
        damage(pos, size() - pos, why);
        report_.skippedBytes += size() - pos;
        return size();
    }

    void decode(const XtfPacketInfo& info) {
        std::string reason;
        bool ok = true;
        switch (info.headerType) {
        case kXtfSonar:
            ping_.offset = info.offset;
            if ((ok = decodeXtfPing(buffer_, header_, ping_, reason))) visitor_.onPing(ping_);
            break;
        case kXtfNotes: {
            XtfNoteRecord note;
            note.offset = info.offset;
            if ((ok = decodeXtfNote(buffer_, note, reason))) visitor_.onNote(note);
            break;
        }
        case kXtfRawSerial: {
            XtfSerialRecord serial;
            serial.offset = info.offset;
            if ((ok = decodeXtfSerial(buffer_, serial, reason))) visitor_.onSerial(serial);
            break;
        }
        case kXtfAttitude: {
            XtfAttitudeRecord attitude;
            attitude.offset = info.offset;
            if ((ok = decodeXtfAttitude(buffer_, attitude, reason))) visitor_.onAttitude(attitude);
            break;
        }
        default:
            break;  // a type this reader does not decode: skipped by its size
        }
        if (!ok) {
            ++report_.damagedPackets;
            damage(info.offset, 0, reason);
        }
    }

    IByteSource& src_;
    IXtfVisitor& visitor_;
    XtfReadReport& report_;
    XtfFileHeader header_;
    XtfPingRecord ping_;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace

std::uint64_t XtfReadReport::packetBytes() const {
    std::uint64_t sum = 0;
    for (const auto& [type, tally] : packets) sum += tally.bytes;
    return sum;
}

XtfReadReport readXtf(IByteSource& source, IXtfVisitor& visitor) {
    XtfReadReport report;
    report.fileBytes = source.size();
    Scanner(source, visitor, report).run();
    return report;
}

std::string xtfPacketTypeName(std::uint8_t headerType) {
    switch (headerType) {
    case kXtfSonar: return "sonar";
    case kXtfNotes: return "notes";
    case 2: return "bathymetry";
    case kXtfAttitude: return "attitude";
    case kXtfRawSerial: return "raw serial";
    default: return "type " + std::to_string(headerType);
    }
}

}  // namespace hx
