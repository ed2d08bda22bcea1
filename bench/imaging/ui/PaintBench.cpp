// Painting the main sidescan view at a 1920 × 1080 client, beside a baseline
// measured in the same run: one plain drawImage of a 1920 × 1080 RGB32 image.
// Also the two ways of drawing an 8-bit image with a palette: our lookup into
// the frame, and QPainter drawing the visible rows as an indexed image.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>

#include "imaging/ui/SkerryView.h"
#include "imaging/ui/WaterfallBlit.h"
#include "tests/imaging/ui/ViewTestRig.h"

namespace {

using hx::testing::ViewRig;

constexpr int kClientW = 1920;
constexpr int kClientH = 1080;

// A rig whose 2000-pixel images are full of random pings.
struct FilledView {
    ViewRig rig;
    hx::CSkerryView view;
    QImage target{kClientW, kClientH, QImage::Format_RGB32};

    explicit FilledView(bool threeHeads) : rig(threeHeads), view(rig.ctx) {
        hx::testing::showAt(view, kClientW, kClientH);
        view.zoom100();
        std::mt19937 rng(642);
        std::uniform_int_distribution<int> d(0, 254);
        for (int p = 1; p <= 2000; ++p) {
            for (int h = 0; h < hx::kSideScanHeadCount; ++h) {
                auto& line = rig.heads.headDisplayLine[static_cast<std::size_t>(h)];
                for (std::size_t i = 0; i < hx::kEchoLineBytes; ++i)
                    line[hx::kEchoLineOffset + i] = static_cast<std::uint8_t>(d(rng));
            }
            hx::PingExtras extras;
            extras.pingNumber = p;
            hx::StorePing(*rig.imaging, rig.cycle, rig.heads, rig.link, rig.speed, extras);
        }
    }
};

void BM_Baseline_DrawImage1920x1080(benchmark::State& state) {
    QImage source(kClientW, kClientH, QImage::Format_RGB32);
    source.fill(qRgb(10, 80, 160));
    QImage target(kClientW, kClientH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        p.drawImage(0, 0, source);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_Baseline_DrawImage1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintMainView_Composite2000(benchmark::State& state) {
    FilledView f(true);
    for (auto _ : state) {
        f.view.render(&f.target);
        benchmark::DoNotOptimize(f.target.constBits());
    }
    state.counters["displayTimeMs"] = f.rig.flags.displayTimeMs;
}
BENCHMARK(BM_PaintMainView_Composite2000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintMainView_TwoHead2000(benchmark::State& state) {
    FilledView f(false);
    for (auto _ : state) {
        f.view.render(&f.target);
        benchmark::DoNotOptimize(f.target.constBits());
    }
}
BENCHMARK(BM_PaintMainView_TwoHead2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 8-bit image's visible part through the lookup table (what the views do).
void BM_Indexed_LookupBlit(benchmark::State& state) {
    FilledView f(false);
    const hx::WaterfallImage* image = hx::HeadImageFor(f.rig.store(), hx::kHeadL);
    const hx::ColourLut lut = hx::MakeColourLut(hx::BuildImagePalette(f.rig.palette));
    QImage frame;
    for (auto _ : state) {
        hx::PrepareFrame(frame, QSize(kClientW, kClientH));
        hx::BlitIndexed(frame, *image, lut, -40, -10);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_Indexed_LookupBlit)->Unit(benchmark::kMillisecond)->UseRealTime();

// The alternative: each span's visible rows wrapped as an Indexed8 image with
// a colour table and drawn by QPainter.
void BM_Indexed_QPainterIndexed8(benchmark::State& state) {
    FilledView f(false);
    const hx::WaterfallImage* image = hx::HeadImageFor(f.rig.store(), hx::kHeadL);
    const hx::ColourLut lut = hx::MakeColourLut(hx::BuildImagePalette(f.rig.palette));
    const QList<QRgb> table(lut.begin(), lut.end());
    QImage frame;
    const int sx = 40;
    const int sy = 10;
    for (auto _ : state) {
        hx::PrepareFrame(frame, QSize(kClientW, kClientH));
        QPainter p(&frame);
        const hx::RowBlocks blocks = image->blocks();
        for (const hx::RowBlock& b : {blocks.upper, blocks.lower}) {
            const int from = std::max(sy, b.firstRow);
            const int to = std::min(sy + kClientH, b.firstRow + b.rows);
            if (from >= to) continue;
            const uchar* data = b.data + static_cast<std::size_t>(from - b.firstRow) * blocks.rowBytes;
            QImage wrap(data, image->width(), to - from, static_cast<qsizetype>(blocks.rowBytes), QImage::Format_Indexed8);
            wrap.setColorTable(table);
            p.drawImage(QPoint(0, from - sy), wrap, QRect(sx, 0, kClientW, to - from));
        }
        p.end();
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_Indexed_QPainterIndexed8)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
