// Test doubles for the record tests: files in memory that can run out of
// space, fail a write or a truncation, and the recorder's ports.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/FileDialogPort.h"
#include "core/Notifier.h"
#include "record/FileAccess.h"
#include "record/Recorder.h"

namespace hx::rectest {

class MemoryFileSystem;

class MemoryFile final : public IRandomAccessFile {
public:
    MemoryFile(std::string path, std::shared_ptr<std::vector<std::uint8_t>> bytes, MemoryFileSystem& fs,
               bool writable)
        : path_(std::move(path)), bytes_(std::move(bytes)), fs_(fs), writable_(writable) {}
    std::optional<std::uint64_t> size() override { return bytes_->size(); }
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    bool writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override;
    bool truncate(std::uint64_t length) override;
    // The name still leads to these bytes (not erased, nor replaced).
    bool stillNamed() override;

private:
    std::string path_;
    std::shared_ptr<std::vector<std::uint8_t>> bytes_;
    MemoryFileSystem& fs_;
    bool writable_;
};

class MemoryFileSystem final : public IFileSystem {
public:
    std::unique_ptr<IRandomAccessFile> open(const std::string& path, OpenMode mode) override {
        if (unopenable.count(path)) return nullptr;
        if (mode == OpenMode::CreateReadWrite) {
            if (readOnly.count(path)) return nullptr;
            auto& slot = files[path];
            if (!slot) slot = std::make_shared<std::vector<std::uint8_t>>();
            slot->clear();
            return std::make_unique<MemoryFile>(path, slot, *this, true);
        }
        auto it = files.find(path);
        if (it == files.end()) return nullptr;
        if (mode == OpenMode::ReadWrite && readOnly.count(path)) return nullptr;
        return std::make_unique<MemoryFile>(path, it->second, *this, mode == OpenMode::ReadWrite);
    }
    bool exists(const std::string& path) override { return files.count(path) > 0; }
    std::optional<std::uint64_t> freeSpaceBytes(const std::string&) override {
        if (reportedFreeBytes) return reportedFreeBytes;
        return spaceLeft;
    }
    bool samePath(const std::string& a, const std::string& b) override { return a == b; }

    std::vector<std::uint8_t>& bytes(const std::string& path) {
        auto& slot = files[path];
        if (!slot) slot = std::make_shared<std::vector<std::uint8_t>>();
        return *slot;
    }

    std::map<std::string, std::shared_ptr<std::vector<std::uint8_t>>> files;
    std::set<std::string> unopenable;
    std::set<std::string> readOnly;
    std::optional<std::uint64_t> reportedFreeBytes;  // what the free-space query says
    std::optional<std::uint64_t> spaceLeft;          // bytes that growing files may still take
    bool failWrites = false;                         // every write fails after writing nothing
    std::set<std::string> failWritesTo;              // writes to these files fail the same way
    bool failTruncate = false;
};

inline std::size_t MemoryFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset >= bytes_->size()) return 0;
    const std::size_t n = std::min<std::uint64_t>(out.size(), bytes_->size() - offset);
    std::copy_n(bytes_->begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
    return n;
}

inline bool MemoryFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) {
    if (!writable_ || fs_.failWrites || fs_.failWritesTo.count(path_)) return false;
    std::uint64_t end = offset + data.size();
    bool complete = true;
    if (fs_.spaceLeft && end > bytes_->size()) {
        const std::uint64_t room = bytes_->size() + *fs_.spaceLeft;
        if (end > room) {  // a short write: as much as fits lands in the file
            end = std::max<std::uint64_t>(room, offset);
            complete = false;
        }
    }
    if (end > bytes_->size()) {
        if (fs_.spaceLeft) *fs_.spaceLeft -= end - bytes_->size();
        bytes_->resize(end, 0);
    }
    std::copy_n(data.begin(), end - offset, bytes_->begin() + static_cast<std::ptrdiff_t>(offset));
    return complete;
}

inline bool MemoryFile::stillNamed() {
    const auto it = fs_.files.find(path_);
    return it != fs_.files.end() && it->second == bytes_;
}

inline bool MemoryFile::truncate(std::uint64_t length) {
    if (!writable_ || fs_.failTruncate) return false;
    if (fs_.spaceLeft && length < bytes_->size()) *fs_.spaceLeft += bytes_->size() - length;
    bytes_->resize(length, 0);
    return true;
}

class RecordingNotifier final : public INotifier {
public:
    Answer message(const std::string& text, MessageIcon icon, Buttons, const std::string&) override {
        texts.push_back(text);
        icons.push_back(icon);
        return Answer::Ok;
    }
    std::vector<std::string> texts;
    std::vector<MessageIcon> icons;
};

class SetClock final : public IClock {
public:
    LocalTime localTime() const override { return now; }
    std::uint32_t tickMs() const override { return tick; }
    LocalTime now{2007, 3, 4, 1, 14, 5, 9, 0};
    std::uint32_t tick = 0;
};

class ScriptedDialogs final : public IFileDialogPort {
public:
    std::optional<std::string> openFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggested) override {
        lastTitle = title;
        lastFilter = filter;
        lastSuggested = suggested;
        return answer;
    }
    std::optional<FileDialogChoice> saveFileFrom(const std::string& title, const std::string& filter,
                                                 const std::string& suggested, const FileDialogStart& start) override {
        lastStart = start;
        const auto path = saveFile(title, filter, suggested);
        if (!path) return std::nullopt;
        return FileDialogChoice{*path, chosenFilterIndex};
    }
    std::optional<std::string> answer;
    std::string lastTitle, lastFilter, lastSuggested;
    FileDialogStart lastStart;
    int chosenFilterIndex = 1;
};

class CaptionWindow final : public IRecorderWindow {
public:
    void setCaption(const std::string& c) override { captions.push_back(c); }
    void addRecentFile(const std::string& path) override { recent.push_back(path); }
    std::vector<std::string> captions;
    std::vector<std::string> recent;
};

}  // namespace hx::rectest
