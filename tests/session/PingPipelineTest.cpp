// The one road of a completed cycle: what each origin does, in which order,
// and that nothing is counted, decoded or written twice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeClock.h"
#include "imaging/ColourTables.h"
#include "imaging/PingHistory.h"
#include "link/DataReply.h"
#include "link/LinkDefaults.h"
#include "record/RecordFakes.h"
#include "record/RecordSamples.h"
#include "record/RecordDocument.h"
#include "session/PingPipeline.h"

namespace hx {
namespace {

using rectest::MemoryFileSystem;

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

struct PipelineRig {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    GpsSnapshot gps;
    int gpsType = 1;
    DataFileState dataFile;
    ImagingState imaging;
    PaletteState palette;
    SpeedSource speed;
    TrackState track;
    EventListState events;
    RecorderState recorderState;

    MemoryFileSystem fs;
    rectest::RecordingNotifier notifier;
    rectest::SetClock clock;
    rectest::ScriptedDialogs dialogs;
    rectest::CaptionWindow window;
    CReadWriteFiles files{dataFile, fs, notifier};
    CRecorder recorder{recorderState, dataFile, events, files, RecorderPorts{fs, notifier, clock, dialogs, window}};
    std::vector<std::string> order;
    PingPipeline pipeline{PipelineDocument{heads, link, cycle, orientation, gps, gpsType, dataFile, &imaging, &speed,
                                           &track, &events},
                          PipelineStages{&recorder, [this] { order.push_back("layout"); }}};

    PipelineRig() {
        initialiseLinkDefaults({heads, link, cycle, orientation});
        rectest::SampleDocument sample;
        sample.fillForPing(5);
        heads.headReplyHeader = sample.heads.headReplyHeader;
        heads.headDisplayLine = sample.heads.headDisplayLine;
        link.allSideScansAvailable = 1;
        link.orientationAvailable = 1;
        link.linkStale = 0;  // the last reply of the cycle was whole
        for (auto& header : heads.headReplyHeader) header[kReplyStatusOffset] = 0;
        AllocateImages(imaging.store, palette, true, kHeadL, kHeadH, 100, 100);
        imaging.store.imagesReady = 1;
    }
    PingOutcome run(PingOrigin origin, std::uint32_t tick = 0) {
        return pipeline.run({origin, readCycleStatus(heads), tick});
    }
    std::size_t recordedBytes() { return fs.bytes("/rec.642").size(); }
};

TEST(PingPipeline, EachOriginCountsDecodesAndRecordsOnce) {
    struct Case {
        PingOrigin origin;
        bool recording;
        bool recorded;  // a record reaches the output file
    };
    const Case cases[] = {
        {PingOrigin::Live, true, true},
        {PingOrigin::Live, false, false},
        {PingOrigin::Played, true, true},  // a copy
        {PingOrigin::Read, true, false},   // a tool never writes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.origin));
        PipelineRig r;
        if (c.origin != PingOrigin::Live) r.link.playbackMode = 1;
        if (c.recording) {
            ASSERT_TRUE(r.recorder.startRecordingTo("/rec.642", {c.origin != PingOrigin::Live, ""}));
        }
        r.dataFile.pingNumber = 77;
        const PingOutcome out = r.run(c.origin, 1000);
        EXPECT_TRUE(out.accepted);
        EXPECT_TRUE(out.stored.drawn);
        EXPECT_EQ(r.cycle.goodCycleCount, 1) << "one count per cycle";
        EXPECT_EQ(r.orientation.filters.sampleCounter, 1) << "one sensor decode per cycle";
        EXPECT_EQ(HistoryCount(r.imaging.history), 1);
        EXPECT_EQ(r.imaging.history.records[0].pingNumber, 77) << "the recorder's (or the played record's) number";
        EXPECT_EQ(r.recordedBytes() > 0, c.recorded);
    }
}

// A live ping's row is numbered as the record that holds it, so that events
// and marks name that record: 1, 2, 3 from the start of a recording, not
// the count of good cycles since the program started.
TEST(PingPipeline, ALivePingIsNumberedAsTheRecordThatHoldsIt) {
    PipelineRig r;
    for (int i = 0; i < 4; ++i) r.run(PingOrigin::Live);  // before recording: cycles counted, nothing numbered
    EXPECT_EQ(r.cycle.goodCycleCount, 4);
    ASSERT_TRUE(r.recorder.startRecordingTo("/rec.642", {}));
    for (int i = 0; i < 3; ++i) r.run(PingOrigin::Live);

    const auto& records = r.imaging.history.records;
    EXPECT_EQ(records[4].pingNumber, 1);
    EXPECT_EQ(records[5].pingNumber, 2);
    EXPECT_EQ(records[6].pingNumber, 3);
    EXPECT_EQ(r.imaging.store.rowMeta.at(0).pingNumber, 3) << "the newest row";
    // The file's records carry the same numbers.
    const std::vector<std::uint8_t> bytes = r.fs.bytes("/rec.642");
    ASSERT_EQ(bytes.size() % 3, 0u);
    const std::size_t length = bytes.size() / 3;
    for (std::uint32_t k = 0; k < 3; ++k) {
        const std::size_t at = k * length + 4;
        const std::uint32_t ping = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
        EXPECT_EQ(ping, k + 1);
    }
}

TEST(PingPipeline, ARefusedCycleShowsItsStatusButIsNeitherCountedNorStoredNorRecorded) {
    PipelineRig r;
    ASSERT_TRUE(r.recorder.startRecordingTo("/rec.642", {}));
    r.heads.headReplyHeader[kHeadM][kReplyStatusOffset] = 0x04;
    const PingOutcome out = r.run(PingOrigin::Live);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(r.heads.headStatus[kHeadM], 0x04) << "the diagnostics show the refused status";
    EXPECT_EQ(r.orientation.filters.sampleCounter, 1) << "the sensor block is read all the same";
    EXPECT_EQ(r.cycle.goodCycleCount, 0);
    EXPECT_EQ(HistoryCount(r.imaging.history), 0);
    EXPECT_EQ(r.recordedBytes(), 0u);
    EXPECT_TRUE(r.order.empty()) << "nothing drawn";
}

TEST(PingPipeline, APlayedReadIsParsedOnceUntilForgotten) {
    PipelineRig r;
    r.link.playbackMode = 1;
    r.gps.gpsSentences[0] = kGga;
    EXPECT_TRUE(r.run(PingOrigin::Played).gpsReplayed);
    EXPECT_NEAR(r.gps.fix.gpsLatitude, 48.1173, 1e-4);
    EXPECT_EQ(r.track.trackFirstFix, 0) << "the first position is the track's origin";
    const double northingAtFirstRead = r.track.utmNorthing;
    // The next record repeats the same read: no new parse, no new position.
    r.track.utmNorthing = 0.0;
    EXPECT_FALSE(r.run(PingOrigin::Played).gpsReplayed);
    EXPECT_EQ(r.track.utmNorthing, 0.0);
    // A refused record still brings its GPS read, 22 m further north.
    r.gps.gpsSentences[0] = "$GPGGA,123520,4807.050,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*43";
    r.heads.headReplyHeader[kHeadL][kReplyStatusOffset] = 0x40;
    EXPECT_TRUE(r.run(PingOrigin::Played).gpsReplayed);
    EXPECT_NEAR(r.track.utmNorthing - northingAtFirstRead, 22.2, 0.5);
    // After a jump the same read counts as new.
    r.pipeline.forgetReplayedPosition();
    EXPECT_EQ(r.gps.fix.gpsLatitude, 0.0);
    r.heads.headReplyHeader[kHeadL][kReplyStatusOffset] = 0;
    EXPECT_TRUE(r.run(PingOrigin::Played).gpsReplayed);
    // Live pings use the reader's snapshot as it stands.
    r.link.playbackMode = 0;
    r.gps.gpsSentences[0] = "garbage";
    EXPECT_FALSE(r.run(PingOrigin::Live).gpsReplayed);
    EXPECT_NEAR(r.gps.fix.gpsLatitude, 48.1175, 1e-4);
}

TEST(PingPipeline, ACopyCarriesThePlayedRecordsEventMarkAndCollectsItsEvent) {
    PipelineRig r;
    r.link.playbackMode = 1;
    ASSERT_TRUE(r.recorder.startRecordingTo("/copy.642", {true, "/played.642"}));
    r.dataFile.pingNumber = 12;
    r.dataFile.eventMarkFlag = true;
    r.dataFile.eventMarkNumber = 7;
    r.events.events.entries[0].number = 7;
    r.events.events.entries[0].ping = 12;
    r.events.events.count = 1;
    r.run(PingOrigin::Played);
    const auto& bytes = r.fs.bytes("/copy.642");
    ASSERT_GT(bytes.size(), 66u);
    EXPECT_EQ(bytes[64] | (bytes[65] << 8), 0x8000 | 7) << "bytes 64-65: the event mark of that ping";
    EXPECT_FALSE(r.dataFile.pendingEventFlag) << "the mark goes into one record only";
    EXPECT_EQ(r.events.copyEvents.count, 1);
}

TEST(PingPipeline, WithoutImagesTheRecordIsWrittenAndTheIntervalMeasured) {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    GpsSnapshot gps;
    const int gpsType = 0;
    DataFileState dataFile;
    EventListState events;
    RecorderState state;
    MemoryFileSystem fs;
    rectest::RecordingNotifier notifier;
    rectest::SetClock clock;
    rectest::ScriptedDialogs dialogs;
    rectest::CaptionWindow window;
    CReadWriteFiles files{dataFile, fs, notifier};
    CRecorder recorder{state, dataFile, events, files, RecorderPorts{fs, notifier, clock, dialogs, window}};
    PingPipeline pipeline{PipelineDocument{heads, link, cycle, orientation, gps, gpsType, dataFile},
                          PipelineStages{&recorder}};
    initialiseLinkDefaults({heads, link, cycle, orientation});
    link.linkStale = 0;
    ASSERT_TRUE(recorder.startRecordingTo("/cli.642", {}));
    for (std::uint32_t tick = 100; tick <= 1100; tick += 100)
        ASSERT_TRUE(pipeline.run({PingOrigin::Live, readCycleStatus(heads), tick}).accepted);
    EXPECT_EQ(dataFile.pingNumber, 12u) << "eleven records written, numbered from 1";
    EXPECT_EQ(files.outputSize(), 11u * dataFile.outputRecordLength);
    EXPECT_EQ(cycle.pingIntervalAverage, 100);
}

TEST(PingPipeline, TheLayoutFollowsBeforeDrawingAndNotOnHold) {
    PipelineRig r;
    r.run(PingOrigin::Live);
    EXPECT_EQ(r.order, std::vector<std::string>{"layout"});
    SetHold(r.imaging, true, r.heads, r.link, r.speed);
    const PingOutcome held = r.run(PingOrigin::Live);
    EXPECT_TRUE(held.accepted);
    EXPECT_FALSE(held.stored.drawn);
    EXPECT_EQ(r.order.size(), 1u);
    EXPECT_EQ(HistoryCount(r.imaging.history), 2) << "the history keeps every ping on Hold";
}

}  // namespace
}  // namespace hx
