// Random access to the bytes of a file being read: from memory or from a
// real file, so that a reader never needs the whole file in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace hx {

class IByteSource {
public:
    virtual ~IByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Reads up to out.size() bytes at offset; returns how many were read.
    virtual std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class MemorySource final : public IByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> bytes_;
};

class FileSource final : public IByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // False with error() set when the file cannot be opened for reading.
    bool open(const std::string& path);
    std::uint64_t size() const override { return size_; }
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    const std::string& error() const { return error_; }

private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::string error_;
};

}  // namespace hx
