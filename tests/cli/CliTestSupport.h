// What the hx642-cli tests share: the program run as a child process while
// this process keeps its event loop going, hx642-headsim on a test's own
// loopback addresses with one port for every head, and a data file read
// back record by record. Every wait is bounded.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/SimulatorProcess.h"
#include "record/DataRecord.h"

namespace hx::clitest {

QCoreApplication& testApp();

// A test with a fresh temporary folder for its files.
class FolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApp();
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// Runs the event loop until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

// 127.0.<net>.<host>
QString loopback(int net, int host);

// hx642-cli as a child process.
class CliProcess {
public:
    CliProcess();
    ~CliProcess();

    void start(const QStringList& args);
    // Another of the project's programs, by its path in the build tree.
    void startProgram(const QString& program, const QStringList& args);
    // Waits (running the event loop) until the program has ended.
    bool waitFinished(int timeoutMs);
    // SIGTERM, as a service manager or an operator's kill would send it.
    void terminate() { process_.terminate(); }
    void sendSignal(int signalNumber);
    bool running() const { return process_.state() == QProcess::Running; }

    bool crashed() const { return process_.exitStatus() != QProcess::NormalExit; }
    int exitCode() const { return process_.exitCode(); }
    QString out();
    QString err();
    // Counters of the last progress line ("cycles 12 good, ... pings 12; ..."):
    // the number after the given word, or -1.
    long long lastProgress(const QString& word);

private:
    void collect();

    QProcess process_;
    QString out_;
    QString err_;
};

struct CliResult {
    bool finished = false;
    bool crashed = false;
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs hx642-cli to its end, at most timeoutMs.
CliResult runCli(const QStringList& args, int timeoutMs = 20000);

// hx642-headsim serving heads on 127.0.<net>.2..5, all on one free port
// (hx642-cli takes one port for every head), answering at once.
class HeadSimulator {
public:
    ~HeadSimulator();
    bool start(int net, const QStringList& options);
    std::uint16_t port() const { return port_; }
    QString address(int head) const;
    void stop();

private:
    std::unique_ptr<SimulatorProcess> process_;
    std::uint16_t port_ = 0;
};

// A free TCP port on the given loopback address, or 0.
std::uint16_t freePort(const QString& address);

// A data file walked record by record, each by its own length.
struct RecordedFile {
    bool opened = false;
    std::uint64_t bytes = 0;
    std::vector<std::vector<std::uint8_t>> raw;   // each record's bytes
    std::vector<DecodedRecord> records;
    std::uint64_t trailingBytes = 0;              // after the last whole record
    std::string problem;                          // the first place that is no whole record
};
RecordedFile readDataFile(const std::string& path);

// The same file read as playback reads it (CReadWriteFiles, forwards).
struct PlayedFile {
    bool opened = false;
    int recordsRead = 0;
    int damagedRecords = 0;
    std::vector<std::uint32_t> pings;
    std::string problem;  // what stopped the walk before the end, if anything
};
PlayedFile playDataFile(const std::string& path);

// The ping numbers of the records, in file order.
std::vector<std::uint32_t> pingNumbers(const RecordedFile& file);
// 1, 2, ..., n
std::vector<std::uint32_t> oneTo(std::uint32_t n);

// Little-endian fields of a record's bytes (0 beyond the end).
std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t offset);
std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t offset);

// The event file beside a data file: its name with "an" for the last three characters.
std::string eventFileOf(const std::string& dataFile);

}  // namespace hx::clitest
