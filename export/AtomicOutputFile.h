// An output file that appears only when it is whole. The bytes go to a
// temporary file beside the target ("OUT.part-1a2b3c4d"); commit() flushes,
// closes and renames it over the target. Without commit(), or when anything
// failed, the temporary file is removed and the target is left as it was, so
// a failed export (read-only folder, full disk) leaves no half-written file.
#pragma once

#include <cstdio>
#include <string>

#include "export/ByteSink.h"

namespace hx {

class AtomicOutputFile final : public IByteSink {
public:
    AtomicOutputFile() = default;
    ~AtomicOutputFile() override;
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    // Creates the temporary file for path. False with error() set when the
    // folder is missing, not writable or the path is a folder.
    bool open(const std::string& path);
    bool write(std::span<const std::uint8_t> bytes) override;
    // Makes the file appear under its name. False with error() set when the
    // last bytes could not be written or the rename failed; nothing is left.
    bool commit();
    // Drops everything written so far.
    void abandon();

    const std::string& error() const override { return error_; }
    const std::string& path() const { return path_; }
    const std::string& temporaryPath() const { return tempPath_; }

private:
    void fail(const std::string& what, int errorNumber);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::string tempPath_;
    std::string error_;
};

}  // namespace hx
