// Files held in memory for the fuzz targets that read data and event files
// through the file layer: no disk, no leftovers between runs. A file can be
// made read-only, and writes can be made to fail, so that the targets reach
// the code that handles both.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "record/FileAccess.h"

namespace hx::fuzz {

using Bytes = std::vector<std::uint8_t>;

class MemoryFile final : public IRandomAccessFile {
public:
    MemoryFile(std::shared_ptr<Bytes> bytes, bool writable, const bool& failWrites)
        : bytes_(std::move(bytes)), writable_(writable), failWrites_(failWrites) {}

    std::optional<std::uint64_t> size() override { return bytes_->size(); }

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        if (offset >= bytes_->size()) return 0;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), bytes_->size() - offset));
        std::copy_n(bytes_->begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
        return n;
    }

    bool writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
        if (!writable_ || failWrites_) return false;
        // Nothing the targets write comes near this; a wild offset is a fault.
        if (offset > kMaxFileBytes || data.size() > kMaxFileBytes - offset) return false;
        const std::uint64_t end = offset + data.size();
        if (end > bytes_->size()) bytes_->resize(static_cast<std::size_t>(end), 0);
        std::copy(data.begin(), data.end(), bytes_->begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    }

    bool truncate(std::uint64_t length) override {
        if (!writable_ || failWrites_ || length > kMaxFileBytes) return false;
        bytes_->resize(static_cast<std::size_t>(length), 0);
        return true;
    }

    static constexpr std::uint64_t kMaxFileBytes = 64 * 1024 * 1024;

private:
    std::shared_ptr<Bytes> bytes_;
    bool writable_;
    const bool& failWrites_;
};

class MemoryFileSystem final : public IFileSystem {
public:
    std::unique_ptr<IRandomAccessFile> open(const std::string& path, OpenMode mode) override {
        const bool write = mode != OpenMode::Read;
        if (write && readOnly.count(path)) return nullptr;
        if (mode == OpenMode::CreateReadWrite) {
            auto& slot = files[path];
            if (!slot) slot = std::make_shared<Bytes>();
            slot->clear();
            return std::make_unique<MemoryFile>(slot, true, failWrites);
        }
        const auto it = files.find(path);
        if (it == files.end()) return nullptr;
        return std::make_unique<MemoryFile>(it->second, write, failWrites);
    }
    bool exists(const std::string& path) override { return files.count(path) > 0; }
    std::optional<std::uint64_t> freeSpaceBytes(const std::string&) override { return 1ULL << 40; }
    bool samePath(const std::string& a, const std::string& b) override { return a == b; }

    // The file's bytes, created empty when missing.
    Bytes& bytes(const std::string& path) {
        auto& slot = files[path];
        if (!slot) slot = std::make_shared<Bytes>();
        return *slot;
    }

    std::map<std::string, std::shared_ptr<Bytes>> files;
    std::set<std::string> readOnly;
    bool failWrites = false;
};

}  // namespace hx::fuzz
