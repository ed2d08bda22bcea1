#include "record/ReadWriteFiles.h"

#include <algorithm>

namespace hx {

namespace {
constexpr std::uint64_t kMinimumDataFileBytes = 1000;
}

CReadWriteFiles::CReadWriteFiles(DataFileState& state, IFileSystem& fs, INotifier& notifier)
    : state_(state), fs_(fs), notifier_(notifier) {
    buffer_.reserve(kMaxRecordBytes);
}

bool CReadWriteFiles::hasDataFileName(std::string_view path) {
    if (path.size() < 3) return false;
    std::string_view tail = path.substr(path.size() - 3);
    return tail == "642";  // digits have no case
}

// ---------------------------------------------------------------- output

bool CReadWriteFiles::createOutput(const std::string& path) {
    closeOutput();
    output_ = fs_.open(path, OpenMode::CreateReadWrite);
    return output_ != nullptr;
}

void CReadWriteFiles::closeOutput() {
    output_.reset();
    outputEnd_ = 0;
    outputRecords_ = 0;
}

WriteStatus CReadWriteFiles::writeRecord(const RecordSources& src) {
    if (!output_) return WriteStatus::NotOpen;
    const std::uint16_t mark =
        state_.pendingEventFlag ? static_cast<std::uint16_t>(kEventMarkFlag | (state_.pendingEventNumber & 0x7FFF)) : 0;
    buffer_.clear();
    encodeRecord(recordFromDocument(src, state_.pingNumber, mark), buffer_);

    // Writing after another program's cut would leave a hole of zeros, and
    // writing to a removed file records into nothing anybody can open. A file
    // longer than the last whole record only holds our own failed write's
    // remains, which this write overwrites.
    if (output_->size() < outputEnd_ || !output_->stillNamed()) return WriteStatus::FileChanged;
    if (!output_->writeAt(outputEnd_, buffer_)) {
        // Never leave part of a record behind: cut the file back to the last
        // whole record, so that what is recorded stays readable.
        return output_->truncate(outputEnd_) ? WriteStatus::Failed : WriteStatus::FailedPartial;
    }
    if (outputRecords_ == 0) state_.outputFirstPingNumber = state_.pingNumber;
    ++outputRecords_;
    outputEnd_ += buffer_.size();
    state_.outputRecordLength = static_cast<std::uint32_t>(buffer_.size());
    state_.pendingEventFlag = false;
    return WriteStatus::Written;
}

bool CReadWriteFiles::outputRemoved() { return output_ && !output_->stillNamed(); }

bool CReadWriteFiles::copyOutputTo(const std::string& path) {
    if (!output_) return false;
    auto copy = fs_.open(path, OpenMode::CreateReadWrite);
    if (!copy) return false;
    std::vector<std::uint8_t> chunk(1 << 20);
    for (std::uint64_t at = 0; at < outputEnd_;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), outputEnd_ - at));
        const std::size_t got = output_->readAt(at, std::span(chunk).first(want));
        if (got == 0 || !copy->writeAt(at, std::span(chunk).first(got))) return false;
        at += got;
    }
    return true;
}

MarkRewrite CReadWriteFiles::rewriteOutputEventMark(std::uint32_t pingNumber, std::uint16_t mark) {
    if (!output_) return MarkRewrite::NoFile;
    std::optional<std::uint64_t> guess;
    if (outputRecords_ > 0 && pingNumber >= state_.outputFirstPingNumber)
        guess = std::uint64_t{pingNumber - state_.outputFirstPingNumber} * state_.outputRecordLength;
    return rewriteEventMark(*output_, pingNumber, mark, guess, 0);
}

// ---------------------------------------------------------------- playback

OpenStatus CReadWriteFiles::openPlayback(const std::string& path) {
    if (!hasDataFileName(path)) {
        notifier_.message("ERROR: Application can not recognize this file type!", MessageIcon::Error);
        return OpenStatus::WrongType;
    }
    closePlayback();
    // Read and write so that event marks can be rewritten; read-only media
    // still play.
    auto file = fs_.open(path, OpenMode::ReadWrite);
    bool readOnly = false;
    if (!file) {
        file = fs_.open(path, OpenMode::Read);
        readOnly = true;
    }
    if (!file) {
        notifier_.message("Failed to open document.", MessageIcon::Error);
        return OpenStatus::CannotOpen;
    }
    const auto size = file->size();
    if (!size || *size < kMinimumDataFileBytes) {
        notifier_.message("File has no data!", MessageIcon::Error);
        return OpenStatus::NoData;
    }
    // The first record gives the record length; leading bytes that are no
    // record are stepped over.
    auto first = recordAt(*file, 0, *size);
    if (!first) first = findNextRecord(*file, 1, *size);
    if (!first) {
        notifier_.message("File has no data!", MessageIcon::Error);
        return OpenStatus::NoData;
    }

    played_ = std::move(file);
    playedReadOnly_ = readOnly;
    playedSize_ = *size;
    const std::uint64_t length = first->shape.recordLength;
    state_.recordLength = first->shape.recordLength;
    state_.firstRecordOffset = first->offset;
    state_.usableLength = first->offset + (*size - first->offset) / length * length;
    state_.recordPosition = first->offset;
    state_.firstRecordPending = true;
    state_.eventMarkFlag = false;
    state_.eventMarkNumber = 0;
    return OpenStatus::Opened;
}

void CReadWriteFiles::closePlayback() {
    played_.reset();
    playedReadOnly_ = false;
    playedSize_ = 0;
}

bool CReadWriteFiles::resynchronise(std::uint64_t fromOffset) {
    if (!played_) return false;
    // A record may start before the usable length and end after it when the
    // file holds records of more than one length.
    if (auto found = findNextRecord(*played_, fromOffset, playedSize_); found && found->offset < state_.usableLength) {
        state_.recordPosition = found->offset;
        return true;
    }
    state_.recordPosition = state_.usableLength;
    return false;
}

ReadResult CReadWriteFiles::readRecord(bool reverse, RecordTargets& dst) {
    ReadResult result;
    if (!played_) return result;
    const std::uint64_t pos = state_.recordPosition;
    const std::uint64_t end = state_.usableLength;
    if (pos >= end || end - pos < kRecordHeaderBytes) {
        result.status = ReadStatus::EndOfFile;
        return result;
    }

    buffer_.resize(kRecordHeaderBytes);
    if (played_->readAt(pos, buffer_) != kRecordHeaderBytes) {
        result.status = ReadStatus::IoError;
        return result;
    }
    const auto shape = checkRecordHeader(buffer_);
    if (!shape) {
        // Magic missing, or a header that contradicts itself: look for the
        // next record start after this place.
        result.status = ReadStatus::NoRecord;
        result.resyncFound = resynchronise(pos + 1);
        return result;
    }
    if (shape->recordLength > playedSize_ - pos) {
        result.status = ReadStatus::Truncated;
        state_.recordPosition = end;
        return result;
    }

    buffer_.resize(shape->recordLength);
    if (played_->readAt(pos, buffer_) != buffer_.size()) {
        result.status = ReadStatus::IoError;
        return result;
    }
    const auto decoded = decodeRecord(buffer_);
    if (!decoded) {  // cannot happen after the checks above; kept as a guard
        result.status = ReadStatus::NoRecord;
        result.resyncFound = resynchronise(pos + 1);
        return result;
    }

    applyRecordToDocument(*decoded, dst);
    if (displayPairHook_) displayPairHook_(dst.heads, dst.link);

    const std::uint32_t length = shape->recordLength;
    state_.pingNumber = shape->pingNumber;
    if (state_.firstRecordPending) {
        state_.firstPingNumber = shape->pingNumber;
        state_.firstRecordPending = false;
    }
    state_.recordLength = length;
    state_.sentenceBlockOffset = decoded->sentenceBlockOffset;
    state_.systemInfoOffset = decoded->systemInfoOffset;
    state_.eventMarkNumber = decoded->record.eventMark & 0x7FFF;
    state_.eventMarkFlag = (decoded->record.eventMark & kEventMarkFlag) != 0;

    if (!reverse) {
        state_.recordPosition = pos + length;
    } else {
        std::uint64_t next = pos;
        if (pos <= state_.firstRecordOffset) {
            next = end;  // from the first record round to the last
            result.trackRestart = true;
        } else if (pos + length == end) {
            result.trackRestart = true;
        }
        // Stepping back before the first record counts as past the end; the
        // playback step then starts again from the first record.
        state_.recordPosition = next >= state_.firstRecordOffset + length ? next - length : end;
    }

    result.status = ReadStatus::Ok;
    result.blocks = decoded->blocks;
    return result;
}

MarkRewrite CReadWriteFiles::rewritePlayedEventMark(std::uint32_t pingNumber, std::uint16_t mark) {
    if (!played_) return MarkRewrite::NoFile;
    if (playedReadOnly_) return MarkRewrite::ReadOnly;
    std::optional<std::uint64_t> guess;
    if (state_.recordLength > 0 && pingNumber >= state_.firstPingNumber)
        guess = state_.firstRecordOffset + std::uint64_t{pingNumber - state_.firstPingNumber} * state_.recordLength;
    return rewriteEventMark(*played_, pingNumber, mark, guess, state_.firstRecordOffset);
}

}  // namespace hx
