// Cost of the link's own work per poll cycle (framing, storing, the status
// check and the sensor decode) over an in-memory port, next to a baseline
// that only copies the eight replies of a cycle once.
#include <benchmark/benchmark.h>

#include <cstring>
#include <deque>
#include <vector>

#include "link/AcquisitionCycle.h"
#include "link/LinkDefaults.h"
#include "link/ReplyFramer.h"
#include "tests/fakes/FakeClock.h"
#include "tests/fakes/FakeNotifier.h"

namespace hx {
namespace {

std::vector<std::uint8_t> dataReply(int head, std::uint8_t half) {
    std::vector<std::uint8_t> r(kDataReplyBytes, 0);
    r[0] = 'S';
    r[1] = 'O';
    r[2] = static_cast<std::uint8_t>('0' + head);
    r[10] = half;
    for (std::size_t j = 0; j < kSideDataPoints; ++j) r[127 + j] = static_cast<std::uint8_t>(j * 13 + head);
    return r;
}

// Answers every data request at once from prepared replies, in chunks.
class InstantHeads final : public IHeadConnectionPort {
public:
    explicit InstantHeads(std::size_t chunk) : chunk_(chunk) {
        for (int h = 0; h < 4; ++h) {
            replies_[h][0] = dataReply(h, 0x00);
            replies_[h][1] = dataReply(h, 0x10);
        }
    }
    void connect(int head, const std::string&, std::uint16_t) override { connected_.push_back(head); }
    void send(int head, std::span<const std::uint8_t> bytes) override {
        pending_.push_back({head, bytes[10] == 0x10 ? 1 : 0});
    }
    void close(int) override {}

    void bringUp(IHeadConnectionEvents& events) {
        for (int h : connected_) events.onConnected(h);
        connected_.clear();
    }
    void deliverOne(IHeadConnectionEvents& events) {
        const auto [head, half] = pending_.front();
        pending_.pop_front();
        const auto& r = replies_[head][half];
        for (std::size_t at = 0; at < r.size(); at += chunk_)
            events.onBytesReceived(head, std::span<const std::uint8_t>(r).subspan(at, std::min(chunk_, r.size() - at)));
    }

private:
    std::size_t chunk_;
    std::vector<std::uint8_t> replies_[4][2];
    std::vector<int> connected_;
    std::deque<std::pair<int, int>> pending_;
};

// Timers that only remember whether they run: nothing piles up in a long run.
class QuietTimers final : public ITimerPort {
public:
    void start(TimerId, int, bool) override { active_ = true; }
    void stop(TimerId) override { active_ = false; }
    bool isActive(TimerId) const override { return active_; }

private:
    bool active_ = false;
};

class CountingSink final : public ICycleSink {
public:
    void onCycleComplete(const CycleView&, const CycleStatus&) override { ++cycles; }
    long cycles = 0;
};

void runCycles(benchmark::State& state, std::size_t chunk) {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    initialiseLinkDefaults({heads, link, cycle, orientation});
    link.sysInfoPending = 0;
    link.orientationAvailable = 1;
    InstantHeads port(chunk);
    QuietTimers timers;
    test::FakeClock clock;
    test::FakeNotifier notifier;
    CountingSink sink;
    AcquisitionCycle acq(heads, link, cycle, LinkPorts{port, timers, clock, notifier, sink, nullptr});
    acq.enterRealTimeMode();
    acq.connectAllAvailable();
    port.bringUp(acq);
    for (auto _ : state) {
        const long target = sink.cycles + 1;
        while (sink.cycles < target) port.deliverOne(acq);
    }
    state.SetItemsProcessed(sink.cycles);
    state.SetBytesProcessed(static_cast<std::int64_t>(sink.cycles) * 8 * static_cast<std::int64_t>(kDataReplyBytes));
}

void BM_Baseline_CopyEightReplies(benchmark::State& state) {
    std::vector<std::uint8_t> replies[8];
    for (int i = 0; i < 8; ++i) replies[i] = dataReply(i / 2, (i % 2) ? 0x10 : 0x00);
    std::vector<std::uint8_t> lines(8 * kDataReplyBytes);
    for (auto _ : state) {
        for (int i = 0; i < 8; ++i) std::memcpy(lines.data() + i * kDataReplyBytes, replies[i].data(), kDataReplyBytes);
        benchmark::DoNotOptimize(lines.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 8 * static_cast<std::int64_t>(kDataReplyBytes));
}
BENCHMARK(BM_Baseline_CopyEightReplies);

void BM_Cycle_WholeReplies(benchmark::State& state) { runCycles(state, kDataReplyBytes); }
BENCHMARK(BM_Cycle_WholeReplies);

void BM_Cycle_ReplySplitInTwo(benchmark::State& state) { runCycles(state, 564); }
BENCHMARK(BM_Cycle_ReplySplitInTwo);

void BM_Cycle_SingleByteSegments(benchmark::State& state) { runCycles(state, 1); }
BENCHMARK(BM_Cycle_SingleByteSegments);

}  // namespace
}  // namespace hx

BENCHMARK_MAIN();
