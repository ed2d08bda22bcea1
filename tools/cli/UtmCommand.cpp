// hx642-cli utm LAT LON: the UTM zone, easting and northing (metres) of a
// position in decimal degrees (negative south and west), as the track
// plotter projects it. Prints one JSON line.
#include <QStringList>

#include <cmath>
#include <cstdio>

#include "nav/UtmProjection.h"

namespace hx::cli {

int runUtm(const QStringList& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: hx642-cli utm LAT LON\n");
        return 2;
    }
    bool latOk = false, lonOk = false;
    const double lat = args[0].toDouble(&latOk);
    const double lon = args[1].toDouble(&lonOk);
    if (!latOk || !lonOk || !std::isfinite(lat) || !std::isfinite(lon) || lat < -90.0 || lat > 90.0) {
        std::fprintf(stderr, "hx642-cli utm: LAT must be -90..90 and LON a number of degrees\n");
        return 2;
    }
    const UtmPoint p = LatLonToUtm(lat, lon);
    std::printf("{\"zone\":%d,\"hemisphere\":\"%s\",\"easting\":%.3f,\"northing\":%.3f}\n", p.zone,
                lat < 0 ? "S" : "N", p.eastingM, p.northingM);
    return 0;
}

}  // namespace hx::cli
