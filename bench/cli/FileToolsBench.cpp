// The file tools on an hour of recording: 36 000 records of four heads at ten
// pings a second with a GPS read every second, written here with the
// recorder's own writer. Beside each figure, in the same run: reading the
// file's bytes and nothing else (the floor of any pass through it), and, for
// the tiled render, encoding the same tiles alone (the floor of an
// encoder-bound job). Render runs hx642-cli as the operator does; export
// runs in this process. HX642_BENCH_RECORDING=FILE keeps the recording there
// (and takes it from there next time), for profiling the tools by hand.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "fakes/FakeNotifier.h"
#include "record/RecordSamples.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"
#include "session/RecordingExport.h"
#include "tools/cli/WaterfallImages.h"

namespace {

constexpr std::uint32_t kRecords = 36000;

std::unique_ptr<QTemporaryDir> gDir;
QString gRecording;

std::string rmcAt(std::uint32_t second) {
    char body[128];
    std::snprintf(body, sizeof body, "GPRMC,%02u%02u%02u.00,A,5738.%04u,N,01139.2000,E,4.0,0.0,071226,,",
                  10 + second / 3600, second / 60 % 60, second % 60, 1000 + second % 8000);
    unsigned sum = 0;
    for (const char* c = body; *c; ++c) sum ^= static_cast<unsigned char>(*c);
    char sentence[160];
    std::snprintf(sentence, sizeof sentence, "$%s*%02X", body, sum);
    return sentence;
}

bool writeRecording() {
    gDir = std::make_unique<QTemporaryDir>();
    gRecording = gDir->filePath(QStringLiteral("hour.642"));
    if (const char* kept = std::getenv("HX642_BENCH_RECORDING")) {
        gRecording = QString::fromLocal8Bit(kept);
        if (QFileInfo::exists(gRecording)) return true;
    }
    hx::StdFileSystem fs;
    hx::test::FakeNotifier notifier;
    hx::DataFileState state;
    hx::CReadWriteFiles writer(state, fs, notifier);
    if (!writer.createOutput(gRecording.toStdString())) return false;
    hx::rectest::SampleDocument doc;
    doc.setHeads({true, true, true, true});
    doc.cycle.pingInterval = 100;
    for (std::uint32_t p = 1; p <= kRecords; ++p) {
        doc.fillForPing(p);
        for (auto& header : doc.heads.headReplyHeader) header[3] = 0;
        doc.sentences = {};
        doc.sentences[0] = rmcAt(p / 10);
        state.pingNumber = p;
        if (writer.writeRecord(doc.sources()) != hx::WriteStatus::Written) return false;
    }
    writer.closeOutput();
    return true;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Wall seconds of one run of hx642-cli; cpuSeconds gets its processor time.
double runCli(const QStringList& args, double& cpuSeconds) {
    const double cpuBefore = childCpuSeconds();
    QProcess cli;
    QElapsedTimer timer;
    timer.start();
    cli.start(QStringLiteral(HX642_BINARY_DIR "/tools/cli/hx642-cli"), args);
    if (!cli.waitForFinished(600000) || cli.exitCode() != 0) {
        std::fprintf(stderr, "hx642-cli %s failed: %s\n", qPrintable(args.join(' ')), cli.readAllStandardError().constData());
        return -1.0;
    }
    cpuSeconds = childCpuSeconds() - cpuBefore;
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void records(benchmark::State& state, double seconds, double cpuSeconds = 0.0) {
    state.SetIterationTime(seconds);
    state.counters["records/s"] = benchmark::Counter(kRecords / seconds);
    // On a busy machine the wall time says little; the program's own
    // processor time says what it costs.
    if (cpuSeconds > 0.0) state.counters["cpu_s"] = benchmark::Counter(cpuSeconds);
}

void BM_ReadFileOnly(benchmark::State& state) {
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        std::ifstream in(gRecording.toStdString(), std::ios::binary);
        std::uint64_t bytes = 0;
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
            bytes += static_cast<std::uint64_t>(in.gcount());
        benchmark::DoNotOptimize(bytes);
        records(state, static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}

void BM_RenderLastScreen(benchmark::State& state) {
    const QString out = gDir->filePath(QStringLiteral("screen.png"));
    for (auto _ : state) {
        double cpu = 0.0;
        const double s = runCli({QStringLiteral("render"), gRecording, QStringLiteral("--out"), out}, cpu);
        if (s < 0) state.SkipWithError("render failed");
        else records(state, s, cpu);
    }
}

void BM_RenderFull(benchmark::State& state) {
    const QString out = gDir->filePath(QStringLiteral("strip.png"));
    for (auto _ : state) {
        double cpu = 0.0;
        const double s = runCli({QStringLiteral("render"), gRecording, QStringLiteral("--out"), out,
                                 QStringLiteral("--full")},
                                cpu);
        if (s < 0) state.SkipWithError("render failed");
        else records(state, s, cpu);
    }
}

void BM_EncodeTilesAlone(benchmark::State& state) {
    std::vector<hx::cli::ImageFile> tiles;
    for (const QString& name : QDir(gDir->path()).entryList({QStringLiteral("strip-*.png")}, QDir::Files))
        tiles.push_back({gDir->filePath(QStringLiteral("again-") + name), QImage(gDir->filePath(name))});
    if (tiles.empty()) {
        state.SkipWithError("no tiles: run BM_RenderFull first");
        return;
    }
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!hx::cli::writePngFiles(tiles).isEmpty()) state.SkipWithError("cannot write");
        records(state, static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}

void BM_ExportXtfAndTrack(benchmark::State& state) {
    hx::StdFileSystem fs;
    hx::test::FakeNotifier notifier;
    hx::ExportRequest request;
    request.recordingPath = gRecording.toStdString();
    request.xtfPath = gDir->filePath(QStringLiteral("hour.xtf")).toStdString();
    request.trackPath = gDir->filePath(QStringLiteral("hour.gpx")).toStdString();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!hx::ExportRecording(request, fs, notifier).ok) state.SkipWithError("export failed");
        records(state, static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}

BENCHMARK(BM_ReadFileOnly)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLastScreen)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFull)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeTilesAlone)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportXtfAndTrack)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::fprintf(stderr, "writing %u records...\n", kRecords);
    if (!writeRecording()) {
        std::fprintf(stderr, "cannot write the recording\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
