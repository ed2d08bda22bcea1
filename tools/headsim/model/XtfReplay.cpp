#include "tools/headsim/model/XtfReplay.h"

#include "export/XtfDecode.h"
#include "export/XtfReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace hx::sim {

namespace {

constexpr std::uint8_t kPortChannel = 1;
constexpr std::uint8_t kStarboardChannel = 2;
// The file stores half the sound velocity; a value outside what sea water
// allows is taken for the usual 1500 m/s.
constexpr double kDefaultHalfSoundMps = 750.0;
constexpr double kMinHalfSoundMps = 600.0;
constexpr double kMaxHalfSoundMps = 900.0;
constexpr double kMaxReplayRangeM = 10000.0;
// The seabed at its brightest: from about 50 down to 30 degrees of
// grazing, where the synthetic seabed's level is measured too.
constexpr double kBrightNearAltitudes = 1.3;
constexpr double kBrightFarAltitudes = 2.0;
// Without altitudes: the middle of the swath.
constexpr double kMidSwathNear = 0.3;
constexpr double kMidSwathFar = 0.6;
constexpr std::uint64_t kMinCalibrationSamples = 1000;
constexpr std::size_t kListedDamage = 3;

// Levels in 0.1 dB steps up to 200 dB: a median without keeping the samples.
class LevelHistogram {
public:
    void add(std::uint16_t levelCdb, double rangeM) {
        ++bins_[std::min<std::size_t>(levelCdb / 10u, bins_.size() - 1)];
        ++count_;
        rangeSumM_ += rangeM;
    }
    std::uint64_t count() const { return count_; }
    double meanRangeM() const { return count_ ? rangeSumM_ / static_cast<double>(count_) : 0.0; }
    double medianDb() const {
        std::uint64_t seen = 0;
        for (std::size_t k = 0; k < bins_.size(); ++k) {
            seen += bins_[k];
            if (2 * seen >= count_) return (static_cast<double>(k) + 0.5) / 10.0;
        }
        return 0.0;
    }

private:
    std::array<std::uint64_t, 2000> bins_{};
    std::uint64_t count_ = 0;
    double rangeSumM_ = 0.0;
};

bool fillSide(const XtfChannelData& channel, double halfSoundMps, bool farToNear, ReplaySide& side) {
    const XtfChannelHeader& h = channel.header;
    const std::size_t n = h.numSamples;
    if (n == 0 || channel.sampleBytes.size() < n * channel.bytesPerSample) return false;
    const double delayS = std::isfinite(h.timeDelayS) && h.timeDelayS > 0.0f ? h.timeDelayS : 0.0;
    const double nearM = delayS * halfSoundMps;
    double farM = h.slantRangeM;
    if (!std::isfinite(farM) || farM <= nearM) {
        const double durationS = std::isfinite(h.timeDurationS) && h.timeDurationS > 0.0f ? h.timeDurationS : 0.0;
        farM = nearM + durationS * halfSoundMps;
    }
    if (!(farM > nearM) || farM > kMaxReplayRangeM) return false;
    side.nearM = nearM;
    side.farM = farM;
    side.levelCdb.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        side.levelCdb[farToNear ? n - 1 - i : i] = amplitudeToLevelCdb(channel.sample(i));
    return true;
}

std::string damageMessage(const std::string& path, const XtfReadReport& report) {
    std::string text = path + " is damaged: " + std::to_string(report.damageCount) +
                       (report.damageCount == 1 ? " damaged place" : " damaged places");
    for (std::size_t k = 0; k < std::min(kListedDamage, report.damage.size()); ++k) {
        const XtfDamage& d = report.damage[k];
        text += (k == 0 ? ": " : "; ") + std::string("at byte ") + std::to_string(d.offset) + ", " + d.what;
    }
    if (report.damageCount > kListedDamage) text += "; and more";
    return text;
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::uint16_t amplitudeToLevelCdb(std::uint32_t amplitude) {
    if (amplitude <= 1) return 0;
    return static_cast<std::uint16_t>(std::lround(2000.0 * std::log10(static_cast<double>(amplitude))));
}

bool replayPingFrom(const XtfPingRecord& record, const XtfFileHeader& file, ReplayPing& out) {
    out = {};
    const XtfPingHeader& h = record.header;
    out.filePingNumber = h.pingNumber;
    const float altitude = h.sensorPrimaryAltitudeM;
    out.altitudeM = std::isfinite(altitude) && altitude > 0.0f && altitude < kMaxReplayRangeM ? altitude : 0.0;
    const double halfSound = std::isfinite(h.soundVelocity) && h.soundVelocity >= kMinHalfSoundMps &&
                                     h.soundVelocity <= kMaxHalfSoundMps
                                 ? h.soundVelocity
                                 : kDefaultHalfSoundMps;
    for (const XtfChannelData& channel : record.channels) {
        const std::size_t number = channel.header.channelNumber;
        if (number >= file.channels.size()) continue;
        const XtfChannelDescription& description = file.channels[number];
        const bool port = description.typeOfChannel == kPortChannel;
        ReplaySide* side = port ? &out.port : description.typeOfChannel == kStarboardChannel ? &out.starboard : nullptr;
        if (side == nullptr || side->present()) continue;  // the first port and the first starboard channel
        if (!fillSide(channel, halfSound, port, *side)) continue;
        if (out.frequencyHz <= 0.0) {
            if (channel.header.frequencyKHz > 0) out.frequencyHz = channel.header.frequencyKHz * 1000.0;
            else if (std::isfinite(description.frequencyKHz) && description.frequencyKHz > 0.0f)
                out.frequencyHz = description.frequencyKHz * 1000.0;
        }
    }
    return out.port.present() || out.starboard.present();
}

// Reads the file's packets as the reader hands them over: keeps or indexes
// every replayable ping and measures the seabed level on the way.
class ReplayCollector final : public IXtfVisitor {
public:
    ReplayCollector(XtfReplay& replay, bool keepPings) : replay_(replay), keep_(keepPings) {}

    void onHeader(const XtfFileHeader& header) override { replay_.header_ = header; }

    void onPing(const XtfPingRecord& record) override {
        if (!replayPingFrom(record, replay_.header_, ping_)) return;
        replay_.index_.push_back({record.offset, record.header.numBytesThisRecord, static_cast<float>(ping_.altitudeM)});
        replay_.portSeen_ = replay_.portSeen_ || ping_.port.present();
        replay_.starboardSeen_ = replay_.starboardSeen_ || ping_.starboard.present();
        if (replay_.frequencyHz_ <= 0.0) replay_.frequencyHz_ = ping_.frequencyHz;
        for (const ReplaySide* side : {&ping_.port, &ping_.starboard}) {
            if (!side->present()) continue;
            replay_.farthestM_ = std::max(replay_.farthestM_, side->farM);
            measure(*side, ping_.altitudeM);
        }
        if (keep_) replay_.pings_.push_back(std::move(ping_));
    }

    ReplayCalibration calibration() const {
        const bool enough = bright_.count() >= kMinCalibrationSamples || midSwath_.count() == 0;
        const LevelHistogram& h = enough ? bright_ : midSwath_;
        ReplayCalibration c;
        c.seabedDb = h.medianDb();
        c.rangeM = h.meanRangeM();
        c.samples = h.count();
        c.fromAltitude = enough;
        return c;
    }

private:
    void measure(const ReplaySide& side, double altitudeM) {
        const double cellM = (side.farM - side.nearM) / static_cast<double>(side.levelCdb.size());
        const double span = side.farM - side.nearM;
        for (std::size_t i = 0; i < side.levelCdb.size(); ++i) {
            const std::uint16_t level = side.levelCdb[i];
            if (level == 0) continue;
            const double r = side.nearM + (static_cast<double>(i) + 0.5) * cellM;
            if (altitudeM > 0.0 && r >= kBrightNearAltitudes * altitudeM && r <= kBrightFarAltitudes * altitudeM)
                bright_.add(level, r);
            const double along = (r - side.nearM) / span;
            if (along >= kMidSwathNear && along <= kMidSwathFar) midSwath_.add(level, r);
        }
    }

    XtfReplay& replay_;
    bool keep_;
    ReplayPing ping_;
    LevelHistogram bright_;
    LevelHistogram midSwath_;
};

std::unique_ptr<XtfReplay> XtfReplay::open(const std::string& path, std::string& error,
                                           std::uint64_t inMemoryLimitBytes) {
    std::unique_ptr<XtfReplay> replay(new XtfReplay);
    replay->path_ = path;
    replay->file_ = std::make_unique<FileSource>();
    FileSource& source = *replay->file_;
    if (!source.open(path)) {
        error = source.error();
        return nullptr;
    }
    if (source.size() == 0) {
        error = path + " is empty";
        return nullptr;
    }
    const bool keep = source.size() <= inMemoryLimitBytes;
    ReplayCollector collector(*replay, keep);
    const XtfReadReport report = readXtf(source, collector);
    if (!report.headerOk) {
        error = path + " cannot be replayed: " + report.headerError;
        return nullptr;
    }
    if (report.damageCount > 0) {
        error = damageMessage(path, report);
        return nullptr;
    }
    if (replay->index_.empty()) {
        error = path + " has no sidescan pings to replay (no sonar packet with a port or starboard channel)";
        return nullptr;
    }
    replay->calibration_ = collector.calibration();
    if (replay->calibration_.samples == 0) {
        error = path + " has no sidescan returns to replay: every sample is 0";
        return nullptr;
    }

    // A ping without an altitude takes the last one before it (the first
    // pings the first one known), so that the echo sounder does not jump.
    auto& index = replay->index_;
    const auto known = std::find_if(index.begin(), index.end(), [](const IndexEntry& e) { return e.altitudeM > 0.0f; });
    float last = known == index.end() ? 0.0f : known->altitudeM;
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (index[i].altitudeM > 0.0f) last = index[i].altitudeM;
        else index[i].altitudeM = last;
        if (keep) replay->pings_[i].altitudeM = last;
    }
    if (keep) replay->file_.reset();
    return replay;
}

bool XtfReplay::load(std::size_t i, ReplayPing& out) {
    if (i >= index_.size()) {
        out = {};
        return false;
    }
    const IndexEntry& entry = index_[i];
    if (!pings_.empty()) {
        out = pings_[i];
        return true;
    }
    buffer_.resize(entry.bytes);
    std::string reason;
    const bool ok = file_ && file_->readAt(entry.offset, buffer_) == buffer_.size() &&
                    decodeXtfPing(buffer_, header_, record_, reason) && replayPingFrom(record_, header_, out);
    if (!ok) {
        ++unreadable_;
        out = {};
    }
    out.altitudeM = entry.altitudeM;
    return ok;
}

std::string XtfReplay::summary() const {
    const std::string sides = portSeen_ && starboardSeen_ ? "port and starboard" : portSeen_ ? "port only" : "starboard only";
    std::string text = "replaying " + path_ + ": " + std::to_string(index_.size()) + " pings, " + sides;
    if (frequencyHz_ > 0.0) text += ", " + fixed(frequencyHz_ / 1000.0, 0) + " kHz";
    text += ", " + fixed(farthestM_, 2) + " m slant range, " + (inMemory() ? "in memory" : "streamed from the file");
    text += "; seabed " + fixed(calibration_.seabedDb, 1) + " dB at " + fixed(calibration_.rangeM, 1) + " m" +
            (calibration_.fromAltitude ? "" : " (mid-swath: the file has no altitudes)");
    return text;
}

}  // namespace hx::sim
