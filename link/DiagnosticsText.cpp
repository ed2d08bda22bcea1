#include "link/DiagnosticsText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace hx {

namespace {

template <typename... Args>
std::string format(const char* fmt, Args... args) {
    char buf[160];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

std::size_t clampHead(std::int32_t h) { return static_cast<std::size_t>(std::clamp(h, 0, kHeadCount - 1)); }

std::string yesNo(std::int32_t connected) { return connected ? "Y" : "N"; }

std::uint8_t setBit(std::uint8_t byte, std::uint8_t bit, bool on) {
    return on ? static_cast<std::uint8_t>(byte & ~bit) : static_cast<std::uint8_t>(byte | bit);
}

constexpr std::uint8_t kPortOff = 0x02;
constexpr std::uint8_t kStbdOff = 0x01;

}  // namespace

DiagnosticsTexts buildDiagnosticsTexts(const HeadTable& heads, const LinkFields& link, const CycleValues& cycle,
                                       int displayTimeMs, int units, const DiagnosticsTexts& previous) {
    DiagnosticsTexts t;
    const auto& serial = link.headSerialNumber;
    std::string sn;
    for (std::uint8_t c : serial) {
        if (c == 0) break;
        sn += static_cast<char>(c);
    }
    t.serialNumber = sn;

    const auto kHz = [&](std::size_t h) { return heads.headFrequency[h] / 1000; };
    if (link.allSideScansAvailable) {
        t.serialStat = format("0x%02x,0x%02x,0x%02x,0x%02x", heads.headStatus[0], heads.headStatus[1],
                              heads.headStatus[2], heads.headStatus[3]);
        t.header = heads.headIdText[0] + ",  " + heads.headIdText[1] + ",  " + heads.headIdText[2] + ",  " +
                   heads.headIdText[3];
        t.gain = format("%d,  %d,  %d,  %d dB", heads.headGain[0], heads.headGain[1], heads.headGain[2],
                        heads.headGain[3]);
        t.connection = yesNo(link.headConnected[0]) + ",  " + yesNo(link.headConnected[1]) + ",  " +
                       yesNo(link.headConnected[2]) + ",  " + yesNo(link.headConnected[3]);
        t.frequency = format("%d,  %d,  %d,  %d kHz", kHz(0), kHz(1), kHz(2), kHz(3));
        t.runMode = format("0x%02x,  0x%02x,  0x%02x", heads.headXmitControl[0], heads.headXmitControl[1],
                           heads.headXmitControl[2]);
    } else {
        const std::size_t a = clampHead(link.displayHeadA);
        const std::size_t b = clampHead(link.displayHeadB);
        t.serialStat = format("0x%02x,0x%02x,0x%02x", heads.headStatus[a], heads.headStatus[b], heads.headStatus[3]);
        t.header = heads.headIdText[a] + ",  " + heads.headIdText[b] + ",  " + heads.headIdText[3];
        t.gain = format("%d,  %d,  %d dB", heads.headGain[a], heads.headGain[b], heads.headGain[3]);
        t.connection = yesNo(link.headConnected[a]) + ",  " + yesNo(link.headConnected[b]) + ",  " +
                       yesNo(link.headConnected[3]);
        t.frequency = format("%d,  %d,  %d kHz", kHz(a), kHz(b), kHz(3));
        t.runMode = format("0x%02x,  0x%02x", heads.headXmitControl[a], heads.headXmitControl[b]);
    }
    if (units == 0)
        t.range = format("%d m,   %d m", heads.sideScanRange, heads.echoSounderRange);
    else if (units == 1)
        t.range = format("%d ft,   %d ft", heads.sideScanRange * 3, heads.echoSounderRange * 3);
    else
        t.range = previous.range;
    t.realTimePrf = format("%d ms", cycle.pingInterval);
    t.loopTime = format("%d ms", cycle.pingIntervalAverage);
    t.dispTime = format("%d ms", displayTimeMs);
    return t;
}

void fillLinkHealthTexts(DiagnosticsTexts& t, const LinkFields& link, const LinkHealthMeter& meter,
                         const PerHead<double>& rates, std::uint32_t nowMs) {
    t.pingRate = t.rejected = t.pingAge = t.rebuilds = "n/a";
    if (link.playbackMode != 0) return;
    std::vector<std::size_t> shown = {0, 1, 2, 3};
    if (!link.allSideScansAvailable) shown = {clampHead(link.displayHeadA), clampHead(link.displayHeadB), 3};
    std::string rate, rejected, age;
    for (std::size_t h : shown) {
        const char* gap = rate.empty() ? "" : ",  ";
        const HeadHealth& health = meter.head(static_cast<int>(h));
        rate += format("%s%.1f", gap, rates[h]);
        rejected += format("%s%llu", gap, static_cast<unsigned long long>(health.rejected));
        const auto ageS = goodPingAgeS(health, nowMs);
        age += ageS ? format("%s%.1f", gap, *ageS) : std::string(gap) + "-";
    }
    t.pingRate = rate + " /s";
    t.rejected = rejected;
    t.pingAge = age + " s";
    t.rebuilds = format("%llu", static_cast<unsigned long long>(meter.rebuilds()));
}

TransmitBoxes transmitBoxesFrom(const HeadTable& heads, const LinkFields& link) {
    const std::uint8_t a = heads.headXmitControl[clampHead(link.displayHeadA)];
    const std::uint8_t b = heads.headXmitControl[clampHead(link.displayHeadB)];
    const std::uint8_t es = heads.headXmitControl[kHeadES];
    TransmitBoxes boxes;
    boxes.aPort = !(a & kPortOff);
    boxes.aStbd = !(a & kStbdOff);
    boxes.bPort = !(b & kPortOff);
    boxes.bStbd = !(b & kStbdOff);
    boxes.echoSounder = !(es & kStbdOff);
    return boxes;
}

void applyTransmitBoxes(const TransmitBoxes& boxes, HeadTable& heads, const LinkFields& link) {
    auto& a = heads.headXmitControl[clampHead(link.displayHeadA)];
    a = setBit(setBit(a, kPortOff, boxes.aPort), kStbdOff, boxes.aStbd);
    auto& b = heads.headXmitControl[clampHead(link.displayHeadB)];
    b = setBit(setBit(b, kPortOff, boxes.bPort), kStbdOff, boxes.bStbd);
    auto& es = heads.headXmitControl[kHeadES];
    es = setBit(es, kStbdOff, boxes.echoSounder);
}

}  // namespace hx
