// What the three track exporters share: the sink, the counts, the first
// error, and the checks of positions they all make.
#pragma once

#include <string_view>

#include "export/TrackExport.h"

namespace hx {

class TrackExporterBase : public ITrackExporter {
public:
    TrackExporterBase(IByteSink& sink, TrackContent content) : sink_(sink), content_(content) {}

    const TrackExportCounts& counts() const override { return counts_; }
    const std::string& error() const override { return error_; }

protected:
    bool put(std::string_view text);
    bool failed() const { return !error_.empty(); }

    // Latitude, and longitude with 180 turned into -180, or false.
    static bool usablePosition(const GeoPosition& in, double& latDeg, double& lonDeg);
    // Course to a tenth of a degree in [0, 360) ("359.96" is "0.0"), or
    // empty when missing or not a number.
    static std::string courseText(const std::optional<double>& courseDeg);

    IByteSink& sink_;
    TrackContent content_;
    TrackExportCounts counts_;
    std::string error_;
};

}  // namespace hx
