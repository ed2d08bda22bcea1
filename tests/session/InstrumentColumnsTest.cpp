// The echo sounder's and the orientation history's step in the road of a
// ping: when a column is added, the altitude it finds and where that
// altitude goes next (the filter, the following ping's record), and Hold.
#include <gtest/gtest.h>

#include "imaging/ColourTables.h"
#include "link/CycleStatus.h"
#include "link/DataReply.h"
#include "link/LinkDefaults.h"
#include "record/RecordSamples.h"
#include "session/PingPipeline.h"

namespace hx {
namespace {

// A 400-row echogram: the window is 200 x 460 pixels.
constexpr int kClientW = 200;
constexpr int kClientH = 460;

struct InstrumentRig {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    GpsSnapshot gps;
    int gpsType = 0;
    DataFileState dataFile;
    ImagingState imaging;
    PaletteState palette;
    SpeedSource speed;
    InstrumentDisplays instruments;
    PingPipeline pipeline{PipelineDocument{heads, link, cycle, orientation, gps, gpsType, dataFile, &imaging, &speed,
                                           nullptr, nullptr, nullptr, &instruments},
                          PipelineStages{}};

    InstrumentRig() {
        initialiseLinkDefaults({heads, link, cycle, orientation});
        rectest::SampleDocument sample;
        sample.fillForPing(3);
        heads.headReplyHeader = sample.heads.headReplyHeader;
        heads.headDisplayLine = sample.heads.headDisplayLine;
        for (auto& header : heads.headReplyHeader) header[kReplyStatusOffset] = 0;
        link.allSideScansAvailable = 1;
        link.orientationAvailable = 1;
        AllocateImages(imaging.store, palette, true, kHeadL, kHeadH, 100, 100);
        imaging.store.imagesReady = 1;
        ResizeEchoGram(instruments.echoSounder, kClientW, kClientH);
        instruments.echoSounderOpen = true;
    }
    // Echo samples: water at 30, then the bottom at 200 from sample `bottom`
    // on (400 rows of 2.5 samples: 301 starts row 120, 501 row 200, 601 row 240).
    void echoBottomAt(int bottom, std::uint8_t water = 30) {
        for (int i = 0; i < static_cast<int>(kEchoSampleCount); ++i)
            heads.headDisplayLine[kHeadES][kEchoLineOffset + static_cast<std::size_t>(i)] = i < bottom ? water : 200;
    }
    PingOutcome ping(bool good = true) {
        heads.headReplyHeader[kHeadM][kReplyStatusOffset] = good ? 0 : 0x40;
        return pipeline.run({PingOrigin::Live, readCycleStatus(heads), 0});
    }
    int newestEchoRowValue(int row) const {
        const EchoGramImage& live = instruments.echoSounder.live;
        return live.at(live.columns() - 1, row);
    }
};

TEST(InstrumentColumns, AnEchoColumnOnlyWhileTheWindowExistsTheWaterfallScrollsAndThePingIsGood) {
    struct Case {
        bool open, scrolling, hold, good;
        bool column;
    };
    const Case cases[] = {
        {true, true, false, true, true},
        {true, true, true, true, true},     // Hold freezes the picture shown, not the echogram
        {false, true, false, true, false},  // no window
        {true, false, false, true, false},  // the playback page of "Bitmap View"
        {true, true, false, false, false},  // an error flag stops the ping before any drawing
    };
    for (const Case& c : cases) {
        InstrumentRig rig;
        rig.echoBottomAt(301);
        rig.instruments.echoSounderOpen = c.open;
        rig.imaging.store.waterfallEnabled = c.scrolling ? 1 : 0;
        rig.imaging.display.holdDisplay = c.hold ? 1 : 0;
        const int before = rig.instruments.echoSounder.live.oldestColumn();
        rig.ping(c.good);
        const bool added = rig.instruments.echoSounder.live.oldestColumn() != before;
        EXPECT_EQ(added, c.column) << c.open << c.scrolling << c.hold << c.good;
        // 300 of 1000 samples is row 120 of 400: 50 m x 120 / 400.
        EXPECT_DOUBLE_EQ(rig.orientation.altitudeM, c.column ? 15.0 : 0.0);
        if (c.column) {
            EXPECT_EQ(rig.newestEchoRowValue(119), 30);
            EXPECT_EQ(rig.newestEchoRowValue(120), 200);
        }
    }
}

TEST(InstrumentColumns, TheAltitudeFeedsTheFilterAndTheNextPingsRecordAndStaysWithoutABottom) {
    InstrumentRig rig;
    rig.orientation.filters[OrientationChannel::Altitude].enabled = 0;
    rig.echoBottomAt(301);
    rig.ping();
    EXPECT_DOUBLE_EQ(rig.orientation.altitudeM, 15.0);
    // The first ping's record was filled before its column: no altitude yet.
    EXPECT_DOUBLE_EQ(rig.imaging.history.records[0].altitudeM, 0.0);

    rig.echoBottomAt(501);  // row 200: 25 m
    rig.ping();
    EXPECT_DOUBLE_EQ(rig.orientation.altitudeM, 25.0);
    EXPECT_DOUBLE_EQ(rig.imaging.history.records[1].altitudeM, 15.0);
    EXPECT_DOUBLE_EQ(rig.orientation.filters[OrientationChannel::Altitude].raw[0], 15.0);
    EXPECT_DOUBLE_EQ(rig.orientation.pingAltitudeM, 15.0);

    // Nothing above 20: no bottom, the altitude stays, the column still comes.
    rig.echoBottomAt(static_cast<int>(kEchoSampleCount), 10);
    const int before = rig.instruments.echoSounder.live.oldestColumn();
    rig.ping();
    EXPECT_NE(rig.instruments.echoSounder.live.oldestColumn(), before);
    EXPECT_DOUBLE_EQ(rig.orientation.altitudeM, 25.0);
    EXPECT_DOUBLE_EQ(rig.imaging.history.records[2].altitudeM, 25.0);
}

TEST(InstrumentColumns, HoldKeepsThePictureOfItsMomentWhileTheLiveOneScrolls) {
    InstrumentRig rig;
    rig.echoBottomAt(301);
    rig.ping();
    rig.ping();
    const EchoGramImage atHold = rig.instruments.echoSounder.live;

    rig.imaging.display.holdDisplay = 1;
    rig.echoBottomAt(601);
    rig.ping();
    rig.ping();
    const EchoSounderState& echo = rig.instruments.echoSounder;
    const int last = echo.hold.columns() - 1;
    for (int row = 0; row < echo.hold.rows(); row += 40) EXPECT_EQ(echo.hold.at(last, row), atHold.at(last, row));
    EXPECT_EQ(echo.live.at(last, 200), 30);  // the live picture has the new bottom at row 240
    EXPECT_EQ(echo.live.at(last, 240), 200);

    // Off and on again: the next Hold takes the picture of its own moment.
    rig.imaging.display.holdDisplay = 0;
    rig.ping();
    rig.imaging.display.holdDisplay = 1;
    rig.ping();
    EXPECT_EQ(echo.hold.at(last, 200), 30);
    EXPECT_EQ(echo.hold.at(last, 240), 200);
}

TEST(InstrumentColumns, TheHistoryGainsTheDecodedValuesWhileItsWindowExists) {
    InstrumentRig rig;
    rig.instruments.echoSounderOpen = false;
    OrientationHistory& history = rig.instruments.history;
    history.resize(300, 220);  // lanes of 40 rows
    const int x = history.newestColumnX();

    rig.ping();
    for (int y = 0; y < history.heightPx(); ++y) ASSERT_EQ(history.at(x, y), 0) << y;

    rig.instruments.historyOpen = true;
    rig.ping();
    int row = 0;
    ASSERT_TRUE(historyRowFor(HistLane::Heading, rig.orientation.headingDeg, history.laneHeightPx(), row));
    EXPECT_EQ(history.at(x, row), kHistHeadingIndex) << rig.orientation.headingDeg;
    ASSERT_TRUE(historyRowFor(HistLane::Temperature, rig.orientation.temperatureC, history.laneHeightPx(), row));
    EXPECT_EQ(history.at(x, row), kHistTemperatureIndex) << rig.orientation.temperatureC;

    ClearInstrumentColumns(rig.instruments);
    for (int y = 0; y < history.heightPx(); ++y) ASSERT_EQ(history.at(x, y), 0) << y;
    EXPECT_EQ(history.widthPx(), 300);
}

}  // namespace
}  // namespace hx
