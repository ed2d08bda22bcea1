// Replaying an XTF recording in place of the synthetic seabed: the levels,
// the resampling to the head's range, the order of the sides, the pings in
// turn, and files that cannot be replayed.
#include "export/XtfEncode.h"
#include "tools/headsim/model/Acoustics.h"
#include "tools/headsim/model/ReplayShading.h"
#include "tools/headsim/model/SonarWorld.h"
#include "tools/headsim/model/SystemSetup.h"
#include "tools/headsim/model/XtfReplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace hx;
using namespace hx::sim;

namespace {

const std::string kRealFile = HX642_SHARED_DIR "/corpus/xtf/scotsman-iver2.xtf";

using Powers = std::array<float, kSamplesPerSide>;
using Line = std::array<std::uint8_t, kSideDataPoints>;

// A side of `cells` samples over 0..farM, every one at 1 (the seabed level),
// but the cell holding markerM at 100 (20 dB over it).
ReplaySide markedSide(double farM, std::size_t cells, double markerM) {
    ReplaySide side;
    side.farM = farM;
    side.levelCdb.assign(cells, 4000);  // 40 dB
    side.levelCdb[static_cast<std::size_t>(markerM / farM * static_cast<double>(cells))] = 6000;
    return side;
}

template <typename Samples>
std::size_t brightest(const Samples& p) {
    return static_cast<std::size_t>(std::max_element(p.begin(), p.end()) - p.begin());
}

// One hand-made ping for a file: 8-bit samples as a channel delivers them.
struct MadePing {
    std::vector<std::uint8_t> port;       // far to near
    std::vector<std::uint8_t> starboard;  // near to far
    double slantRangeM = 20.0;
    double altitudeM = 5.0;
};

std::vector<std::uint8_t> makeXtf(const std::vector<MadePing>& pings) {
    XtfFileInfo info;
    info.programVersion = "1";
    info.channels = {{XtfSide::Port, "PORT", 600.0}, {XtfSide::Starboard, "STBD", 600.0}};
    std::vector<std::uint8_t> bytes;
    std::string reason;
    EXPECT_TRUE(encodeXtfFileHeader(info, bytes, reason)) << reason;
    std::uint32_t number = 100;
    for (const MadePing& p : pings) {
        XtfPing ping;
        ping.time = {2024, 5, 1, 12, 0, 0, 0};
        ping.pingNumber = number++;
        ping.altitudeM = p.altitudeM;
        ping.channels = {{0, p.slantRangeM, 600.0, 0, p.port}, {1, p.slantRangeM, 600.0, 0, p.starboard}};
        EXPECT_TRUE(encodeXtfPing(info, ping, bytes, reason)) << reason;
    }
    return bytes;
}

// A file in the test's own temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::vector<std::uint8_t>& bytes) {
        static int counter = 0;
        path_ = std::filesystem::path(::testing::TempDir()) /
                ("replay-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".xtf");
        std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// 200 samples a side, 60 (36 dB) everywhere but one marker at 240 near
// markerM on each side.
MadePing markedPing(double markerM, double slantRangeM = 20.0, double altitudeM = 5.0) {
    MadePing p;
    p.slantRangeM = slantRangeM;
    p.altitudeM = altitudeM;
    p.port.assign(200, 60);
    p.starboard.assign(200, 60);
    const auto at = static_cast<std::size_t>(markerM / slantRangeM * 200.0);
    p.port[199 - at] = 240;
    p.starboard[at] = 240;
    return p;
}

HeadRequest request(std::uint16_t rangeM, std::uint32_t frequencyHz = 120000) {
    HeadRequest r;
    r.rangeM = rangeM;
    r.gainDb = 6;
    r.frequencyHz = frequencyHz;
    return r;
}

}  // namespace

TEST(ReplayLevels, AmplitudesBecomeHundredthsOfADecibel) {
    struct Case {
        std::uint32_t amplitude;
        std::uint16_t levelCdb;
    };
    for (const Case c : {Case{0, 0}, Case{1, 0}, Case{2, 602}, Case{10, 2000}, Case{1000, 6000}, Case{65535, 9633}})
        EXPECT_EQ(amplitudeToLevelCdb(c.amplitude), c.levelCdb) << c.amplitude;
}

// The head's samples lie at (j + 0.5) * range / 1000: a marker at 12 m of a
// recording over 30 m moves with the range the head is set to, and nothing
// comes back from beyond the recording's range. Longer head samples take the
// mean power of the cells they cover (at 50 m: 0.03 m of 100 and 0.02 m of 1
// make 60.4, not the 15 of their mean in decibels); shorter ones interpolate.
TEST(ReplayResampling, AMarkerLandsAtItsSlantRangeWhateverTheHeadRange) {
    const ReplaySide side = markedSide(30.0, 1000, 12.0);  // cell 12.00 .. 12.03 m
    struct Case {
        double rangeM;
        std::size_t markerSample;
        float markerPower;
        std::size_t lastSampleWithData;  // samples beyond it are quiet water
    };
    for (const Case c : {Case{50.0, 240, 60.4f, 599}, Case{100.0, 120, 30.7f, 299}, Case{30.0, 400, 100.0f, 999},
                         Case{20.0, 600, 83.5f, 999}, Case{16.0, 750, 76.9f, 999}}) {
        Powers p{};
        resampleReplaySide(side, 40.0, c.rangeM, p);
        EXPECT_EQ(brightest(p), c.markerSample) << c.rangeM << " m";
        EXPECT_NEAR(p[c.markerSample], c.markerPower, 0.1f) << c.rangeM << " m";
        EXPECT_GT(p[c.lastSampleWithData], 0.5f) << c.rangeM << " m";
        for (std::size_t j = c.lastSampleWithData + 1; j < p.size(); ++j) ASSERT_EQ(p[j], 0.0f) << c.rangeM << " m, " << j;
        EXPECT_NEAR(p[c.lastSampleWithData / 4], 1.0f, 1e-4f) << c.rangeM << " m";
    }
}

TEST(ReplayShading, TheSeabedSitsOnItsCountAtTheReferenceGainAndGainAddsFourCountsADb) {
    const ReplaySide side = markedSide(30.0, 1000, 12.0);
    struct Case {
        double gainDb;
        int seabedCounts;
    };
    for (const Case c : {Case{kReplayReferenceGainDb, 92}, Case{16.0, 132}, Case{0.0, 68}}) {
        ReplayShade shade;
        shade.rangeM = 30.0;
        shade.gainDb = c.gainDb;
        shade.seabedDb = 40.0;
        Line out{};
        shadeReplaySide(side, shade, out);
        EXPECT_NEAR(out[100], c.seabedCounts, 1) << c.gainDb;
        EXPECT_NEAR(out[400], std::min(255, c.seabedCounts + 80), 1) << c.gainDb;  // 20 dB brighter
    }
}

// Port is stored far to near, starboard near to far: both halves carry them
// nearest first. Every sidescan head, whatever its frequency, shows the same
// recorded ping; the pings come in turn and round again, and the echo
// sounder's bottom follows their altitudes (one without keeps the last).
TEST(ReplayFile, TheHeadsServeThePingsInTurnAndRoundAgain) {
    MadePing unknownAltitude = markedPing(8.0);
    unknownAltitude.altitudeM = 0.0;
    const TempFile file(makeXtf({markedPing(4.0), unknownAltitude, markedPing(12.0, 20.0, 3.0)}));
    std::string error;
    std::shared_ptr<XtfReplay> replay = XtfReplay::open(file.path(), error);
    ASSERT_TRUE(replay) << error;
    SonarWorld world(frequencyLimits(SimOptions{}));
    world.replayFrom(replay);
    // Markers in the cells 4.0 .. 4.1, 8.0 .. 8.1 and 12.0 .. 12.1 m; 0.02 m a sample at 20 m.
    const std::size_t expected[] = {202, 402, 602, 202, 402};
    const double altitudeM[] = {5.0, 5.0, 3.0, 5.0, 5.0};
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        for (int head = 0; head < 3; ++head) {
            const HeadLines& lines = world.firstHalf(head, request(20, 100000 + 200000 * head), 0.2 * k);
            EXPECT_EQ(lines.pingNumber, k + 1);
            EXPECT_NEAR(static_cast<double>(brightest(lines.firstHalf)), static_cast<double>(expected[k]), 1) << k;
            EXPECT_NEAR(static_cast<double>(brightest(lines.secondHalf)), static_cast<double>(expected[k]), 1) << k;
        }
        world.firstHalf(kHeadES, request(20), 0.2 * k);
        EXPECT_DOUBLE_EQ(world.vehicle().altitudeM, altitudeM[k]) << k;
    }
}

// The recording as the simulator reads it: its 461 pings, its seabed level,
// and the same pings whether kept in memory or read again from the file.
TEST(ReplayFile, TheRealRecordingStreamedGivesTheSamePingsAsInMemory) {
    std::string error;
    const auto inMemory = XtfReplay::open(kRealFile, error);
    ASSERT_TRUE(inMemory) << error;
    const auto streamed = XtfReplay::open(kRealFile, error, 0);
    ASSERT_TRUE(streamed) << error;
    EXPECT_FALSE(streamed->inMemory());
    ASSERT_EQ(inMemory->pingCount(), 461u);
    ASSERT_EQ(streamed->pingCount(), 461u);
    // Measured on the seabed, under a full-scale 16-bit sample.
    EXPECT_TRUE(inMemory->calibration().fromAltitude);
    EXPECT_GT(inMemory->calibration().seabedDb, 60.0);
    EXPECT_LT(inMemory->calibration().seabedDb, 96.0);

    for (const std::size_t i : {std::size_t{0}, std::size_t{460}}) {
        ReplayPing a, b;
        ASSERT_TRUE(inMemory->load(i, a));
        ASSERT_TRUE(streamed->load(i, b));
        EXPECT_EQ(a.port.levelCdb, b.port.levelCdb);
        EXPECT_EQ(a.starboard.levelCdb, b.starboard.levelCdb);
        EXPECT_EQ(a.port.levelCdb.size(), 1024u);
        EXPECT_NEAR(a.port.farM, 29.98, 0.01);
        EXPECT_GT(b.altitudeM, 0.0);  // the first ping has none of its own
    }
    EXPECT_EQ(streamed->unreadablePings(), 0u);
}

TEST(ReplayFile, FilesThatCannotBeReplayedAreRefusedWithAMessage) {
    std::ifstream in(kRealFile, std::ios::binary);
    const std::vector<std::uint8_t> real((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(real.size(), 2066304u);
    std::vector<std::uint8_t> cut(real.begin(), real.begin() + 1000000);
    std::vector<std::uint8_t> badMagic = real;
    badMagic[1024 + 4480 * 3] ^= 0xFF;  // a packet start in the middle of the file
    std::vector<std::uint8_t> notXtf(4096, 'x');
    std::vector<std::uint8_t> headerOnly(real.begin(), real.begin() + 1024);

    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* says;
    };
    const Case cases[] = {
        {"empty", {}, "is empty"},
        {"not XTF", notXtf, "not an XTF file"},
        {"cut short", cut, "is damaged"},
        {"bad packet magic", badMagic, "is damaged"},
        {"no pings", headerOnly, "no sidescan pings"},
        {"all samples zero", makeXtf({MadePing{std::vector<std::uint8_t>(100, 0), std::vector<std::uint8_t>(100, 0)}}),
         "every sample is 0"},
    };
    for (const Case& c : cases) {
        const TempFile file(c.bytes);
        std::string error;
        EXPECT_FALSE(XtfReplay::open(file.path(), error)) << c.name;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find(file.path()), std::string::npos) << c.name << ": " << error;
    }
}
