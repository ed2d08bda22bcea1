#include "record/RecorderTexts.h"

#include <cstdio>

namespace hx {

std::string defaultDataFileName(const std::string& recordDirectory, const LocalTime& now) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d %02d-%02d-%02d", now.year % 100, now.month, now.day, now.hour,
                  now.minute, now.second);
    return recordDirectory + stamp + ".642";
}

std::string withDataFileExtension(const std::string& chosen) {
    if (chosen.size() >= 3 && chosen.compare(chosen.size() - 3, 3, "642") == 0) return chosen;
    return chosen + ".642";
}

std::string recoveredFileName(const std::string& outputPath) {
    const std::string path = withDataFileExtension(outputPath);
    const std::size_t dot = path.rfind(".642");
    return (dot == std::string::npos ? path : path.substr(0, dot)) + "-recovered.642";
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string realTimeCaption() { return std::string(kRealTimeCaption) + " "; }

std::string recordingCaption(const std::string& outputPath) {
    return std::string(kRealTimeCaption) + " - Data Recording to (" + outputPath + ")";
}

std::string playbackCaption(const std::string& playedPath) { return "HX642 -- Playback (" + playedPath + ") "; }

std::string copyCaption(const std::string& playedPath, const std::string& outputPath) {
    return "HX642 -- Playback (" + playedPath + ") - Copy Data to (" + outputPath + ")";
}

std::string savedCaption(const std::string& caption, std::uint64_t outputBytes) {
    return caption + "  Saved: " + std::to_string(outputBytes / 1024) + " kBytes";
}

}  // namespace hx
