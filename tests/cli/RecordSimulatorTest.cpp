// hx642-cli record end to end: the real program, run as a child process,
// records from hx642-headsim over loopback TCP; the file is then read back
// record by record, with "hx642-cli info" and as playback reads it. Each
// test has its own loopback addresses (127.0.<net>.2..5).
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <array>
#include <ostream>
#include <string>

#include "CliTestSupport.h"

namespace hx::clitest {
namespace {

using HeadSet = std::array<bool, kHeadCount>;
constexpr HeadSet kAllHeads{true, true, true, true};
constexpr int kRunMs = 30000;

const char* const kHeadIds[kHeadCount] = {"SSL", "SSM", "SSH", "ES1"};

std::uint32_t recordLengthOf(const HeadSet& heads) {
    int n = 0;
    for (bool h : heads) n += h ? 1 : 0;
    return 256 + 2384 * static_cast<std::uint32_t>(n) + 1024 + 256;
}

// The simulator's own ping number, which it puts in every reply header.
std::uint32_t simulatorPing(const DecodedRecord& r, int head) {
    return u32At(r.record.heads[static_cast<std::size_t>(head)].replyHeader, 4);
}

// Every record of a simulator recording: exactly the expected heads, each
// block the second-half reply of its own head with the command that asked
// for it, all blocks of a record from one simulator ping, and no simulator
// ping recorded twice (a block that repeats an old ping is a torn record).
void expectWholeRecords(const RecordedFile& file, const HeadSet& heads) {
    EXPECT_TRUE(file.problem.empty()) << file.problem;
    EXPECT_EQ(file.trailingBytes, 0u);
    std::uint32_t previousPing = 0;
    for (std::size_t i = 0; i < file.records.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        const DecodedRecord& r = file.records[i];
        EXPECT_EQ(r.shape.headPresent, heads);
        EXPECT_TRUE(r.shape.systemInfoPresent);
        EXPECT_EQ(r.shape.recordLength, recordLengthOf(heads));
        EXPECT_FALSE(r.damaged());
        EXPECT_EQ(r.samplesPerSide, 1000);
        std::uint32_t ping = 0;
        for (int h = 0; h < kHeadCount; ++h) {
            if (!heads[static_cast<std::size_t>(h)]) continue;
            const HeadBlock& b = r.record.heads[static_cast<std::size_t>(h)];
            EXPECT_EQ(std::string(b.replyHeader.begin(), b.replyHeader.begin() + 3), kHeadIds[h]);
            EXPECT_EQ(b.replyHeader[8], h);
            EXPECT_EQ(b.replyHeader[10], 0x10) << "the stored header is the second half's";
            EXPECT_EQ(b.replyHeader[3] & 0x7C, 0) << "a cycle with error flags is not recorded";
            EXPECT_EQ(b.command[0], 0xFE);
            EXPECT_EQ(b.command[1], 0x44);
            EXPECT_EQ(b.command[10], 0x10);
            EXPECT_EQ(b.command[127], 0xFD);
            EXPECT_EQ(b.command[15], h == kHeadES ? 0x80 : 0x00);
            EXPECT_EQ(b.dataLength, 2000);
            if (ping == 0) ping = simulatorPing(r, h);
            EXPECT_EQ(simulatorPing(r, h), ping) << "head " << h << " comes from another ping";
        }
        EXPECT_GT(ping, previousPing) << "a ping recorded twice";
        previousPing = ping;
        ASSERT_TRUE(r.record.systemInfo.has_value());
        EXPECT_EQ(std::string(r.record.systemInfo->begin(), r.record.systemInfo->begin() + 3), "TQZ");
        EXPECT_EQ(r.record.orientationAvailable, ((*r.record.systemInfo)[50] & 0x10) != 0);
        EXPECT_EQ(r.record.sentences[0], "$GPS");
        EXPECT_EQ(r.record.dateText.size(), 11u);
        EXPECT_EQ(r.record.timeText.size(), 8u);
        EXPECT_EQ(r.record.millisecondsText.size(), 4u);
    }
}

// "hx642-cli info" and playback agree with the walk over the file.
void expectInfoAndPlaybackAgree(const std::string& path, const RecordedFile& file) {
    const CliResult info = runCli({"info", QString::fromStdString(path)});
    ASSERT_TRUE(info.finished);
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("records:       %1\n").arg(file.records.size())))
        << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QLatin1String("damaged:       none"))) << info.out.toStdString();
    EXPECT_FALSE(info.out.contains(QLatin1String("cut off"))) << info.out.toStdString();

    const PlayedFile played = playDataFile(path);
    EXPECT_TRUE(played.problem.empty()) << played.problem;
    EXPECT_EQ(played.recordsRead, static_cast<int>(file.records.size()));
    EXPECT_EQ(played.damagedRecords, 0);
    EXPECT_EQ(played.pings, pingNumbers(file));
}

class RecordFromSimulator : public FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        out = dir.filePath(QStringLiteral("survey.642")).toStdString();
    }

    bool startSimulator(int net, const QStringList& options = {}) { return sim.start(net, options); }

    // hx642-cli record against the simulator, to its end.
    CliResult record(const QString& address, const QStringList& extra) {
        return runCli(QStringList{"record", "--address", address, "--port", QString::number(sim.port()), "--out",
                                  QString::fromStdString(out)} +
                          extra,
                      kRunMs);
    }

    std::string out;
    HeadSimulator sim;
};

TEST_F(RecordFromSimulator, FourHeadsGiveExactlyTheAskedPingsWithoutGaps) {
    ASSERT_TRUE(startSimulator(40));
    const CliResult r = record(sim.address(kHeadL), {"--pings", "25"});
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("recording to %1").arg(QString::fromStdString(out))))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QLatin1String("ping limit reached")));

    const RecordedFile file = readDataFile(out);
    ASSERT_TRUE(file.opened);
    ASSERT_EQ(file.records.size(), 25u);
    EXPECT_EQ(pingNumbers(file), oneTo(25));
    expectWholeRecords(file, kAllHeads);
    EXPECT_EQ((*file.records[0].record.systemInfo)[50], 0x1F) << "L, M, H, ES and the orientation sensor";
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(eventFileOf(out))));
    expectInfoAndPlaybackAgree(out, file);

    const CliResult info = runCli({"info", QString::fromStdString(out)});
    EXPECT_TRUE(info.out.contains(QLatin1String("pings:         1 .. 25"))) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QLatin1String("ping gaps:     none")));
    EXPECT_TRUE(info.out.contains(QLatin1String("heads L M H ES   with system information, 11072 bytes per record")));
}

// The cycle period in the headers: the mean of ten cycles, so the first ten
// records carry none and every later one a measured period.
TEST_F(RecordFromSimulator, RecordsCarryTheMeasuredCyclePeriod) {
    ASSERT_TRUE(startSimulator(41, {"--delay-ms", "3"}));
    const CliResult r = record(sim.address(kHeadL), {"--pings", "13"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const RecordedFile file = readDataFile(out);
    ASSERT_EQ(file.records.size(), 13u);
    for (std::size_t i = 0; i < file.records.size(); ++i) {
        if (i < 10) {
            EXPECT_EQ(file.records[i].record.pingIntervalMs, 0) << "record " << i;
        } else {
            EXPECT_GT(file.records[i].record.pingIntervalMs, 0) << "record " << i;
        }
    }
}

struct HeadSubset {
    const char* name;
    int net;
    QStringList options;
    int systemHead;  // whose address is typed: the first head the system has
    HeadSet heads;
    std::uint8_t configuration;
};

void PrintTo(const HeadSubset& p, std::ostream* os) { *os << p.name; }

class RecordHeadSubsets : public RecordFromSimulator, public ::testing::WithParamInterface<HeadSubset> {};

// Only the present heads have blocks, in head order. With L absent the
// typed address is M's: the system information request goes over head L's
// connection to whatever address is typed, and any head answers it.
TEST_P(RecordHeadSubsets, RecordsCarryExactlyThePresentHeads) {
    const HeadSubset& p = GetParam();
    ASSERT_TRUE(startSimulator(p.net, p.options));
    const CliResult r = record(sim.address(p.systemHead), {"--pings", "12"});
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const RecordedFile file = readDataFile(out);
    ASSERT_EQ(file.records.size(), 12u);
    EXPECT_EQ(pingNumbers(file), oneTo(12));
    expectWholeRecords(file, p.heads);
    EXPECT_EQ((*file.records[0].record.systemInfo)[50], p.configuration);
    expectInfoAndPlaybackAgree(out, file);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, RecordHeadSubsets,
    ::testing::Values(HeadSubset{"LowAndEchoSounder", 42, {"--heads", "LE"}, kHeadL, {true, false, false, true}, 0x19},
                      HeadSubset{"MediumAndHigh", 43, {"--heads", "MH"}, kHeadM, {false, true, true, false}, 0x16},
                      HeadSubset{"Configuration0x0B", 44, {"--heads", "LME", "--no-orientation"}, kHeadL,
                                 {true, true, false, true}, 0x0B}),
    [](const auto& info) { return std::string(info.param.name); });

// Cycles refused for error flags are neither recorded nor numbered: the
// numbers count the recorded cycles and run on without a gap.
TEST_F(RecordFromSimulator, CyclesWithErrorFlagsAreLeftOutWithoutGaps) {
    ASSERT_TRUE(startSimulator(45, {"--error-every", "5"}));
    CliProcess cli;
    cli.start({"record", "--address", sim.address(kHeadL), "--port", QString::number(sim.port()), "--out",
               QString::fromStdString(out), "--pings", "40"});
    ASSERT_TRUE(cli.waitFinished(kRunMs));
    ASSERT_EQ(cli.exitCode(), 0) << cli.err().toStdString();
    EXPECT_GT(cli.lastProgress(QStringLiteral("rejected")), 0) << cli.err().toStdString();
    const RecordedFile file = readDataFile(out);
    ASSERT_EQ(file.records.size(), 40u);
    EXPECT_EQ(pingNumbers(file), oneTo(40));
    expectWholeRecords(file, kAllHeads);
    expectInfoAndPlaybackAgree(out, file);
}

// Every head closes its connection after ten replies (five cycles); the
// watchdog rebuilds the link and the recording goes on where it stopped.
TEST_F(RecordFromSimulator, ClosedConnectionsAreRebuiltAndNothingIsLostOrTorn) {
    ASSERT_TRUE(startSimulator(46, {"--close-after", "10"}));
    CliProcess cli;
    cli.start({"record", "--address", sim.address(kHeadL), "--port", QString::number(sim.port()), "--out",
               QString::fromStdString(out), "--pings", "8", "--seconds", "20"});
    ASSERT_TRUE(cli.waitFinished(kRunMs));
    ASSERT_EQ(cli.exitCode(), 0) << cli.err().toStdString();
    EXPECT_GE(cli.lastProgress(QStringLiteral("reconnects")), 1);
    const RecordedFile file = readDataFile(out);
    ASSERT_EQ(file.records.size(), 8u);
    EXPECT_EQ(pingNumbers(file), oneTo(8));
    expectWholeRecords(file, kAllHeads);
    expectInfoAndPlaybackAgree(out, file);
}

// A head that never answers stops every cycle at that head; the watchdog
// rebuilds the link every 3 s and polling stalls again, so no cycle is ever
// complete and nothing can be recorded. The program says so.
TEST_F(RecordFromSimulator, SilentHeadLeavesNothingToRecordAndSaysWhy) {
    ASSERT_TRUE(startSimulator(47, {"--silent-head", "H"}));
    CliProcess cli;
    cli.start({"record", "--address", sim.address(kHeadL), "--port", QString::number(sim.port()), "--out",
               QString::fromStdString(out), "--seconds", "5"});
    ASSERT_TRUE(cli.waitFinished(kRunMs));
    EXPECT_FALSE(cli.crashed());
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_GE(cli.lastProgress(QStringLiteral("reconnects")), 1) << cli.err().toStdString();
    EXPECT_TRUE(cli.err().contains(QLatin1String("no ping was recorded: the system at"))) << cli.err().toStdString();
    EXPECT_TRUE(cli.err().contains(QLatin1String("no poll cycle was completed")));
    EXPECT_EQ(QFileInfo(QString::fromStdString(out)).size(), 0);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(eventFileOf(out))));
}

struct StreamFault {
    const char* name;
    int net;
    QStringList options;
    int pings;
};

void PrintTo(const StreamFault& p, std::ostream* os) { *os << p.name; }

class RecordThroughStreamFaults : public RecordFromSimulator, public ::testing::WithParamInterface<StreamFault> {};

// Replies in two segments, an extra byte after each reply, garbage after
// some: the link reassembles and realigns, and every record is whole.
TEST_P(RecordThroughStreamFaults, EveryRecordIsWholeAndReadable) {
    const StreamFault& p = GetParam();
    ASSERT_TRUE(startSimulator(p.net, p.options));
    CliProcess cli;
    cli.start({"record", "--address", sim.address(kHeadL), "--port", QString::number(sim.port()), "--out",
               QString::fromStdString(out), "--pings", QString::number(p.pings), "--seconds", "20"});
    ASSERT_TRUE(cli.waitFinished(kRunMs));
    ASSERT_EQ(cli.exitCode(), 0) << cli.err().toStdString();
    const RecordedFile file = readDataFile(out);
    ASSERT_EQ(file.records.size(), static_cast<std::size_t>(p.pings));
    EXPECT_EQ(pingNumbers(file), oneTo(static_cast<std::uint32_t>(p.pings)));
    expectWholeRecords(file, kAllHeads);
    expectInfoAndPlaybackAgree(out, file);
}

INSTANTIATE_TEST_SUITE_P(Faults, RecordThroughStreamFaults,
                         ::testing::Values(StreamFault{"SplitReplies", 48, {"--split-replies"}, 10},
                                           StreamFault{"ExtraByte", 49, {"--extra-byte"}, 40},
                                           StreamFault{"GarbageEveryThird", 50, {"--garbage-every", "3"}, 40},
                                           StreamFault{"GarbageEveryReply", 51, {"--garbage-every", "1"}, 40}),
                         [](const auto& info) { return std::string(info.param.name); });

// SIGTERM while recording: a clean stop, and every completed cycle is in
// the file as a whole record.
TEST_F(RecordFromSimulator, TerminationKeepsEveryCompletedCycle) {
    ASSERT_TRUE(startSimulator(52));
    CliProcess cli;
    cli.start({"record", "--address", sim.address(kHeadL), "--port", QString::number(sim.port()), "--out",
               QString::fromStdString(out), "--seconds", "60"});
    const QString path = QString::fromStdString(out);
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(path).size() >= 30 * 11072; }, kRunMs));
    cli.terminate();
    ASSERT_TRUE(cli.waitFinished(kRunMs));
    EXPECT_FALSE(cli.crashed());
    EXPECT_EQ(cli.exitCode(), 0) << cli.err().toStdString();
    EXPECT_TRUE(cli.err().contains(QLatin1String("stopped: signal"))) << cli.err().toStdString();

    const long long written = cli.lastProgress(QStringLiteral("pings"));
    const RecordedFile file = readDataFile(out);
    EXPECT_EQ(file.bytes % 11072, 0u);
    ASSERT_GE(file.records.size(), 30u);
    EXPECT_EQ(static_cast<long long>(file.records.size()), written) << "the last progress line counts the file";
    EXPECT_EQ(pingNumbers(file), oneTo(static_cast<std::uint32_t>(file.records.size())));
    expectWholeRecords(file, kAllHeads);
    expectInfoAndPlaybackAgree(out, file);
}

TEST_F(RecordFromSimulator, ASplitRecordingGoesOnInNumberedFilesWithThePingsRunningOn) {
    ASSERT_TRUE(startSimulator(53));
    const CliResult r = record(sim.address(kHeadL), {"--pings", "200", "--split-mb", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // 90 records of 11072 bytes fit in a million bytes.
    const std::vector<std::pair<const char*, std::uint32_t>> files = {
        {"survey.642", 90}, {"survey-002.642", 90}, {"survey-003.642", 20}};
    std::uint32_t nextPing = 1;
    for (const auto& [name, records] : files) {
        SCOPED_TRACE(name);
        const std::string path = dir.filePath(QLatin1String(name)).toStdString();
        const RecordedFile file = readDataFile(path);
        ASSERT_EQ(file.records.size(), records);
        EXPECT_LE(file.bytes, 1000000u);
        expectWholeRecords(file, kAllHeads);
        std::vector<std::uint32_t> expected(records);
        for (std::uint32_t& p : expected) p = nextPing++;
        EXPECT_EQ(pingNumbers(file), expected);
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(eventFileOf(path))));
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("survey-004.642"))));
}

}  // namespace
}  // namespace hx::clitest
