#include "export/TextEncoding.h"

#include <charconv>
#include <cmath>

namespace hx {

namespace {

void appendUtf8(std::string& out, unsigned char c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() + latin1.size() / 4);
    for (char ch : latin1) appendUtf8(out, static_cast<unsigned char>(ch));
    return out;
}

std::string xmlText(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() + 16);
    for (char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\r': out += "&#13;"; break;
        case '\t':
        case '\n': out += static_cast<char>(c); break;
        default:
            if (c < 0x20) out += ' ';
            else appendUtf8(out, c);
        }
    }
    return out;
}

std::string csvField(std::string_view latin1) {
    const bool quote = latin1.find_first_of(",\"\r\n") != std::string_view::npos;
    std::string out;
    if (quote) out += '"';
    for (char ch : latin1) {
        if (ch == '"') out += '"';
        appendUtf8(out, static_cast<unsigned char>(ch));
    }
    if (quote) out += '"';
    return out;
}

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc{}) return {};
    return {buf, r.ptr};
}

}  // namespace hx
