// CReadWriteFiles: the one reader and writer of sonar data files. It holds
// the output file (appended to while recording) and the played file (read
// one record at a time, forwards or backwards), and keeps the numbering and
// positions in DataFileState. Only its own operations change that state's
// file fields; the recorder sets the ping numbering.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Notifier.h"
#include "record/DataFileState.h"
#include "record/DataRecord.h"
#include "record/FileAccess.h"
#include "record/RecordDocument.h"
#include "record/RecordSearch.h"

namespace hx {

enum class WriteStatus {
    Written,
    NotOpen,        // no output file: nothing written
    Failed,         // nothing of the record is in the file; it still ends with a whole record
    FailedPartial,  // the record could not be written nor cut off again: the file ends in part of a record
    FileChanged,    // another program cut the file short or removed it: nothing written
};

enum class OpenStatus { Opened, WrongType, CannotOpen, NoData };

enum class ReadStatus {
    Ok,
    EndOfFile,  // the position is at or past the last whole record; the caller wraps to the start
    NoRecord,   // no record starts at the position; the position has been resynchronised
    Truncated,  // the record runs past the end of the file; the position is now the usable length
    IoError,
    NotOpen,
};

struct ReadResult {
    ReadStatus status = ReadStatus::NotOpen;
    bool trackRestart = false;  // playback went round from one end of the file to the other
    bool resyncFound = false;   // NoRecord: a later record was found and the position is there
    std::array<BlockStatus, kHeadCount> blocks{};
    bool damaged() const {
        for (BlockStatus b : blocks)
            if (b == BlockStatus::WrongHead || b == BlockStatus::DataTooLong) return true;
        return false;
    }
};

class CReadWriteFiles {
public:
    CReadWriteFiles(DataFileState& state, IFileSystem& fs, INotifier& notifier);

    // True when the last three characters of the name are "642", in any case.
    static bool hasDataFileName(std::string_view path);

    // --- output file ---
    bool createOutput(const std::string& path);
    void closeOutput();
    bool hasOutput() const { return output_ != nullptr; }
    std::uint64_t outputSize() const { return outputEnd_; }
    // Appends one whole record of the current cycle (ping number and pending
    // event mark from the state). A write that fails is cut off again, so the
    // file always ends with a whole record; the pending mark then stays. A
    // file that is no longer as this program left it (cut short, or gone
    // from its name) is not written to.
    WriteStatus writeRecord(const RecordSources& src);
    // Whether the output file was removed from its name while open.
    bool outputRemoved();
    // Copies everything recorded so far from the open output file into a
    // new file at path: what a removed recording can still give back.
    bool copyOutputTo(const std::string& path);

    // --- played file ---
    // The checks of opening a file for playback, with their messages. On
    // success the position is at the first record and the usable length is
    // the file length rounded down to whole records.
    OpenStatus openPlayback(const std::string& path);
    void closePlayback();
    bool hasPlayback() const { return played_ != nullptr; }
    bool playbackReadOnly() const { return playedReadOnly_; }

    // Reads the record at the record position into the document and moves
    // the position on: forwards to the next record; backwards to the one
    // before, from the first record round to the last (raising the track
    // restart). After a record is taken the display-pair hook runs.
    ReadResult readRecord(bool reverse, RecordTargets& dst);

    // Moves the record position to the first whole record starting at or
    // after fromOffset; when there is none, to the usable length (so forward
    // playback goes on from the start). Returns whether one was found.
    bool resynchronise(std::uint64_t fromOffset);

    // Event marks of records already written: value 0x8000 | number, or 0.
    // The record is found by its own header (magic and ping number).
    MarkRewrite rewritePlayedEventMark(std::uint32_t pingNumber, std::uint16_t mark);
    MarkRewrite rewriteOutputEventMark(std::uint32_t pingNumber, std::uint16_t mark);

    // Runs after every record read; the link wires its display-pair derivation here.
    void setDisplayPairHook(std::function<void(const HeadTable&, LinkFields&)> hook) { displayPairHook_ = std::move(hook); }

private:
    DataFileState& state_;
    IFileSystem& fs_;
    INotifier& notifier_;
    std::function<void(const HeadTable&, LinkFields&)> displayPairHook_;

    std::unique_ptr<IRandomAccessFile> output_;
    std::uint64_t outputEnd_ = 0;
    std::uint64_t outputRecords_ = 0;

    std::unique_ptr<IRandomAccessFile> played_;
    bool playedReadOnly_ = false;
    std::uint64_t playedSize_ = 0;  // file length at open; a record must end within it

    std::vector<std::uint8_t> buffer_;
};

}  // namespace hx
