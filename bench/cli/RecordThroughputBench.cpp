// Cycles per second of unattended recording: the headless recorder (the
// acquisition cycle over Qt head connections, writing every cycle to a data
// file) against hx642-headsim answering at once on loopback. Next to it the
// floor of the same link, measured in the same run against the same
// simulator: a minimal blocking client doing the eight request/reply
// exchanges of a four-head cycle and nothing else. The simulator's own work
// is in both figures.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTcpServer>
#include <QHostAddress>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>

#include "link/LinkDefaults.h"
#include "link/LinkState.h"
#include "platform/SimulatorProcess.h"
#include "tools/cli/HeadlessRecorder.h"

namespace {

constexpr int kNet = 80;                     // the simulator's heads on 127.0.80.2..5
constexpr int kCyclesPerRecording = 1500;
constexpr int kSocketTimeoutS = 3;            // no read or write waits longer

std::unique_ptr<hx::SimulatorProcess> gSimulator;
std::uint16_t gPort = 0;
double gRecorderCyclesPerS = 0;
double gFloorCyclesPerS = 0;

QString headAddress(int head) { return QStringLiteral("127.0.%1.%2").arg(kNet).arg(2 + head); }

// One blocking TCP connection to a head, with bounded reads and writes.
class BlockingHead {
public:
    ~BlockingHead() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool open(const QString& address, std::uint16_t port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd_ < 0) return false;
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        const timeval timeout{kSocketTimeoutS, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        if (::inet_pton(AF_INET, address.toLatin1().constData(), &to.sin_addr) != 1) return false;
        return ::connect(fd_, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    }
    // Sends the command and reads the whole data reply.
    bool exchange(const hx::CommandMessage& command, std::array<std::uint8_t, hx::kDataReplyBytes>& reply) {
        if (::send(fd_, command.data(), command.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(command.size()))
            return false;
        std::size_t got = 0;
        while (got < reply.size()) {
            const ssize_t n = ::recv(fd_, reply.data() + got, reply.size() - got, 0);
            if (n <= 0) return false;
            got += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_ = -1;
};

// The floor: per cycle L-first, L-second, M-first, ..., ES-second, each
// waiting for its whole reply, with the commands the link would send.
void BM_FloorBlockingClient(benchmark::State& state) {
    hx::HeadTable heads;
    hx::LinkFields link;
    hx::CycleValues cycle;
    hx::OrientationState orientation;
    hx::initialiseLinkDefaults({heads, link, cycle, orientation});
    std::array<BlockingHead, hx::kHeadCount> connections;
    for (int h = 0; h < hx::kHeadCount; ++h) {
        if (!connections[static_cast<std::size_t>(h)].open(headAddress(h), gPort)) {
            state.SkipWithError("cannot connect to the simulator");
            return;
        }
        heads.headCommand[static_cast<std::size_t>(h)][1] = 0x44;
    }
    std::array<std::uint8_t, hx::kDataReplyBytes> reply{};
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (std::size_t h = 0; h < hx::kHeadCount; ++h) {
            for (std::uint8_t half : {std::uint8_t{0x00}, std::uint8_t{0x10}}) {
                heads.headCommand[h][10] = half;
                if (!connections[h].exchange(heads.headCommand[h], reply)) {
                    state.SkipWithError("a head did not answer");
                    return;
                }
            }
        }
        benchmark::DoNotOptimize(reply.data());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetItemsProcessed(state.iterations());
    gFloorCyclesPerS = static_cast<double>(state.iterations()) / seconds;
}

// Unattended recording: one whole recording of kCyclesPerRecording cycles
// per iteration, from start (connection and system information included)
// to the last record written.
void BM_HeadlessRecording(benchmark::State& state) {
    std::int64_t cycles = 0;
    double seconds = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        hx::cli::RecordOptions options;
        options.address = headAddress(hx::kHeadL).toStdString();
        options.port = gPort;
        options.outPath = dir.filePath(QStringLiteral("bench.642")).toStdString();
        options.pings = kCyclesPerRecording;
        options.seconds = 60;
        hx::cli::HeadlessRecorder recorder(options);
        QEventLoop loop;
        QObject::connect(&recorder, &hx::cli::HeadlessRecorder::finished, &loop, &QEventLoop::quit,
                         Qt::QueuedConnection);
        const auto start = std::chrono::steady_clock::now();
        if (!recorder.start()) {
            state.SkipWithError("cannot create the data file");
            return;
        }
        loop.exec();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(s);
        if (recorder.counters().pingsWritten != kCyclesPerRecording) {
            state.SkipWithError("the recording stopped early");
            return;
        }
        cycles += recorder.counters().pingsWritten;
        seconds += s;
    }
    state.SetItemsProcessed(cycles);
    gRecorderCyclesPerS = static_cast<double>(cycles) / seconds;
}

BENCHMARK(BM_FloorBlockingClient)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_HeadlessRecording)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

bool startSimulator() {
    qputenv("HX642_HEADSIM", HX642_BINARY_DIR "/tools/headsim/hx642-headsim");
    QStringList addresses;
    for (int h = 0; h < hx::kHeadCount; ++h) addresses << headAddress(h);
    for (int attempt = 0; attempt < 3; ++attempt) {
        {
            QTcpServer probe;  // a port free on our addresses a moment ago
            if (!probe.listen(QHostAddress(addresses[0]), 0)) return false;
            gPort = probe.serverPort();
        }
        auto sim = std::make_unique<hx::SimulatorProcess>();
        sim->start({"--addresses", addresses.join(','), "--port", QString::number(gPort), "--no-delay", "--seconds",
                    "600"});
        if (sim->waitUntilReady(10000)) {
            gSimulator = std::move(sim);
            return true;
        }
        std::fprintf(stderr, "%s\n", qPrintable(sim->errorText()));
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Loopback only, whatever the shell says: a benchmark never reaches real heads.
    qputenv("HX642_LOOPBACK_ONLY", "1");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!startSimulator()) {
        std::fprintf(stderr, "the head simulator did not start\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gSimulator.reset();  // stopped while the application object still exists
    if (gRecorderCyclesPerS > 0 && gFloorCyclesPerS > 0) {
        std::printf("\nunattended recording: %.0f cycles/s; floor (blocking client, same simulator): %.0f cycles/s; "
                    "recording at %.0f %% of the floor\n",
                    gRecorderCyclesPerS, gFloorCyclesPerS, 100.0 * gRecorderCyclesPerS / gFloorCyclesPerS);
    }
    return 0;
}
