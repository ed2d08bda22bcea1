// How fresh the GPS looks on the status bar, over a real receiver's cold
// start (no fix, then a fix) and the silences that follow, by tick counts.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "nav/GpsFreshness.h"
#include "nav/GpsReader.h"

namespace hx {
namespace {

std::vector<std::string> captureLines(const char* name) {
    std::ifstream in(std::string(HX642_SHARED_DIR) + "/corpus/nmea/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
    return lines;
}

TEST(GpsFreshness, ColdStartFixAndSilence) {
    const std::vector<std::string> lines = captureLines("bt451.sentences.txt");
    ASSERT_GE(lines.size(), 45u);
    GpsReader reader;
    GpsFreshness fresh;
    std::uint32_t now = 4294960000u;  // the tick counter wraps during the test
    const auto expect = [&](const char* text, bool alarm) {
        const GpsFreshnessText shown = gpsFreshnessText(fresh, now);
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.alarm, alarm);
    };
    expect("No GPS", true);
    // A sentence is parsed when the next one begins. Lines 1 to 34: the
    // receiver talks but has no fix (status V, quality 0); line 35 is its
    // first fix (GLL ... A).
    for (std::size_t i = 0; i < 35; ++i) noteGpsRead(fresh, reader.read(lines[i]), now += 100);
    expect("No fix", true);
    noteGpsRead(fresh, reader.read(lines[35]), now += 100);
    expect("Fix 0 s", false);

    const struct {
        std::uint32_t afterMs;
        const char* text;
        bool alarm;
    } silence[] = {{1999, "Fix 1 s", false}, {4999, "Fix 4 s", false}, {5000, "Fix 5 s", true}, {60000, "Fix 60 s", true}};
    const std::uint32_t fixAt = now;
    for (const auto& c : silence) {
        SCOPED_TRACE(c.afterMs);
        now = fixAt + c.afterMs;
        expect(c.text, c.alarm);
    }

    // Talking again without positions (course and speed only) does not make
    // an old fix new.
    now = fixAt;
    for (int i = 0; i < 60; ++i) noteGpsRead(fresh, reader.read("$GPVTG,0.0,T,10.5,M,0.0,N,0.0,K*7A\r\n"), now += 100);
    expect("Fix 6 s", true);
}

}  // namespace
}  // namespace hx
