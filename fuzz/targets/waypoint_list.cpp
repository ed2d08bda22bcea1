// The waypoint list text: every waypoint read must lie on the earth, and its
// mark on the track plot, against any reference position, inside int. Input:
// the reference position from the end; the file's text from the front.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>

#include "nav/WaypointList.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const double referenceEastingM = in.ConsumeFloatingPoint<double>();
    const double referenceNorthingM = in.ConsumeFloatingPoint<double>();
    const std::string text = in.ConsumeRemainingBytesAsString();

    const std::vector<Waypoint> waypoints = parseWaypointText(text);
    FUZZ_CHECK(waypoints.size() <= static_cast<std::size_t>(kWaypointCapacity));
    for (const Waypoint& w : waypoints) {
        FUZZ_CHECK(std::abs(w.latitudeDeg) <= 90.0 && std::abs(w.longitudeDeg) <= 180.0);
        FUZZ_CHECK(w.name.size() <= kWaypointLineChars && w.name.find_first_of(",\n") == std::string::npos);
        const WaypointMark m = waypointMarkFor(w, referenceEastingM, referenceNorthingM);
        FUZZ_CHECK(m.circleLeft == m.x - 12 && m.textTop == m.y - 10);
    }
    return 0;
}
