// Names and captions of the recorder.
#pragma once

#include <cstdint>
#include <string>

#include "core/LocalTime.h"

namespace hx {

// The main window's title in real time; the recorder's own caption after a
// recording ends carries a trailing blank (realTimeCaption).
inline constexpr const char* kRealTimeCaption = "HX642 -- Real Time";

// directory + "%y%m%d %H-%M-%S" + ".642", e.g. "/data/070301 14-05-09.642".
std::string defaultDataFileName(const std::string& recordDirectory, const LocalTime& now);
// The chosen name with ".642" appended unless its last three characters are "642".
std::string withDataFileExtension(const std::string& chosen);
// "/data/run.642" -> "/data/run-recovered.642": where a removed recording is
// saved again.
std::string recoveredFileName(const std::string& outputPath);
// Everything up to and including the last '/'; empty when there is none.
std::string directoryOf(const std::string& path);

std::string realTimeCaption();                                   // "HX642 -- Real Time "
std::string recordingCaption(const std::string& outputPath);     // "... - Data Recording to (path)"
std::string playbackCaption(const std::string& playedPath);      // "HX642 -- Playback (path) "
std::string copyCaption(const std::string& playedPath, const std::string& outputPath);
// caption + "  " + "Saved: %d kBytes".
std::string savedCaption(const std::string& caption, std::uint64_t outputBytes);

}  // namespace hx
