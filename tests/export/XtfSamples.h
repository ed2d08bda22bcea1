// Sample inputs for the XTF tests: a six-channel file description as the
// three sidescan heads give it, and pings whose samples differ per ping,
// channel and sample, so that a misplaced byte shows.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "export/XtfInput.h"
#include "export/XtfWriter.h"

namespace hx::xtftest {

inline XtfFileInfo sixChannelInfo() {
    XtfFileInfo info;
    info.programVersion = "0.1.0";
    info.serialNumber = "A12345";
    info.sourceFileName = "survey-0001.642";
    const char* names[] = {"L PORT", "L STBD", "M PORT", "M STBD", "H PORT", "H STBD"};
    const double kHz[] = {120.0, 120.0, 260.0, 260.0, 540.0, 540.0};
    for (int i = 0; i < 6; ++i)
        info.channels.push_back({i % 2 == 0 ? XtfSide::Port : XtfSide::Starboard, names[i], kHz[i]});
    return info;
}

// The samples of one ping: 1000 bytes per channel.
struct PingSamples {
    std::array<std::vector<std::uint8_t>, 6> channel;
};

inline PingSamples samplesFor(std::uint32_t ping) {
    PingSamples s;
    for (std::size_t c = 0; c < 6; ++c) {
        s.channel[c].resize(1000);
        for (std::size_t i = 0; i < 1000; ++i)
            s.channel[c][i] = static_cast<std::uint8_t>((ping * 7 + c * 31 + i * 13 + (i >> 8)) & 0xFF);
    }
    return s;
}

inline UtcTime timeOfPing(std::uint32_t ping) {
    // Ten pings a second from 2026-12-07 23:59:58.000, across midnight.
    const int ms = static_cast<int>(ping) * 100;
    UtcTime t{2026, 12, 7, 23, 59, 58, 0};
    int total = t.second * 1000 + ms;
    t.second = total / 1000 % 60;
    t.millisecond = total % 1000;
    int minutes = t.minute + total / 60000;
    t.minute = minutes % 60;
    int hours = t.hour + minutes / 60;
    t.hour = hours % 24;
    t.day += hours / 24;
    return t;
}

inline XtfPing pingFor(std::uint32_t ping, const PingSamples& s, std::size_t channels = 6) {
    XtfPing p;
    p.time = timeOfPing(ping);
    p.pingNumber = ping;
    p.position = GeoPosition{48.44545 + ping * 1e-6, -68.827935 - ping * 2e-6};
    p.speedKnots = 3.5;
    p.courseDeg = 354.25;
    p.headingDeg = 352.5;
    p.pitchDeg = -1.25;
    p.rollDeg = 2.5;
    p.depthM = 14.03;
    p.altitudeM = 11.45;
    p.pingIntervalS = 0.1;
    const double kHz[] = {120.0, 120.0, 260.0, 260.0, 540.0, 540.0};
    for (std::size_t c = 0; c < channels; ++c)
        p.channels.push_back({static_cast<std::uint16_t>(c), 75.0, kHz[c], static_cast<std::uint16_t>(20 + c),
                              s.channel[c]});
    return p;
}

}  // namespace hx::xtftest
