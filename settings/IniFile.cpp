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

std::string lowerCase(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The reader takes away surrounding blanks and one pair of enclosing quotes;
// a value that would lose something that way goes inside double quotes.
std::string storedText(const std::string& value) {
    const bool padded = !value.empty() && (std::isspace(static_cast<unsigned char>(value.front())) ||
                                           std::isspace(static_cast<unsigned char>(value.back())));
    const bool enclosed =
        value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'');
    return padded || enclosed ? "\"" + value + "\"" : value;
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
    ini.rebuildIndex();
    return ini;
}

void IniFile::rebuildIndex() {
    sections_.clear();
    named_.clear();
    indexLines(0);
}

void IniFile::indexLines(std::size_t from) {
    for (std::size_t i = from; i < lines_.size(); ++i) {
        if (auto name = sectionName(lines_[i])) {
            if (!sections_.empty()) sections_.back().endLine = i;
            named_.try_emplace(lowerCase(*name), sections_.size());
            sections_.push_back(SectionIndex{i, i + 1, {}});
            continue;
        }
        if (sections_.empty()) continue;  // before the first section
        SectionIndex& open = sections_.back();
        open.endLine = i + 1;
        if (auto key = keyName(lines_[i])) open.keys.try_emplace(lowerCase(*key), i);
    }
    if (!sections_.empty()) sections_.back().endLine = lines_.size();
}

void IniFile::shiftIndex(std::size_t at) {
    for (SectionIndex& section : sections_) {
        if (section.headerLine >= at) ++section.headerLine;
        if (section.endLine >= at) ++section.endLine;
        for (auto& entry : section.keys)
            if (entry.second >= at) ++entry.second;
    }
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
    const auto named = named_.find(lowerCase(section));
    if (named == named_.end()) return std::nullopt;
    const SectionIndex& found = sections_[named->second];
    Location loc;
    loc.sectionLine = found.headerLine;
    loc.endLine = found.endLine;
    if (const auto k = found.keys.find(lowerCase(key)); k != found.keys.end()) loc.keyLine = k->second;
    return loc;
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
    // A value cannot span lines; cut it at the first newline. A carriage
    // return elsewhere is kept: the reader ends lines at newlines only.
    const std::string clean = value.substr(0, value.find('\n'));
    const std::string line = key + "=" + storedText(clean);
    // A name that does not read back as itself (a key with '=' or '[' in
    // it, a section name with ']') cannot be kept in the index by hand.
    const auto written = keyName(line);
    const bool plainKey = written && sameName(*written, key) && !sectionName(line);

    auto loc = find(section, key);
    if (!loc) {
        const std::size_t from = lines_.size();
        if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.push_back("");
        lines_.push_back("[" + section + "]");
        lines_.push_back(line);
        indexLines(from);
        return;
    }
    if (loc->keyLine) {
        lines_[*loc->keyLine] = line;
        if (!plainKey) rebuildIndex();
        return;
    }
    // After the section's last non-blank line, so blank separators stay last.
    std::size_t at = loc->endLine;
    while (at > loc->sectionLine + 1 && trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
    if (!plainKey) {
        rebuildIndex();
        return;
    }
    shiftIndex(at);
    sections_[named_.at(lowerCase(section))].keys.try_emplace(lowerCase(key), at);
}

void IniFile::writeInt(const std::string& section, const std::string& key, long long value) {
    writeString(section, key, std::to_string(value));
}

}  // namespace hx
