#include "export/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

namespace hx {

std::size_t MemorySource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset >= bytes_.size()) return 0;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), bytes_.size() - offset));
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
    return n;
}

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

bool FileSource::open(const std::string& path) {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    size_ = 0;
    error_.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error_ = "Cannot read " + path + ": " + (ec ? ec.message() : std::string("not a file"));
        return false;
    }
    errno = 0;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
        error_ = "Cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    const auto n = std::filesystem::file_size(path, ec);
    size_ = ec ? 0 : n;
    return true;
}

std::size_t FileSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!file_ || out.empty() || offset >= size_ ||
        offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()))
        return 0;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return 0;
    const std::size_t n = std::fread(out.data(), 1, out.size(), file_);
    std::clearerr(file_);
    return n;
}

}  // namespace hx
