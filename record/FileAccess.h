// The file layer the data file, its event file and the recorder work
// through: positioned reads and writes, truncation and the free space of a
// file system. StdFileSystem backs it with real files; tests use an
// in-memory one that can run out of space or fail a write.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace hx {

class IRandomAccessFile {
public:
    virtual ~IRandomAccessFile() = default;
    // Current length in bytes; nullopt when it cannot be told.
    virtual std::optional<std::uint64_t> size() = 0;
    // Reads up to out.size() bytes at offset; returns how many were read
    // (fewer at the end of the file or on an error).
    virtual std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
    // Writes all of data at offset and pushes it to the system. False when
    // any of it could not be written; part of it may then be in the file.
    virtual bool writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) = 0;
    // Cuts (or extends with zeros) the file to length bytes.
    virtual bool truncate(std::uint64_t length) = 0;
    // False when the file no longer has the name it was opened by: another
    // program deleted it or put another file in its place. Its data lives on
    // for as long as it is open.
    virtual bool stillNamed() { return true; }
};

enum class OpenMode {
    Read,             // existing file, read only
    ReadWrite,        // existing file, read and write
    CreateReadWrite,  // create or empty the file, read and write
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // nullptr when the file cannot be opened in that mode.
    virtual std::unique_ptr<IRandomAccessFile> open(const std::string& path, OpenMode mode) = 0;
    virtual bool exists(const std::string& path) = 0;
    // Bytes available to this program on the file system that holds path
    // (or, for a file not yet there, its folder); nullopt when unknown.
    virtual std::optional<std::uint64_t> freeSpaceBytes(const std::string& path) = 0;
    // True when both paths name the same file (after making them absolute
    // and resolving links where the file exists).
    virtual bool samePath(const std::string& a, const std::string& b) = 0;
};

}  // namespace hx
