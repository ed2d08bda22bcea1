#include "CliTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <signal.h>

#include "core/ByteIO.h"
#include "fakes/FakeNotifier.h"
#include "link/LinkState.h"
#include "record/DataFileState.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"

namespace hx::clitest {

namespace {
constexpr int kStopWaitMs = 5000;
constexpr int kSimulatorReadyMs = 10000;
constexpr int kPortAttempts = 3;
}  // namespace

QCoreApplication& testApp() {
    static int argc = 1;
    static char name[] = "hx642-cli-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer heartbeat;  // keeps the deadline checked while nothing else happens
    heartbeat.start(20);
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs) return done();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

QString loopback(int net, int host) { return QStringLiteral("127.0.%1.%2").arg(net).arg(host); }

// --- CliProcess ---------------------------------------------------------------

CliProcess::CliProcess() { testApp(); }

CliProcess::~CliProcess() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(kStopWaitMs);
}

void CliProcess::start(const QStringList& args) {
    startProgram(QStringLiteral(HX642_BINARY_DIR "/tools/cli/hx642-cli"), args);
}

void CliProcess::startProgram(const QString& program, const QStringList& args) {
    process_.setProgram(program);
    process_.setArguments(args);
    process_.start();
    process_.waitForStarted(kStopWaitMs);
}

void CliProcess::sendSignal(int signalNumber) {
    if (process_.processId() > 0) ::kill(static_cast<pid_t>(process_.processId()), signalNumber);
}

bool CliProcess::waitFinished(int timeoutMs) {
    const bool done = waitUntil([this] { return process_.state() == QProcess::NotRunning; }, timeoutMs);
    collect();
    // In the sanitizer build the program reports there; any report fails the test.
    if (err_.contains(QLatin1String("Sanitizer")) || err_.contains(QLatin1String("runtime error:")))
        ADD_FAILURE() << process_.program().toStdString() << " " << process_.arguments().join(' ').toStdString() << ":\n" << err_.toStdString();
    return done;
}

void CliProcess::collect() {
    out_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
    err_ += QString::fromLocal8Bit(process_.readAllStandardError());
}

QString CliProcess::out() {
    collect();
    return out_;
}

QString CliProcess::err() {
    collect();
    return err_;
}

long long CliProcess::lastProgress(const QString& word) {
    const QStringList lines = err().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QRegularExpression number(QStringLiteral("(\\d+) %1|%1 (\\d+)").arg(QRegularExpression::escape(word)));
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (!line->startsWith(QLatin1String("cycles "))) continue;
        const auto m = number.match(*line);
        if (!m.hasMatch()) return -1;
        return (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1)).toLongLong();
    }
    return -1;
}

CliResult runCli(const QStringList& args, int timeoutMs) {
    CliProcess cli;
    cli.start(args);
    CliResult r;
    r.finished = cli.waitFinished(timeoutMs);
    r.crashed = cli.crashed();
    r.exitCode = cli.exitCode();
    r.out = cli.out();
    r.err = cli.err();
    return r;
}

// --- HeadSimulator ------------------------------------------------------------

std::uint16_t freePort(const QString& address) {
    QTcpServer probe;
    if (!probe.listen(QHostAddress(address), 0)) return 0;
    return probe.serverPort();
}

HeadSimulator::~HeadSimulator() { stop(); }

bool HeadSimulator::start(int net, const QStringList& options) {
    testApp();
    qputenv("HX642_HEADSIM", HX642_BINARY_DIR "/tools/headsim/hx642-headsim");
    QStringList addresses;
    for (int host = 2; host <= 5; ++host) addresses << loopback(net, host);
    // The port is free a moment before the simulator takes it; another
    // program may take it first, so a failed start tries another one.
    for (int attempt = 0; attempt < kPortAttempts; ++attempt) {
        port_ = freePort(addresses[0]);
        if (port_ == 0) return false;
        process_ = std::make_unique<SimulatorProcess>();
        process_->start(QStringList{"--addresses", addresses.join(','), "--port", QString::number(port_),
                                    "--no-delay", "--seconds", "90"} +
                        options);
        if (process_->waitUntilReady(kSimulatorReadyMs)) return true;
        process_.reset();
    }
    return false;
}

QString HeadSimulator::address(int head) const {
    return process_ ? process_->endpoints().address[static_cast<std::size_t>(head)] : QString();
}

void HeadSimulator::stop() { process_.reset(); }

// --- Data files -----------------------------------------------------------------

RecordedFile readDataFile(const std::string& path) {
    RecordedFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) return file;
    file.opened = true;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    file.bytes = bytes.size();
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::span<const std::uint8_t> rest(bytes.data() + at, bytes.size() - at);
        if (rest.size() < kRecordHeaderBytes) {
            file.trailingBytes = rest.size();
            break;
        }
        const auto shape = checkRecordHeader(rest.first(kRecordHeaderBytes));
        if (!shape) {
            file.problem = "no record starts at offset " + std::to_string(at);
            break;
        }
        if (shape->recordLength > rest.size()) {
            file.trailingBytes = rest.size();
            break;
        }
        const auto decoded = decodeRecord(rest.first(shape->recordLength));
        if (!decoded) {
            file.problem = "record at offset " + std::to_string(at) + " does not decode";
            break;
        }
        file.records.push_back(*decoded);
        file.raw.emplace_back(rest.begin(), rest.begin() + shape->recordLength);
        at += shape->recordLength;
    }
    return file;
}

PlayedFile playDataFile(const std::string& path) {
    PlayedFile played;
    StdFileSystem fs;
    test::FakeNotifier notifier;
    DataFileState state;
    CReadWriteFiles files(state, fs, notifier);
    if (files.openPlayback(path) != OpenStatus::Opened) {
        played.problem = notifier.messages.empty() ? "not opened" : notifier.messages.front().text;
        return played;
    }
    played.opened = true;
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    SentenceSlots sentences;
    int gpsType = 0;
    int alarm = 0;
    RecordTargets targets{heads, link, cycle, sentences, gpsType, alarm};
    constexpr int kMaxRecords = 1000000;  // bounds the walk whatever the file says
    for (int i = 0; i < kMaxRecords; ++i) {
        const ReadResult r = files.readRecord(false, targets);
        if (r.status == ReadStatus::EndOfFile) return played;
        if (r.status != ReadStatus::Ok) {
            played.problem = "read status " + std::to_string(static_cast<int>(r.status)) + " after " +
                             std::to_string(played.recordsRead) + " records";
            return played;
        }
        ++played.recordsRead;
        if (r.damaged()) ++played.damagedRecords;
        played.pings.push_back(state.pingNumber);
    }
    played.problem = "no end";
    return played;
}

std::vector<std::uint32_t> pingNumbers(const RecordedFile& file) {
    std::vector<std::uint32_t> pings;
    for (const DecodedRecord& r : file.records) pings.push_back(r.record.pingNumber);
    return pings;
}

std::vector<std::uint32_t> oneTo(std::uint32_t n) {
    std::vector<std::uint32_t> v;
    for (std::uint32_t i = 1; i <= n; ++i) v.push_back(i);
    return v;
}

std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return readU16Le(bytes, offset).value_or(0);
}

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return readU32Le(bytes, offset).value_or(0);
}

std::string eventFileOf(const std::string& dataFile) { return dataFile.substr(0, dataFile.size() - 3) + "an"; }

}  // namespace hx::clitest
