// One playback step (read a whole four-head record into the document) and
// one record step (append a record and push it to the system), each beside
// a baseline that moves the same bytes through the same file with plain
// stdio, measured in the same run on a file in the temporary folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"

namespace {

using namespace hx;

class NullNotifier final : public INotifier {
public:
    Answer message(const std::string&, MessageIcon, Buttons, const std::string&) override { return Answer::Ok; }
};

struct Document {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    SentenceSlots sentences;
    int gpsType = 0;
    int alarm = 0;
    Document() {
        std::mt19937 rng(1);
        for (auto& line : heads.headDisplayLine)
            for (auto& b : line) b = static_cast<std::uint8_t>(rng());
        link.sysInfoReceived = 1;
        cycle.pingDateText = "07-DEC-2026";
        cycle.pingTimeText = "14:05:09";
        cycle.pingMillisecondsText = ".123";
        sentences[0] = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
    }
    RecordSources sources() const { return {heads, link, cycle, sentences, gpsType}; }
    RecordTargets targets() { return {heads, link, cycle, sentences, gpsType, alarm}; }
};

std::string benchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("hx642-bench-") + name + ".642")).string();
}

constexpr int kRecords = 200;

std::string writeSampleFile() {
    const std::string path = benchPath("read");
    DataFileState state;
    StdFileSystem fs;
    NullNotifier notifier;
    CReadWriteFiles files(state, fs, notifier);
    Document doc;
    files.createOutput(path);
    for (int i = 1; i <= kRecords; ++i) {
        state.pingNumber = static_cast<std::uint32_t>(i);
        files.writeRecord(doc.sources());
    }
    return path;
}

void BM_PlaybackStep(benchmark::State& st) {
    const std::string path = writeSampleFile();
    DataFileState state;
    StdFileSystem fs;
    NullNotifier notifier;
    CReadWriteFiles files(state, fs, notifier);
    Document doc;
    auto t = doc.targets();
    files.openPlayback(path);
    for (auto _ : st) {
        if (files.readRecord(false, t).status != ReadStatus::Ok) state.recordPosition = 0;
        benchmark::DoNotOptimize(doc.heads.headDisplayLine[3][500]);
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * 11072);
    std::filesystem::remove(path);
}

void BM_BaselineStdioRead(benchmark::State& st) {
    const std::string path = writeSampleFile();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<std::uint8_t> buf(11072);
    long pos = 0;
    for (auto _ : st) {
        std::fseek(f, pos, SEEK_SET);
        if (std::fread(buf.data(), 1, buf.size(), f) != buf.size()) pos = 0;
        else pos += 11072;
        benchmark::DoNotOptimize(buf[500]);
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * 11072);
    std::fclose(f);
    std::filesystem::remove(path);
}

void BM_RecordStep(benchmark::State& st) {
    const std::string path = benchPath("write");
    DataFileState state;
    StdFileSystem fs;
    NullNotifier notifier;
    CReadWriteFiles files(state, fs, notifier);
    Document doc;
    files.createOutput(path);
    int n = 0;
    for (auto _ : st) {
        if (++n % 1000 == 0) files.createOutput(path);  // keep the file small
        state.pingNumber = static_cast<std::uint32_t>(n);
        benchmark::DoNotOptimize(files.writeRecord(doc.sources()));
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * 11072);
    files.closeOutput();
    std::filesystem::remove(path);
}

void BM_BaselineStdioAppend(benchmark::State& st) {
    const std::string path = benchPath("append");
    std::FILE* f = std::fopen(path.c_str(), "w+b");
    std::vector<std::uint8_t> buf(11072, 0x42);
    int n = 0;
    for (auto _ : st) {
        if (++n % 1000 == 0) {
            std::fclose(f);
            f = std::fopen(path.c_str(), "w+b");
        }
        std::fwrite(buf.data(), 1, buf.size(), f);
        benchmark::DoNotOptimize(std::fflush(f));
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * 11072);
    std::fclose(f);
    std::filesystem::remove(path);
}

BENCHMARK(BM_BaselineStdioRead);
BENCHMARK(BM_PlaybackStep);
BENCHMARK(BM_BaselineStdioAppend);
BENCHMARK(BM_RecordStep);

}  // namespace

BENCHMARK_MAIN();
