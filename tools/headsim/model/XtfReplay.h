// Real sidescan returns from an XTF recording, for the simulator to serve in
// place of its synthetic seabed. open() reads the file once through the
// project's XTF reader: it refuses a file the reader finds damaged, keeps
// the sonar pings that have a port or a starboard channel, and measures the
// level of the recording's seabed so that it can be shown where the
// synthetic seabed sits. A file up to the in-memory limit is kept in memory
// (as levels, two bytes a sample); a bigger one is only indexed and each
// ping read again from the file when it is served.
#pragma once

#include "export/ByteSource.h"
#include "export/XtfRecords.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hx::sim {

// One side of a recorded ping, nearest range first whatever order the file
// stores it in.
struct ReplaySide {
    double nearM = 0.0;  // slant range where the first sample begins
    double farM = 0.0;   // slant range where the last sample ends
    // 20 log10 of each sample's amplitude in hundredths of a dB; 0 for a
    // sample with no signal (amplitude 0 or 1).
    std::vector<std::uint16_t> levelCdb;

    bool present() const { return !levelCdb.empty(); }
};

struct ReplayPing {
    std::uint32_t filePingNumber = 0;
    double altitudeM = 0.0;    // over the bottom; a ping without one has its neighbour's
    double frequencyHz = 0.0;  // of the recorded channels; 0 when the file does not say
    ReplaySide port;
    ReplaySide starboard;
};

// The recording's seabed level the replay is scaled by.
struct ReplayCalibration {
    double seabedDb = 0.0;  // median level of the seabed at its brightest, dB of amplitude
    double rangeM = 0.0;    // mean slant range of the samples that median came from
    std::uint64_t samples = 0;
    bool fromAltitude = true;  // false: the file has no altitudes; measured over mid-swath instead
};

inline constexpr std::uint64_t kReplayInMemoryBytes = 64ull << 20;

// A sample's amplitude as ReplaySide::levelCdb holds it.
std::uint16_t amplitudeToLevelCdb(std::uint32_t amplitude);

// The replayable part of a decoded sonar packet: its first port and first
// starboard channel. False when it has neither with samples and a usable
// slant range.
bool replayPingFrom(const XtfPingRecord& record, const XtfFileHeader& file, ReplayPing& out);

class XtfReplay {
public:
    // Reads the file; nullptr with a message that names the file and says
    // what is wrong with it (missing, empty, not XTF, damaged, no sidescan).
    static std::unique_ptr<XtfReplay> open(const std::string& path, std::string& error,
                                           std::uint64_t inMemoryLimitBytes = kReplayInMemoryBytes);

    std::size_t pingCount() const { return index_.size(); }
    bool inMemory() const { return !pings_.empty(); }
    const ReplayCalibration& calibration() const { return calibration_; }
    const XtfFileHeader& fileHeader() const { return header_; }
    // Pings that could not be read again from a file being streamed.
    std::uint64_t unreadablePings() const { return unreadable_; }

    // Ping i (0 .. pingCount() - 1) into out. False, with out holding no
    // sides, when a streamed file cannot be read there any more.
    bool load(std::size_t i, ReplayPing& out);

    // One line for the operator: pings, sides, frequency, range, calibration.
    std::string summary() const;

private:
    struct IndexEntry {
        std::uint64_t offset = 0;
        std::uint32_t bytes = 0;
        float altitudeM = 0.0f;
    };
    friend class ReplayCollector;

    std::string path_;
    XtfFileHeader header_;
    ReplayCalibration calibration_;
    std::vector<IndexEntry> index_;
    std::vector<ReplayPing> pings_;  // empty when streaming
    bool portSeen_ = false;
    bool starboardSeen_ = false;
    double frequencyHz_ = 0.0;
    double farthestM_ = 0.0;
    std::unique_ptr<FileSource> file_;  // kept open only when streaming
    std::vector<std::uint8_t> buffer_;
    XtfPingRecord record_;
    std::uint64_t unreadable_ = 0;
};

}  // namespace hx::sim
