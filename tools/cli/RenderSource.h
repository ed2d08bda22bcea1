// A recording opened for rendering: the imaging state, colour tables and
// speed source the ping pipeline draws with, and the reader that feeds it.
// Shared by the last-screen render and the full-length strip.
#pragma once

#include <memory>

#include "imaging/ColourTables.h"
#include "imaging/StorePing.h"
#include "platform/ConsoleNotifier.h"
#include "record/StdFileSystem.h"
#include "session/RecordingReader.h"
#include "tools/cli/StripRender.h"

namespace hx::cli {

struct RenderSource {
    explicit RenderSource(const StripOptions& o) {
        palette.colourTables = GenerateColourTables();
        palette.colourTableIndex = o.table;
        imaging->display.sideDisplayMode = o.side;
        speed.speedCorrectionEnabled = o.speedCorrection ? 1 : 0;
    }
    // False when the recording cannot be played (the reader has said why).
    bool open(const QString& input) { return reader.open(input.toStdString()); }

    std::unique_ptr<ImagingState> imaging = std::make_unique<ImagingState>();  // large: on the heap
    PaletteState palette;
    SpeedSource speed;
    StdFileSystem fs;
    ConsoleNotifier notifier;
    RecordingReader reader{fs, notifier, imaging.get(), &speed};
};

}  // namespace hx::cli
