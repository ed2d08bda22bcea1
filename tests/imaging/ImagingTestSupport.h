// Small builders shared by the imaging tests: sample lines, head tables
// carrying them, and an imaging state with a given image set.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "imaging/ColourTables.h"
#include "imaging/PingHistory.h"
#include "imaging/StorePing.h"
#include "link/LinkState.h"

namespace hx::testing {

inline LineSamples constantLine(std::uint8_t v) {
    LineSamples s;
    s.fill(v);
    return s;
}

// Random samples with a good share of 255s, the value that must never show.
inline LineSamples randomLine(std::mt19937& rng) {
    LineSamples s;
    std::uniform_int_distribution<int> d(0, 300);
    for (auto& v : s) v = static_cast<std::uint8_t>(std::min(d(rng), 255));
    return s;
}

inline void setEchoLine(HeadTable& heads, int head, const LineSamples& samples) {
    auto& line = heads.headDisplayLine[static_cast<std::size_t>(head)];
    std::copy(samples.begin(), samples.end(), line.begin() + static_cast<std::ptrdiff_t>(kEchoLineOffset));
}

inline LinkFields twoHeadLink(int a = kHeadL, int b = kHeadH) {
    LinkFields link;
    link.allSideScansAvailable = 0;
    link.twoSideScansAvailable = 1;
    link.displayHeadA = a;
    link.displayHeadB = b;
    return link;
}

inline LinkFields threeHeadLink() {
    LinkFields link;
    link.allSideScansAvailable = 1;
    return link;
}

// An imaging state whose images are allocated and ready at width × width.
inline void readyImages(ImagingState& imaging, const LinkFields& link, int width, double scale) {
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    imaging.store.imageWidth = imaging.store.imageHeight = width;
    imaging.store.imageScale = scale;
    AllocateImages(imaging.store, palette, link.allSideScansAvailable != 0, link.displayHeadA, link.displayHeadB, width,
                   width);
    ClearScreen(imaging.store, imaging.lines);
    imaging.store.viewReady = 1;
    imaging.store.imagesReady = 1;
}

inline CycleValues cycleAt(int second, int millisecond, int intervalMs = 200) {
    CycleValues c;
    char buf[16];
    std::snprintf(buf, sizeof buf, "12:%02d:%02d", second / 60 % 60, second % 60);
    c.pingTimeText = buf;
    std::snprintf(buf, sizeof buf, ".%03d", millisecond);
    c.pingMillisecondsText = buf;
    c.pingInterval = intervalMs;
    return c;
}

}  // namespace hx::testing
