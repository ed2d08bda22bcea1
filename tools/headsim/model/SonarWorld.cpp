#include "tools/headsim/model/SonarWorld.h"

#include "tools/headsim/model/Acoustics.h"
#include "tools/headsim/model/EchoSounderSynth.h"
#include "tools/headsim/model/Noise.h"
#include "tools/headsim/model/ReplayShading.h"
#include "tools/headsim/model/ReplyBuilder.h"

#include <algorithm>

namespace hx::sim {

PingSettings applyRequest(const HeadRequest& r, const FrequencyLimits& limits) {
    PingSettings s;
    const std::uint32_t low = std::min(limits.lowestHz, limits.highestHz);
    s.frequencyHz = std::clamp(r.frequencyHz, low, limits.highestHz);
    s.rangeM = std::clamp(r.rangeM, kMinRangeM, kMaxRangeM);
    s.gainDb = std::min(r.gainDb, kMaxGainDb);
    s.transmitControl = r.transmitControl;
    return s;
}

SonarWorld::SonarWorld(const std::array<FrequencyLimits, kHeadCount>& limits, std::uint64_t seed)
    : limits_(limits), seed_(seed), seabed_(seed), track_(seabed_) {}

bool SonarWorld::firstHalfStartsPing(int head) const {
    return ping_ == 0 || servedPing_[static_cast<std::size_t>(head)] == ping_;
}

void SonarWorld::replayFrom(std::shared_ptr<XtfReplay> replay) { replay_ = std::move(replay); }

void SonarWorld::beginPing(double timeS) {
    ++ping_;
    vehicle_ = track_.at(timeS);
    if (replay_ && replay_->pingCount() > 0) {
        replay_->load((ping_ - 1) % replay_->pingCount(), replayPing_);
        if (replayPing_.altitudeM > 0.0) vehicle_.altitudeM = replayPing_.altitudeM;
    }
}

const HeadLines& SonarWorld::firstHalf(int head, const HeadRequest& request, double timeS) {
    if (firstHalfStartsPing(head)) beginPing(timeS);
    servedPing_[static_cast<std::size_t>(head)] = ping_;
    return linesFor(head, request);
}

const HeadLines& SonarWorld::secondHalf(int head, const HeadRequest& request, double timeS) {
    if (ping_ == 0) beginPing(timeS);
    const auto h = static_cast<std::size_t>(head);
    if (servedPing_[h] == 0) servedPing_[h] = ping_;
    // A head that has lines keeps answering from the ping of its first half.
    if (linesValid_[h] && lines_[h].settings == applyRequest(request, limits_[h])) return lines_[h];
    return linesFor(head, request);
}

const SonarWorld::SwathSlot& SonarWorld::swath(std::uint16_t rangeM) {
    for (const SwathSlot& s : swaths_)
        if (s.pingNumber == ping_ && s.rangeM == rangeM) return s;
    SwathSlot& s = swaths_[nextSwathSlot_];
    nextSwathSlot_ = (nextSwathSlot_ + 1) % swaths_.size();
    s.pingNumber = ping_;
    s.rangeM = rangeM;
    traceSwath(seabed_, vehicle_, Side::Port, rangeM, s.port);
    traceSwath(seabed_, vehicle_, Side::Starboard, rangeM, s.starboard);
    return s;
}

const HeadLines& SonarWorld::linesFor(int head, const HeadRequest& request) {
    const auto h = static_cast<std::size_t>(head);
    const PingSettings settings = applyRequest(request, limits_[h]);
    HeadLines& lines = lines_[h];
    if (linesValid_[h] && lines.pingNumber == ping_ && lines.settings == settings) return lines;
    lines.pingNumber = ping_;
    lines.settings = settings;
    linesValid_[h] = true;

    ShadeParams params;
    params.frequencyHz = settings.frequencyHz;
    params.gainDb = settings.gainDb;
    params.temperatureC = vehicle_.temperatureC;
    const std::uint64_t pingSeed = hashCombine(hashCombine(seed_, ping_), h);
    if (head == kHeadES) {
        params.transmitting = (settings.transmitControl & kStarboardOff) == 0;
        params.speckleSeed = pingSeed;
        echoSounderLine(seabed_, vehicle_, settings.rangeM, params, lines.firstHalf);
        lines.secondHalf.fill(0);
        encodeSensorBlock(lines.secondHalf, sensorReading(vehicle_));
        return lines;
    }
    if (replay_) {
        replayLines(settings, pingSeed, lines);
        return lines;
    }
    const SwathSlot& s = swath(settings.rangeM);
    params.transmitting = (settings.transmitControl & kPortOff) == 0;
    params.speckleSeed = hashCombine(pingSeed, 1);
    shadeSwath(s.port, params, lines.firstHalf);
    params.transmitting = (settings.transmitControl & kStarboardOff) == 0;
    params.speckleSeed = hashCombine(pingSeed, 2);
    shadeSwath(s.starboard, params, lines.secondHalf);
    return lines;
}

// The recording's ping on this head: its range and gain, its transmit bits,
// and its frequency's absorption against the recording's.
void SonarWorld::replayLines(const PingSettings& settings, std::uint64_t pingSeed, HeadLines& lines) const {
    const ReplayCalibration& calibration = replay_->calibration();
    ReplayShade shade;
    shade.rangeM = settings.rangeM;
    shade.gainDb = settings.gainDb;
    shade.seabedDb = calibration.seabedDb;
    shade.calibrationRangeM = calibration.rangeM;
    if (replayPing_.frequencyHz > 0.0)
        shade.extraAbsorptionDbPerM = absorptionDbPerM(settings.frequencyHz, vehicle_.temperatureC) -
                                      absorptionDbPerM(replayPing_.frequencyHz, vehicle_.temperatureC);
    shade.transmitting = (settings.transmitControl & kPortOff) == 0;
    shade.noiseSeed = hashCombine(pingSeed, 1);
    shadeReplaySide(replayPing_.port, shade, lines.firstHalf);
    shade.transmitting = (settings.transmitControl & kStarboardOff) == 0;
    shade.noiseSeed = hashCombine(pingSeed, 2);
    shadeReplaySide(replayPing_.starboard, shade, lines.secondHalf);
}

}  // namespace hx::sim
