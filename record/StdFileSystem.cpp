#include "record/StdFileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>

namespace hx {

namespace fs = std::filesystem;

namespace {

// std::fseek takes a long; data files may pass 2 GiB.
static_assert(sizeof(long) >= 8, "64-bit file offsets need a 64-bit long");

bool seekTo(std::FILE* f, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max())) return false;
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0;
}

class StdFile final : public IRandomAccessFile {
public:
    StdFile(std::FILE* f, std::string path) : f_(f), path_(std::move(path)) {}
    ~StdFile() override { std::fclose(f_); }
    StdFile(const StdFile&) = delete;
    StdFile& operator=(const StdFile&) = delete;

    std::optional<std::uint64_t> size() override {
        if (std::fflush(f_) != 0 || std::fseek(f_, 0, SEEK_END) != 0) return std::nullopt;
        const long end = std::ftell(f_);
        if (end < 0) return std::nullopt;
        return static_cast<std::uint64_t>(end);
    }

    // Positioned reads straight from the file: no seek, no copy through the
    // stream's buffer (every write is flushed, so the buffer holds nothing
    // the file lacks).
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return 0;
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::pread(fileno(f_), out.data() + done, out.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    bool writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
        if (!seekTo(f_, offset)) return false;
        const std::size_t n = data.empty() ? 0 : std::fwrite(data.data(), 1, data.size(), f_);
        // A buffered write can fail only when it reaches the disk.
        const bool flushed = std::fflush(f_) == 0;
        const bool ok = n == data.size() && flushed && !std::ferror(f_);
        std::clearerr(f_);
        return ok;
    }

    bool truncate(std::uint64_t length) override {
        std::fflush(f_);
        // Through the open file, not its name: the name may be gone.
        if (length > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
        return ::ftruncate(fileno(f_), static_cast<off_t>(length)) == 0;
    }

    bool stillNamed() override {
        struct stat named{}, open{};
        if (::stat(path_.c_str(), &named) != 0 || ::fstat(fileno(f_), &open) != 0) return false;
        return named.st_dev == open.st_dev && named.st_ino == open.st_ino;
    }

private:
    std::FILE* f_;
    std::string path_;
};

}  // namespace

std::unique_ptr<IRandomAccessFile> StdFileSystem::open(const std::string& path, OpenMode mode) {
    const char* how = mode == OpenMode::Read ? "rb" : mode == OpenMode::ReadWrite ? "r+b" : "w+b";
    std::error_code ec;
    if (mode != OpenMode::CreateReadWrite && !fs::is_regular_file(path, ec)) return nullptr;
    std::FILE* f = std::fopen(path.c_str(), how);
    if (!f) return nullptr;
    return std::make_unique<StdFile>(f, path);
}

bool StdFileSystem::exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::optional<std::uint64_t> StdFileSystem::freeSpaceBytes(const std::string& path) {
    std::error_code ec;
    fs::path where = path.empty() ? fs::current_path(ec) : fs::path(path);
    if (!fs::exists(where, ec)) where = where.has_parent_path() ? where.parent_path() : fs::current_path(ec);
    const fs::space_info info = fs::space(where, ec);
    if (ec || info.available == static_cast<std::uintmax_t>(-1)) return std::nullopt;
    return static_cast<std::uint64_t>(info.available);
}

bool StdFileSystem::samePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec1, ec2;
    const fs::path ca = fs::weakly_canonical(a, ec1);
    const fs::path cb = fs::weakly_canonical(b, ec2);
    if (ec1 || ec2) return a == b;
    return ca == cb;
}

}  // namespace hx
