#include "export/AtomicOutputFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace hx {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferBytes = 1 << 20;

std::string hex8(std::uint32_t v) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string s(8, '0');
    for (int i = 7; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = digits[v & 0xF];
    return s;
}

}  // namespace

AtomicOutputFile::~AtomicOutputFile() { abandon(); }

void AtomicOutputFile::fail(const std::string& what, int errorNumber) {
    if (!error_.empty()) return;
    error_ = what;
    if (errorNumber != 0) error_ += std::string(": ") + std::strerror(errorNumber);
}

bool AtomicOutputFile::open(const std::string& path) {
    abandon();
    error_.clear();
    path_ = path;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        fail("Cannot write " + path + ": it is a folder", 0);
        return false;
    }
    // "x" makes fopen fail rather than reuse a name another export holds.
    std::random_device rd;
    for (int attempt = 0; attempt < 8 && !file_; ++attempt) {
        tempPath_ = path + ".part-" + hex8(rd());
        errno = 0;
        file_ = std::fopen(tempPath_.c_str(), "wbx");
        if (!file_ && errno != EEXIST) break;
    }
    if (!file_) {
        const int e = errno;
        tempPath_.clear();
        const fs::path folder = fs::path(path).parent_path();
        fail("Cannot create a file in " + (folder.empty() ? std::string(".") : folder.string()), e);
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
    return true;
}

bool AtomicOutputFile::write(std::span<const std::uint8_t> bytes) {
    if (!file_ || !error_.empty()) {
        fail("Cannot write " + path_ + ": the file is not open", 0);
        return false;
    }
    if (bytes.empty()) return true;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        fail("Writing " + path_ + " failed", errno);
        abandon();
        return false;
    }
    return true;
}

bool AtomicOutputFile::commit() {
    if (!file_) {
        fail("Cannot write " + path_ + ": the file is not open", 0);
        return false;
    }
    if (!error_.empty()) {
        abandon();
        return false;
    }
    errno = 0;
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    int e = errno;
    const bool closed = std::fclose(file_) == 0;
    if (flushed && !closed) e = errno;
    file_ = nullptr;
    if (!flushed || !closed) {
        fail("Writing " + path_ + " failed", e);
        abandon();
        return false;
    }
    std::error_code ec;
    fs::rename(tempPath_, path_, ec);
    if (ec) {
        fail("Cannot create " + path_, ec.value());
        abandon();
        return false;
    }
    tempPath_.clear();
    return true;
}

void AtomicOutputFile::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!tempPath_.empty()) {
        std::error_code ec;
        fs::remove(tempPath_, ec);
        tempPath_.clear();
    }
}

}  // namespace hx
