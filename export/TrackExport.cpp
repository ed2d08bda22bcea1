#include "export/TrackExport.h"

#include <cctype>
#include <cmath>
#include <filesystem>

#include "export/TextEncoding.h"
#include "export/TrackExporterBase.h"

namespace hx {

bool TrackExporterBase::put(std::string_view text) {
    if (failed()) return false;
    if (!sink_.writeText(text)) {
        error_ = sink_.error().empty() ? std::string("the output could not be written") : sink_.error();
        return false;
    }
    return true;
}

bool TrackExporterBase::usablePosition(const GeoPosition& in, double& latDeg, double& lonDeg) {
    if (!isValidPosition(in)) return false;
    latDeg = in.latDeg;
    lonDeg = in.lonDeg == 180.0 ? -180.0 : in.lonDeg;
    return true;
}

std::string TrackExporterBase::courseText(const std::optional<double>& courseDeg) {
    if (!courseDeg || !std::isfinite(*courseDeg)) return {};
    double c = std::round(std::fmod(*courseDeg, 360.0) * 10.0) / 10.0;
    if (c < 0.0) c += 360.0;
    if (c >= 360.0) c -= 360.0;
    return fixedText(c + 0.0, 1);  // + 0.0 turns -0.0 into 0.0
}

std::unique_ptr<ITrackExporter> makeTrackExporter(TrackFormat format, IByteSink& sink, TrackContent content) {
    switch (format) {
    case TrackFormat::Gpx: return makeGpxExporter(sink, content);
    case TrackFormat::Kml: return makeKmlExporter(sink, content);
    case TrackFormat::Csv: return makeCsvExporter(sink, content);
    }
    return nullptr;
}

std::optional<TrackFormat> trackFormatForPath(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".gpx") return TrackFormat::Gpx;
    if (ext == ".kml") return TrackFormat::Kml;
    if (ext == ".csv") return TrackFormat::Csv;
    return std::nullopt;
}

}  // namespace hx
