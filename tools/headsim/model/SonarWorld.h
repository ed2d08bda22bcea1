// The simulated sonar system: seabed, towfish and the ping every head looks
// at. A ping starts when a head asks for a first half it has already been
// given for the current ping, so in a poll cycle L, M, H, ES all four heads
// see the seabed from the same place at the same moment, whichever subset of
// heads the client polls. Each head's lines are computed once per ping and
// settings and then reused for both halves; the sidescan heads share the
// traced swath. Only the request methods change the state. With a replay
// attached the sidescan heads show the recording's pings in turn instead,
// one per ping and round again at its end; the echo sounder stays synthetic
// but follows the recording's altitude.
#pragma once

#include "core/Heads.h"
#include "tools/headsim/model/HeadCommand.h"
#include "tools/headsim/model/Seabed.h"
#include "tools/headsim/model/SidescanSynth.h"
#include "tools/headsim/model/Track.h"
#include "tools/headsim/model/XtfReplay.h"

#include <array>
#include <cstdint>
#include <memory>

namespace hx::sim {

struct FrequencyLimits {
    std::uint32_t nominalHz = 0;
    std::uint32_t lowestHz = 0;
    std::uint32_t highestHz = 0;
};

// What a head really does with a request: values outside what it supports
// are held at its limits.
struct PingSettings {
    std::uint32_t frequencyHz = 0;
    std::uint16_t rangeM = 50;
    std::uint8_t gainDb = 6;
    std::uint8_t transmitControl = 0x10;

    bool operator==(const PingSettings&) const = default;
};

inline constexpr std::uint16_t kMinRangeM = 1;
inline constexpr std::uint16_t kMaxRangeM = 1000;
inline constexpr std::uint8_t kMaxGainDb = 40;
inline constexpr std::uint8_t kPortOff = 0x02;
inline constexpr std::uint8_t kStarboardOff = 0x01;  // the echo sounder's transmitter on head ES

PingSettings applyRequest(const HeadRequest& request, const FrequencyLimits& limits);

struct HeadLines {
    std::uint32_t pingNumber = 0;
    PingSettings settings;
    std::array<std::uint8_t, kSideDataPoints> firstHalf{};   // port, or echo samples
    std::array<std::uint8_t, kSideDataPoints> secondHalf{};  // starboard, or sensor block
};

class SonarWorld {
public:
    explicit SonarWorld(const std::array<FrequencyLimits, kHeadCount>& limits, std::uint64_t seed = 642);

    // From the next ping on, the sidescan heads replay this recording.
    void replayFrom(std::shared_ptr<XtfReplay> replay);
    const XtfReplay* replay() const { return replay_.get(); }
    // The recording's ping the current ping shows (replay only).
    const ReplayPing& replayPing() const { return replayPing_; }

    // True when a first-half request from this head would start a new ping.
    bool firstHalfStartsPing(int head) const;
    // Lines for a first half; starts a new ping at timeS when needed.
    const HeadLines& firstHalf(int head, const HeadRequest& request, double timeS);
    // Lines for a second half: from the head's latest ping (starting one if
    // there is none yet).
    const HeadLines& secondHalf(int head, const HeadRequest& request, double timeS);

    std::uint32_t pingNumber() const { return ping_; }
    const VehicleState& vehicle() const { return vehicle_; }
    const Track& track() const { return track_; }
    const Seabed& seabed() const { return seabed_; }
    const FrequencyLimits& limits(int head) const { return limits_[static_cast<std::size_t>(head)]; }

private:
    struct SwathSlot {
        std::uint32_t pingNumber = 0;
        std::uint16_t rangeM = 0;
        SwathProfile port;
        SwathProfile starboard;
    };

    void beginPing(double timeS);
    const HeadLines& linesFor(int head, const HeadRequest& request);
    const SwathSlot& swath(std::uint16_t rangeM);
    void replayLines(const PingSettings& settings, std::uint64_t pingSeed, HeadLines& lines) const;

    std::array<FrequencyLimits, kHeadCount> limits_;
    std::uint64_t seed_;
    Seabed seabed_;
    Track track_;
    std::uint32_t ping_ = 0;
    VehicleState vehicle_;
    std::array<std::uint32_t, kHeadCount> servedPing_{};
    std::array<HeadLines, kHeadCount> lines_{};
    std::array<bool, kHeadCount> linesValid_{};
    std::array<SwathSlot, 2> swaths_{};
    std::size_t nextSwathSlot_ = 0;
    std::shared_ptr<XtfReplay> replay_;
    ReplayPing replayPing_;
};

}  // namespace hx::sim
