// The status bar's disk pane: the room left where the recording goes (or
// would go), amber below 2 GB and red below 200 MB, with the minutes left at
// the rate the recording is being written. Refreshed on its own timer, so a
// slow file system never holds up a ping.
#pragma once

#include <QLabel>
#include <QTimer>

namespace hx {

class IFileSystem;
struct RecorderState;

class DiskSpacePane final : public QLabel {
public:
    DiskSpacePane(const RecorderState& recorder, IFileSystem& fs, QWidget* parent = nullptr);

    void refresh();

private:
    const RecorderState& recorder_;
    IFileSystem& fs_;
    QTimer timer_;
};

}  // namespace hx
