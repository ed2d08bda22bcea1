// Where an exporter's bytes go: a file being written (AtomicOutputFile) or
// memory (MemorySink, for tests and for callers that want the bytes).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

class IByteSink {
public:
    virtual ~IByteSink() = default;
    // False once anything could not be written; error() then says why and
    // every later write fails too.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    virtual const std::string& error() const = 0;

    bool writeText(std::string_view text) {
        return write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
};

class MemorySink final : public IByteSink {
public:
    bool write(std::span<const std::uint8_t> bytes) override {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return true;
    }
    const std::string& error() const override { return error_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::string text() const { return {bytes_.begin(), bytes_.end()}; }

private:
    std::vector<std::uint8_t> bytes_;
    std::string error_;
};

}  // namespace hx
