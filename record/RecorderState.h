// The recorder's part of the document: whether a recording or a copy is
// running, where it goes, and the caption it shows. Changed only by
// CRecorder (start, step, stop) and by the settings load (directory, filter).
#pragma once

#include <string>

namespace hx {

struct RecorderState {
    bool recording = false;
    bool copying = false;          // the recording is a copy made during playback
    std::string outputPath;
    std::string recordDirectory;   // with its trailing '/'; "Write File Dir:"
    int writeFilterIndex = 1;      // "Write Filter Index"
    std::string caption;           // main window caption without the "Saved" part
    std::string eventFilePath;     // of the output file; empty when it has none
};

}  // namespace hx
