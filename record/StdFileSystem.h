// IFileSystem over real files (C stdio in binary mode, std::filesystem for
// lengths, truncation and free space).
#pragma once

#include "record/FileAccess.h"

namespace hx {

class StdFileSystem final : public IFileSystem {
public:
    std::unique_ptr<IRandomAccessFile> open(const std::string& path, OpenMode mode) override;
    bool exists(const std::string& path) override;
    std::optional<std::uint64_t> freeSpaceBytes(const std::string& path) override;
    bool samePath(const std::string& a, const std::string& b) override;
};

}  // namespace hx
