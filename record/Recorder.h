// CRecorder: starts and stops a recording (in real time) or a copy (during
// playback), runs the record step once per completed cycle, keeps the event
// file beside the output file and the main window caption. It changes the
// recorder state, the ping numbering and event marks in DataFileState, and
// empties the event lists when a recording starts.
#pragma once

#include <memory>
#include <string>

#include "core/Clock.h"
#include "core/FileDialogPort.h"
#include "core/Notifier.h"
#include "record/DataFileState.h"
#include "record/EventList.h"
#include "record/FileAccess.h"
#include "record/ReadWriteFiles.h"
#include "record/RecorderState.h"

namespace hx {

// What the recorder asks of the main window.
class IRecorderWindow {
public:
    virtual ~IRecorderWindow() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void addRecentFile(const std::string& path) = 0;
};

// The playback side as the recorder needs it.
struct PlaybackContext {
    bool playback = false;     // a file is open for playback
    std::string playedPath;    // the file most recently opened for playback
};

struct RecorderPorts {
    IFileSystem& fs;
    INotifier& notifier;
    IClock& clock;
    IFileDialogPort& dialogs;
    IRecorderWindow& window;
};

class CRecorder {
public:
    CRecorder(RecorderState& state, DataFileState& file, EventListState& events, CReadWriteFiles& files,
              RecorderPorts ports);
    ~CRecorder();
    CRecorder(const CRecorder&) = delete;
    CRecorder& operator=(const CRecorder&) = delete;

    // "Record Data..." / "Copy Start...": asks for the file, then starts.
    void recordStart(const PlaybackContext& playback);
    // Starts on a chosen path without the dialog (unattended recording).
    bool startRecordingTo(const std::string& chosenPath, const PlaybackContext& playback);
    // "Stop Recording..." / "Copy Stop...", and every automatic stop.
    void recordStop(const PlaybackContext& playback);
    // Once per completed cycle while recording. linkStale: the cycle's last
    // reply was incomplete, so it is not written (its ping number is still used).
    void recordStep(const RecordSources& src, bool linkStale, const PlaybackContext& playback);

    bool recording() const { return state_.recording; }

private:
    void stopWithMessage(const std::string& text, MessageIcon icon, const PlaybackContext& playback);
    // Another program cut the output file short or removed it.
    void stopForChangedFile(const PlaybackContext& playback);
    // Opens the output file's event file; false (said) when it cannot be made.
    bool openEventFileFor(const std::string& dataPath);
    bool writeAndCloseEventFile();
    // Closes the file being written and goes on in the recording's next one.
    bool continueInNextFile(const PlaybackContext& playback);

    RecorderState& state_;
    DataFileState& file_;
    EventListState& events_;
    CReadWriteFiles& files_;
    RecorderPorts ports_;
    std::unique_ptr<IRandomAccessFile> eventFile_;
};

}  // namespace hx
