// hx642-cli record against heads scripted in this process: every head block
// of every record is compared byte for byte with the command the head
// received and the replies it sent for that ping, and the system
// information block with the reply the system sent.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <set>
#include <span>
#include <string>
#include <utility>

#include "CliTestSupport.h"
#include "ScriptedHeads.h"

namespace hx::clitest {
namespace {

constexpr int kRunMs = 30000;
constexpr std::size_t kBlockCommand = 128;
constexpr std::size_t kBlockReplyHeader = 256;
constexpr std::size_t kBlockEchoLine = 384;
constexpr std::size_t kStoredHeaderBytes = 127;  // the link keeps reply bytes 0..126
constexpr std::size_t kReplyData = 127;

using Bytes = std::span<const std::uint8_t>;

Bytes bytesOf(const QByteArray& b) { return {reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size())}; }

// "" when equal, else where they first differ.
std::string difference(Bytes recorded, Bytes expected) {
    if (recorded.size() != expected.size())
        return "length " + std::to_string(recorded.size()) + " != " + std::to_string(expected.size());
    for (std::size_t i = 0; i < recorded.size(); ++i)
        if (recorded[i] != expected[i])
            return "offset " + std::to_string(i) + ": " + std::to_string(recorded[i]) + " != " + std::to_string(expected[i]);
    return {};
}

// The echo line the replies make: port samples reversed into 0..999 and
// starboard samples in 1000..1999; the echo sounder's samples in reply
// order, then its second half (the sensor block first).
std::vector<std::uint8_t> expectedEchoLine(int head, const ScriptedHeads::PingExchange& ex) {
    std::vector<std::uint8_t> line(kEchoLineBytes);
    const Bytes first = bytesOf(ex.firstReply);
    const Bytes second = bytesOf(ex.secondReply);
    for (std::size_t j = 0; j < kSideDataPoints; ++j) {
        line[head == kHeadES ? j : kSideDataPoints - 1 - j] = first[kReplyData + j];
        line[kSideDataPoints + j] = second[kReplyData + j];
    }
    return line;
}

// Checks one record against the heads' exchanges; returns each head's ping
// as the heads counted it (from the recorded reply header).
std::array<std::uint32_t, kHeadCount> expectRecordIsWhatWasExchanged(const std::vector<std::uint8_t>& raw,
                                                                    const ScriptedHeads& heads) {
    std::array<std::uint32_t, kHeadCount> pings{};
    const Bytes record(raw);
    for (int h = 0; h < kHeadCount; ++h) {
        SCOPED_TRACE("head " + std::to_string(h));
        const Bytes block = record.subspan(256 + 2384 * static_cast<std::size_t>(h), 2384);
        const std::uint32_t ping = u32At(block, kBlockReplyHeader + 4);
        pings[static_cast<std::size_t>(h)] = ping;
        const ScriptedHeads::PingExchange* ex = heads.exchange(h, ping);
        if (ex == nullptr || ex->firstReply.isEmpty() || ex->secondReply.isEmpty()) {
            ADD_FAILURE() << "ping " << ping << " was never sent whole";
            continue;
        }
        const Bytes command = bytesOf(ex->secondCommand);

        EXPECT_EQ(std::string(block.begin(), block.begin() + 5), "Sonar");
        EXPECT_EQ(block[5], h);
        EXPECT_EQ(u16At(block, 6), 2000);
        EXPECT_EQ(u32At(block, 10), u32At(command, 30)) << "frequency as commanded";
        EXPECT_EQ(u16At(block, 14), u16At(command, 34)) << "range as commanded";
        EXPECT_EQ(block[18], command[38]) << "gain as commanded";
        EXPECT_EQ(block[20], h == kHeadES ? 0 : command[12]) << "transmit control as commanded";

        EXPECT_EQ(difference(block.subspan(kBlockCommand, 128), command), "") << "command";
        EXPECT_EQ(difference(block.subspan(kBlockReplyHeader, kStoredHeaderBytes),
                             bytesOf(ex->secondReply).first(kStoredHeaderBytes)),
                  "")
            << "reply header";
        EXPECT_EQ(block[kBlockReplyHeader + kStoredHeaderBytes], 0) << "the link never writes header byte 127";
        EXPECT_EQ(difference(block.subspan(kBlockEchoLine, kEchoLineBytes), expectedEchoLine(h, *ex)), "")
            << "echo line";

        // The first half was asked with the same command but for byte 10.
        QByteArray asFirst = ex->secondCommand;
        asFirst[10] = 0x00;
        EXPECT_EQ(difference(bytesOf(ex->firstCommand), bytesOf(asFirst)), "") << "first-half command";
        EXPECT_EQ(static_cast<std::uint8_t>(ex->secondCommand[10]), 0x10);
    }
    const std::uint16_t sysInfoAt = u16At(record, 55);
    EXPECT_EQ(record[54], 1);
    EXPECT_EQ(sysInfoAt, 256 + 4 * 2384 + 1024);
    if (sysInfoAt + kSystemInfoBytes <= record.size()) {
        EXPECT_EQ(difference(record.subspan(sysInfoAt, kSystemInfoBytes), bytesOf(heads.systemInfo())), "")
            << "system information";
    }
    return pings;
}

class RecordFromScriptedHeads : public ::testing::Test {
protected:
    void SetUp() override {
        testApp();
        ASSERT_TRUE(dir.isValid());
        out = dir.filePath(QStringLiteral("scripted.642")).toStdString();
    }

    // Runs hx642-cli while this process's event loop serves the heads.
    void record(ScriptedHeads& heads, const QStringList& extra) {
        cli.start(QStringList{"record", "--address", heads.address(kHeadL), "--port", QString::number(heads.port()),
                              "--out", QString::fromStdString(out)} +
                  extra);
        ASSERT_TRUE(cli.waitFinished(kRunMs));
        ASSERT_FALSE(cli.crashed());
        ASSERT_EQ(cli.exitCode(), 0) << cli.err().toStdString();
    }

    QTemporaryDir dir;
    std::string out;
    CliProcess cli;
};

class RecordBytes : public RecordFromScriptedHeads, public ::testing::WithParamInterface<bool> {};

TEST_P(RecordBytes, EveryBlockHoldsExactlyWhatTheHeadsReceivedAndSent) {
    const bool split = GetParam();
    ScriptedHeads heads({.net = split ? 61 : 60, .splitReplies = split});
    ASSERT_TRUE(heads.listen());
    record(heads, {"--pings", "12"});

    const RecordedFile file = readDataFile(out);
    ASSERT_TRUE(file.problem.empty()) << file.problem;
    ASSERT_EQ(file.records.size(), 12u);
    EXPECT_EQ(pingNumbers(file), oneTo(12));
    for (std::size_t i = 0; i < file.raw.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        const auto pings = expectRecordIsWhatWasExchanged(file.raw[i], heads);
        // Nothing dropped or repeated: the i-th record is every head's i-th ping.
        for (std::uint32_t p : pings) EXPECT_EQ(p, i + 1);
    }
    EXPECT_EQ(heads.systemInfoRequests(), 1);
    EXPECT_EQ(heads.unexpectedCommands(), 0);
    EXPECT_EQ(heads.connections(kHeadL), 2) << "the system information connection, then the polling one";
    for (int h = kHeadM; h < kHeadCount; ++h) EXPECT_EQ(heads.connections(h), 1) << "no rebuild";
    EXPECT_EQ(cli.lastProgress(QStringLiteral("reconnects")), 0);
}

// The first request already carries the default head settings (as the
// desktop program's settings load writes them): head L's frequency, the
// range, the gain and the transmit control, not the bare template's 0 Hz.
TEST_F(RecordFromScriptedHeads, TheSystemInformationRequestCarriesTheHeadSettings) {
    ScriptedHeads heads({.net = 63});
    ASSERT_TRUE(heads.listen());
    record(heads, {"--pings", "2"});
    const QByteArray request = heads.systemInfoRequest();
    ASSERT_EQ(request.size(), 128);
    const Bytes command = bytesOf(request);
    EXPECT_EQ(command[1], 0x99);
    EXPECT_EQ(u32At(command, 30), 120000u) << "head L's frequency in Hz";
    EXPECT_EQ(u16At(command, 34), 50) << "the sidescan range";
    EXPECT_EQ(command[38], 6) << "the gain step";
    EXPECT_EQ(command[12], 0x10) << "the transmit control";
}

INSTANTIATE_TEST_SUITE_P(Replies, RecordBytes, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "SplitInTwoSegments" : "Whole"); });

// Head M's connection is closed by the head after three pings while the
// others go on answering. The link is rebuilt at once, no cycle completes
// without M, so M's last ping is never recorded again, and M's new pings
// are recorded once it is back.
TEST_F(RecordFromScriptedHeads, HeadThatDropsOutIsNeverRecordedTwice) {
    ScriptedHeads heads({.net = 62, .closingHead = kHeadM, .closeAfterReplies = 6});
    ASSERT_TRUE(heads.listen());
    record(heads, {"--pings", "10", "--seconds", "20"});

    const RecordedFile file = readDataFile(out);
    ASSERT_TRUE(file.problem.empty()) << file.problem;
    ASSERT_EQ(file.records.size(), 10u);
    std::set<std::pair<int, std::uint32_t>> seen;
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i < file.raw.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_GT(file.records[i].record.pingNumber, previous);
        previous = file.records[i].record.pingNumber;
        const auto pings = expectRecordIsWhatWasExchanged(file.raw[i], heads);
        for (int h = 0; h < kHeadCount; ++h)
            EXPECT_TRUE(seen.insert({h, pings[static_cast<std::size_t>(h)]}).second)
                << "head " << h << " ping " << pings[static_cast<std::size_t>(h)] << " recorded twice";
    }
    ASSERT_GE(heads.connections(kHeadM), 2) << "M's connection was rebuilt";
    const std::uint32_t lastM = u32At(file.records.back().record.heads[kHeadM].replyHeader, 4);
    EXPECT_GT(lastM, heads.pingAtConnection(kHeadM, 2)) << "M is recorded again after the rebuild";
    EXPECT_GE(cli.lastProgress(QStringLiteral("reconnects")), 1);
}

}  // namespace
}  // namespace hx::clitest
