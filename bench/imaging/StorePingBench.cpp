// The per-ping display step and the rebuild from the history, each beside a
// baseline in the same run:
//   StorePing         the ring store (rows stay, the newest-row index moves)
//   LiteralStorePing  the same lines into images that move every row per ping
//   RebuildImages     newest first from a wrapped 4000-ping history
//   ReplayPings       redrawing the same picture by appending its pings oldest first
// Arguments: image width, sidescan heads shown (2 or 3). Speed correction on,
// 50 m, 3 kn, 200 ms: about 3, 6 and 12 rows a ping at 1000, 2000, 4000 pixels.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "imaging/ColourTables.h"
#include "imaging/Rebuild.h"
#include "imaging/StorePing.h"
#include "tests/imaging/LiteralWaterfall.h"

namespace hx {
namespace {

constexpr int kDistinctPings = 64;

struct Feed {
    std::vector<HeadTable> heads;
    LinkFields link;
    CycleValues cycle;
    PingExtras extras;

    explicit Feed(bool three) : heads(kDistinctPings) {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> d(0, 255);
        for (auto& h : heads) {
            h.sideScanRange = 50;
            for (auto& line : h.headDisplayLine)
                for (auto& b : line) b = static_cast<std::uint8_t>(d(rng));
        }
        link.allSideScansAvailable = three ? 1 : 0;
        link.displayHeadA = kHeadL;
        link.displayHeadB = kHeadH;
        link.playbackMode = 1;  // keep the 200 ms interval as given
        cycle.pingTimeText = "12:00:00";
        cycle.pingMillisecondsText = ".000";
        cycle.pingInterval = 200;
        extras.gpsSpeedKn = 3.0;
        for (auto& t : extras.gpsText) t = "n/a";
    }
};

std::unique_ptr<ImagingState> readyState(const LinkFields& link, int width) {
    auto imaging = std::make_unique<ImagingState>();
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    imaging->store.imageWidth = imaging->store.imageHeight = width;
    imaging->store.imageScale = 1.0;
    AllocateImages(imaging->store, palette, link.allSideScansAvailable != 0, link.displayHeadA, link.displayHeadB,
                   width, width);
    ClearScreen(imaging->store, imaging->lines);
    imaging->store.viewReady = imaging->store.imagesReady = 1;
    return imaging;
}

void StorePingBench(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    Feed feed(state.range(1) == 3);
    auto imaging = readyState(feed.link, width);
    int i = 0;
    for (auto _ : state) {
        feed.extras.pingNumber = ++i;
        const StoredPing p = StorePing(*imaging, feed.cycle, feed.heads[static_cast<std::size_t>(i % kDistinctPings)],
                                       feed.link, SpeedSource{}, feed.extras);
        benchmark::DoNotOptimize(p);
    }
    state.counters["rows/ping"] = benchmark::Counter(static_cast<double>(imaging->store.totalRows) / i);
}

void LiteralStorePingBench(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const bool three = state.range(1) == 3;
    Feed feed(three);
    testing::LiteralImageSet set(width, width, three, kHeadL, kHeadH);
    LineCountState lines;
    DisplaySettings display;
    const SpeedSource speed;
    const std::vector<int> shown = three ? std::vector<int>{0, 1, 2} : std::vector<int>{kHeadL, kHeadH};
    int i = 0;
    for (auto _ : state) {
        const HeadTable& heads = feed.heads[static_cast<std::size_t>(++i % kDistinctPings)];
        ComputeLineCount(lines, {heads.sideScanRange, feed.cycle.pingInterval, feed.extras.gpsSpeedKn}, kHeadL,
                         display.sideDisplayMode, {width, 1.0}, speed);
        const int n = ChosenLineCount(lines, speed);
        RowMeta meta;
        meta.pingNumber = i;
        for (int h : shown) {
            const auto k = static_cast<std::size_t>(h);
            const LineInput input{
                std::span<const std::uint8_t, 2000>(heads.headDisplayLine[k].data() + kEchoLineOffset, 2000),
                heads.sideScanRange, heads.headFrequency[k], true};
            testing::LiteralAppendLine(set, display, input, LineTarget{h, three, h == shown.front()}, n, meta,
                                       lines.speedLineCount);
        }
        benchmark::DoNotOptimize(set.head[0].data());
    }
}

// A state whose history has wrapped (4100 pings) and whose images hold them.
std::unique_ptr<ImagingState> wrappedState(Feed& feed, int width) {
    auto imaging = readyState(feed.link, width);
    for (int i = 1; i <= 4100; ++i) {
        feed.extras.pingNumber = i;
        StorePing(*imaging, feed.cycle, feed.heads[static_cast<std::size_t>(i % kDistinctPings)], feed.link,
                  SpeedSource{}, feed.extras);
    }
    return imaging;
}

void RebuildImagesBench(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    Feed feed(state.range(1) == 3);
    auto imaging = wrappedState(feed, width);
    const HeadTable heads;
    for (auto _ : state) {
        RebuildImages(imaging->store, imaging->work, imaging->lines, imaging->history, imaging->display, SpeedSource{},
                      heads, feed.link);
        benchmark::DoNotOptimize(imaging->store.validRows);
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(imaging->store.validRows));
}

void ReplayPingsBench(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    Feed feed(state.range(1) == 3);
    auto imaging = wrappedState(feed, width);
    const std::int64_t pingsNeeded = imaging->history.historyWrapped ? 4000 : imaging->history.historyWriteIndex;
    // Pings a replay needs to fill the image: rows per ping from the live run.
    const std::int64_t replay =
        std::min<std::int64_t>(pingsNeeded, width * 4100 / std::max<std::int64_t>(imaging->store.totalRows, 1) + 1);
    for (auto _ : state) {
        ClearScreen(imaging->store, imaging->lines);
        for (std::int64_t k = replay; k >= 1; --k) {
            feed.extras.pingNumber = static_cast<int>(k);
            StorePing(*imaging, feed.cycle, feed.heads[static_cast<std::size_t>(k % kDistinctPings)], feed.link,
                      SpeedSource{}, feed.extras);
        }
        benchmark::DoNotOptimize(imaging->store.validRows);
    }
    state.counters["pings"] = benchmark::Counter(static_cast<double>(replay));
}

void perPingArgs(benchmark::internal::Benchmark* b) {
    for (int width : {1000, 2000, 4000})
        for (int heads : {2, 3}) b->Args({width, heads});
    b->ArgNames({"width", "heads"});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(StorePingBench)->Name("StorePing")->Apply(perPingArgs);
BENCHMARK(LiteralStorePingBench)->Name("LiteralStorePing")->Apply(perPingArgs);
BENCHMARK(RebuildImagesBench)
    ->Name("RebuildImages")
    ->Args({2000, 3})
    ->Args({4000, 3})
    ->ArgNames({"width", "heads"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReplayPingsBench)
    ->Name("ReplayPings")
    ->Args({2000, 3})
    ->Args({4000, 3})
    ->ArgNames({"width", "heads"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hx

BENCHMARK_MAIN();
