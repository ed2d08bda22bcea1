#include "core/ByteIO.h"

#include <bit>
#include <cstring>

namespace hx {

namespace {

bool fits(std::size_t size, std::size_t offset, std::size_t n) {
    return offset <= size && n <= size - offset;
}

std::uint64_t loadLe(const std::uint8_t* p, std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return v;
}

void storeLe(std::uint8_t* p, std::uint64_t v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::optional<std::uint8_t> readU8(std::span<const std::uint8_t> buf, std::size_t offset) {
    if (!fits(buf.size(), offset, 1)) return std::nullopt;
    return buf[offset];
}

std::optional<std::uint16_t> readU16Le(std::span<const std::uint8_t> buf, std::size_t offset) {
    if (!fits(buf.size(), offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(loadLe(buf.data() + offset, 2));
}

std::optional<std::uint32_t> readU32Le(std::span<const std::uint8_t> buf, std::size_t offset) {
    if (!fits(buf.size(), offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(loadLe(buf.data() + offset, 4));
}

std::optional<double> readF64Le(std::span<const std::uint8_t> buf, std::size_t offset) {
    if (!fits(buf.size(), offset, 8)) return std::nullopt;
    return std::bit_cast<double>(loadLe(buf.data() + offset, 8));
}

bool writeU8(std::span<std::uint8_t> buf, std::size_t offset, std::uint8_t value) {
    if (!fits(buf.size(), offset, 1)) return false;
    buf[offset] = value;
    return true;
}

bool writeU16Le(std::span<std::uint8_t> buf, std::size_t offset, std::uint16_t value) {
    if (!fits(buf.size(), offset, 2)) return false;
    storeLe(buf.data() + offset, value, 2);
    return true;
}

bool writeU32Le(std::span<std::uint8_t> buf, std::size_t offset, std::uint32_t value) {
    if (!fits(buf.size(), offset, 4)) return false;
    storeLe(buf.data() + offset, value, 4);
    return true;
}

bool writeF64Le(std::span<std::uint8_t> buf, std::size_t offset, double value) {
    if (!fits(buf.size(), offset, 8)) return false;
    storeLe(buf.data() + offset, std::bit_cast<std::uint64_t>(value), 8);
    return true;
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t n) {
    if (!ok_ || !fits(buf_.size(), pos_, n)) {
        ok_ = false;
        return {};
    }
    auto out = buf_.subspan(pos_, n);
    pos_ += n;
    return out;
}

std::uint8_t ByteReader::u8() {
    auto b = bytes(1);
    return b.empty() ? 0 : b[0];
}

std::uint16_t ByteReader::u16() {
    auto b = bytes(2);
    return b.empty() ? 0 : static_cast<std::uint16_t>(loadLe(b.data(), 2));
}

std::uint32_t ByteReader::u32() {
    auto b = bytes(4);
    return b.empty() ? 0 : static_cast<std::uint32_t>(loadLe(b.data(), 4));
}

double ByteReader::f64() {
    auto b = bytes(8);
    return b.empty() ? 0.0 : std::bit_cast<double>(loadLe(b.data(), 8));
}

std::string ByteReader::text(std::size_t n) {
    auto b = bytes(n);
    std::string s(b.begin(), b.end());
    if (auto nul = s.find('\0'); nul != std::string::npos) s.resize(nul);
    return s;
}

void ByteWriter::u16(std::uint16_t v) {
    std::uint8_t b[2];
    storeLe(b, v, 2);
    out_.insert(out_.end(), b, b + 2);
}

void ByteWriter::u32(std::uint32_t v) {
    std::uint8_t b[4];
    storeLe(b, v, 4);
    out_.insert(out_.end(), b, b + 4);
}

void ByteWriter::f64(double v) {
    std::uint8_t b[8];
    storeLe(b, std::bit_cast<std::uint64_t>(v), 8);
    out_.insert(out_.end(), b, b + 8);
}

void ByteWriter::text(std::string_view s, std::size_t n) {
    if (n == 0) return;
    std::size_t len = s.size() < n - 1 ? s.size() : n - 1;
    out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(len));
    out_.insert(out_.end(), n - len, 0);
}

}  // namespace hx
