// Little-endian reading and writing over byte buffers with every access
// checked against the buffer's length. Wire messages and files go through
// these; nothing in the program copies packed structs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hx {

// Random access at fixed offsets. A read outside the buffer yields nullopt;
// a write outside it returns false and changes nothing.
std::optional<std::uint8_t> readU8(std::span<const std::uint8_t> buf, std::size_t offset);
std::optional<std::uint16_t> readU16Le(std::span<const std::uint8_t> buf, std::size_t offset);
std::optional<std::uint32_t> readU32Le(std::span<const std::uint8_t> buf, std::size_t offset);
std::optional<double> readF64Le(std::span<const std::uint8_t> buf, std::size_t offset);

bool writeU8(std::span<std::uint8_t> buf, std::size_t offset, std::uint8_t value);
bool writeU16Le(std::span<std::uint8_t> buf, std::size_t offset, std::uint16_t value);
bool writeU32Le(std::span<std::uint8_t> buf, std::size_t offset, std::uint32_t value);
bool writeF64Le(std::span<std::uint8_t> buf, std::size_t offset, double value);

// Sequential reading. After the first read past the end every further read
// returns zero and ok() stays false, so a decoder can read a whole record
// and check once.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> buf) : buf_(buf) {}

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    double f64();
    // The next n bytes, or an empty span (and ok() false) when fewer remain.
    std::span<const std::uint8_t> bytes(std::size_t n);
    // Text of a fixed-size field up to its first NUL.
    std::string text(std::size_t n);
    void skip(std::size_t n) { bytes(n); }

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return ok_ ? buf_.size() - pos_ : 0; }

private:
    std::span<const std::uint8_t> buf_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// Sequential writing that appends to a growing buffer.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f64(double v);
    void bytes(std::span<const std::uint8_t> data) { out_.insert(out_.end(), data.begin(), data.end()); }
    // A fixed-size text field: the text cut to n - 1 bytes, NUL-padded to n.
    void text(std::string_view s, std::size_t n);
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }

    std::size_t size() const { return out_.size(); }

private:
    std::vector<std::uint8_t>& out_;
};

}  // namespace hx
