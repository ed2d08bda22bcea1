// A reader visitor that keeps copies of everything it is shown, for tests.
#pragma once

#include <vector>

#include "export/XtfReader.h"

namespace hx::xtftest {

struct CollectedPing {
    XtfPingRecord record;  // channel spans cleared: they die with the call
    std::vector<std::vector<std::uint32_t>> samples;
};

class XtfCollector : public IXtfVisitor {
public:
    void onHeader(const XtfFileHeader& h) override { header = h; }
    void onPacket(const XtfPacketInfo& p) override { packets.push_back(p); }
    void onPing(const XtfPingRecord& r) override {
        CollectedPing c{r, {}};
        for (auto& ch : c.record.channels) {
            std::vector<std::uint32_t> s(ch.header.numSamples);
            for (std::size_t i = 0; i < s.size(); ++i) s[i] = ch.sample(i);
            c.samples.push_back(std::move(s));
            ch.sampleBytes = {};
        }
        pings.push_back(std::move(c));
    }
    void onNote(const XtfNoteRecord& n) override { notes.push_back(n); }
    void onSerial(const XtfSerialRecord& s) override { serials.push_back(s); }
    void onAttitude(const XtfAttitudeRecord& a) override { attitudes.push_back(a); }

    XtfFileHeader header;
    std::vector<XtfPacketInfo> packets;
    std::vector<CollectedPing> pings;
    std::vector<XtfNoteRecord> notes;
    std::vector<XtfSerialRecord> serials;
    std::vector<XtfAttitudeRecord> attitudes;
};

}  // namespace hx::xtftest
