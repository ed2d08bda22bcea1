// The recorder's part of the document: whether a recording or a copy is
// running, where it goes, and the caption it shows. Changed only by
// CRecorder (start, step, stop) and by the settings load (directory, filter).
#pragma once

#include <cstdint>
#include <string>

#include "record/DiskSpaceWarning.h"
#include "record/RecordingSplit.h"

namespace hx {

struct RecorderState {
    bool recording = false;
    bool copying = false;          // the recording is a copy made during playback
    std::string outputPath;
    std::string recordDirectory;   // with its trailing '/'; "Write File Dir:"
    int writeFilterIndex = 1;      // "Write Filter Index"
    std::string caption;           // main window caption without the "Saved" part
    std::string eventFilePath;     // of the output file; empty when it has none

    // A live recording split into several files (never a copy).
    SplitRule split;
    std::string firstOutputPath;   // the recording's first file, which names the others
    int fileCounter = 1;           // of the file being written
    std::uint32_t fileStartTickMs = 0;
    std::uint64_t bytesInEarlierFiles = 0;  // of this recording's files before the present one
    RecordingRate rate;                     // for the time left on the disk
};

}  // namespace hx
