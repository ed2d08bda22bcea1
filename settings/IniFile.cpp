#include "settings/IniFile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace hx {

namespace {

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// "[name]" → name; nullopt for any other line.
std::optional<std::string> sectionName(const std::string& line) {
    const std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

// "key=value" → key; nullopt for comments and other lines.
std::optional<std::string> keyName(const std::string& line) {
    const std::string t = trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#' || t[0] == '[') return std::nullopt;
    const auto eq = t.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return trim(t.substr(0, eq));
}

}  // namespace

int parseLeadingInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX) {
            v = static_cast<long long>(INT_MAX) + (negative ? 1 : 0);
            break;
        }
    }
    if (negative) v = -v;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

IniFile IniFile::fromText(const std::string& text) {
    IniFile ini;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            ini.crlf_ = true;
        }
        ini.lines_.push_back(line);
    }
    return ini;
}

IniFile IniFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return fromText(text.str());
}

std::string IniFile::toText() const {
    std::string out;
    const char* eol = crlf_ ? "\r\n" : "\n";
    for (const auto& l : lines_) out += l + eol;
    return out;
}

bool IniFile::save(const std::string& path) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const fs::path temp = target.string() + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << toText();
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

std::optional<IniFile::Location> IniFile::find(const std::string& section, const std::string& key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i]);
        if (!name || !sameName(*name, section)) continue;
        Location loc;
        loc.sectionLine = i;
        std::size_t j = i + 1;
        for (; j < lines_.size() && !sectionName(lines_[j]); ++j) {
            if (loc.keyLine) continue;
            auto k = keyName(lines_[j]);
            if (k && sameName(*k, key)) loc.keyLine = j;
        }
        loc.endLine = j;
        return loc;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::value(const std::string& section, const std::string& key) const {
    auto loc = find(section, key);
    if (!loc || !loc->keyLine) return std::nullopt;
    const std::string& line = lines_[*loc->keyLine];
    std::string v = trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
        v = v.substr(1, v.size() - 2);
    return v;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    auto v = value(section, key);
    return v ? *v : fallback;
}

int IniFile::readInt(const std::string& section, const std::string& key, int fallback) const {
    auto v = value(section, key);
    return v ? parseLeadingInt(*v) : fallback;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
    // A value cannot span lines; cut it at the first line break.
    const std::string clean = value.substr(0, value.find_first_of("\r\n"));
    const std::string line = key + "=" + clean;
    auto loc = find(section, key);
    if (!loc) {
        if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.push_back("");
        lines_.push_back("[" + section + "]");
        lines_.push_back(line);
        return;
    }
    if (loc->keyLine) {
        lines_[*loc->keyLine] = line;
        return;
    }
    // After the section's last non-blank line, so blank separators stay last.
    std::size_t at = loc->endLine;
    while (at > loc->sectionLine + 1 && trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
}

void IniFile::writeInt(const std::string& section, const std::string& key, long long value) {
    writeString(section, key, std::to_string(value));
}

}  // namespace hx
