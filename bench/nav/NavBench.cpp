// The track plot's repaint with a day of fixes at 10 Hz (864 000 points of
// a lawn-mower survey with GPS noise) at the widest and the closest zoom,
// beside copying a frame of the same size to the window; and the echo
// sounder's and history's per-ping column at 1080 pixels high, beside
// copying one column's bytes and beside moving the whole picture as the
// plain scrolling algorithm would.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "imaging/EchoGram.h"
#include "nav/OrientationHistory.h"
#include "nav/TrackPlotter.h"
#include "nav/ui/TrackPlotPainter.h"

namespace hx {
namespace {

constexpr int kFrameW = 800;
constexpr int kFrameH = 600;

// 24 h at 10 Hz and 2 m/s: 2 km survey lines 100 m apart joined by
// half-circle turns, with position noise on every fix (0.15 m for a good
// receiver, 2 m for a poor one that defeats most of the thinning).
TrackState makeDayTrack(double noiseM) {
    TrackState t;
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, noiseM);
    const double step = 0.2;
    double x = 0, y = 0, lastX = 0, lastY = 0;
    int line = 0;
    double along = 0.0;
    bool turning = false;
    double turnAngle = 0.0;
    for (int i = 0; i < 864000; ++i) {
        if (!turning) {
            along += step;
            x = (line % 2 == 0) ? along : 2000.0 - along;
            y = line * 100.0;
            if (along >= 2000.0) {
                turning = true;
                turnAngle = 0.0;
            }
        } else {
            turnAngle += step / 50.0;
            const double cx = (line % 2 == 0) ? 2000.0 : 0.0;
            const double dir = (line % 2 == 0) ? 1.0 : -1.0;
            x = cx + dir * 50.0 * std::sin(turnAngle);
            y = line * 100.0 + 50.0 - 50.0 * std::cos(turnAngle);
            if (turnAngle >= std::numbers::pi) {
                turning = false;
                ++line;
                along = 0.0;
            }
        }
        const double nx = x + noise(rng), ny = y + noise(rng);
        if (i > 0) t.trackPath.addSegment(lastX, lastY, nx, ny);
        lastX = nx;
        lastY = ny;
    }
    t.trackFirstFix = 0;
    t.trackLastX = t.trackX = lastX;
    t.trackLastY = t.trackY = lastY;
    return t;
}

const TrackState& dayTrack(bool noisy) {
    static const TrackState good = makeDayTrack(0.15);
    if (!noisy) return good;
    static const TrackState poor = makeDayTrack(2.0);
    return poor;
}

void paintTrack(benchmark::State& state, double zoom, bool noisy = false) {
    const TrackState& track = dayTrack(noisy);
    QImage frame(kFrameW, kFrameH, QImage::Format_RGB32);
    TrackViewState view;
    resizeTrackView(view, kFrameW, kFrameH);
    TrackPlotPainter painter;
    TrackPlotScene scene;
    scene.track = &track;
    scene.zoomPxPerM = zoom;
    if (zoom < 0.1) {
        // Widest: the whole survey in the window.
        view.originX = 150;
        view.originY = 20;
    }
    painter.paint(frame, view, scene);
    for (auto _ : state) {
        painter.paint(frame, view, scene);
        benchmark::DoNotOptimize(frame.constBits());
    }
    state.counters["vertices"] = static_cast<double>(painter.lastVertexCount());
    state.counters["points"] = static_cast<double>(track.trackPath.segmentCount() + 1);
    state.counters["kept"] = static_cast<double>(track.trackPath.totalVertexCount());
}

void BM_TrackPaintWidest(benchmark::State& state) { paintTrack(state, 0.05); }
void BM_TrackPaintClosest(benchmark::State& state) { paintTrack(state, 2.5); }
void BM_TrackPaintWidestNoisyGps(benchmark::State& state) { paintTrack(state, 0.05, true); }
void BM_TrackPaintClosestNoisyGps(benchmark::State& state) { paintTrack(state, 2.5, true); }

// Baseline: the window copy every paint ends with.
void BM_BaselineFrameCopy(benchmark::State& state) {
    QImage frame(kFrameW, kFrameH, QImage::Format_RGB32);
    frame.fill(Qt::darkBlue);
    QImage window(kFrameW, kFrameH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&window);
        p.drawImage(0, 0, frame);
        p.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

constexpr int kClientW = 1920;
constexpr int kClientH = 1080;

void BM_EchoColumnPerPing(benchmark::State& state) {
    EchoSounderState echo;
    ResizeEchoGram(echo, kClientW, kClientH);
    std::array<std::uint8_t, kEchoSampleCount> samples{};
    std::mt19937 rng(1);
    for (auto& s : samples) s = static_cast<std::uint8_t>(rng());
    for (auto _ : state) {
        samples[static_cast<std::size_t>(rng() % kEchoSampleCount)] ^= 0x55;
        benchmark::DoNotOptimize(AppendEchoColumn(echo, samples, 1.0, 50));
    }
    state.counters["rows"] = echo.live.rows();
}

void BM_HistoryColumnPerPing(benchmark::State& state) {
    OrientationHistory history;
    history.resize(kClientW, kClientH);
    OrientationValues v{1.0, -1.0, 10.0, 30.0, 12.0};
    for (auto _ : state) {
        v.headingDeg = std::fmod(v.headingDeg + 0.7, 360.0);
        history.AppendHistoryColumn(v);
        benchmark::DoNotOptimize(history.previousRow(HistLane::Heading));
    }
}

// Baseline: copying one column's bytes.
void BM_BaselineColumnCopy(benchmark::State& state) {
    std::vector<std::uint8_t> from(static_cast<std::size_t>(kClientH - 60), 7), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

// Reference: moving every pixel one column left, as the plain algorithm does.
void BM_ReferenceAreaScroll(benchmark::State& state) {
    const std::size_t w = kClientW - 30, h = kClientH - 60;
    std::vector<std::uint8_t> image(w * h, 3);
    for (auto _ : state) {
        for (std::size_t r = 0; r < h; ++r) std::memmove(&image[r * w], &image[r * w + 1], w - 1);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_BaselineFrameCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackPaintWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackPaintClosest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackPaintWidestNoisyGps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackPaintClosestNoisyGps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineColumnCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EchoColumnPerPing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryColumnPerPing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceAreaScroll)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hx

int main(int argc, char** argv) {
    // Fonts and painting need a GUI application; offscreen needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
