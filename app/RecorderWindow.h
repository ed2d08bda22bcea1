// The recorder's and the playback engine's window: captions on the main
// window and files for the recent-file list.
#pragma once

#include "record/Recorder.h"

namespace hx {

struct AppContext;

class RecorderWindow final : public IRecorderWindow {
public:
    explicit RecorderWindow(const AppContext& app) : app_(app) {}
    void setCaption(const std::string& caption) override;
    void addRecentFile(const std::string& path) override;

private:
    const AppContext& app_;
};

}  // namespace hx
