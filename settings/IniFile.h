// An INI file edited key by key, the way the settings have always been kept:
// reading finds a key in a section (names compared without regard to case),
// writing replaces or adds that one line and leaves every other line, unknown
// keys and comments included, exactly as it was. The sections and keys are
// indexed once when the text is parsed, so reading a key costs the same in a
// large file as in a small one.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace hx {

class IniFile {
public:
    IniFile() = default;
    // Parses text; any bytes are accepted, lines that are neither a section,
    // a key nor a comment are kept and ignored.
    static IniFile fromText(const std::string& text);
    // A missing or unreadable file gives an empty one.
    static IniFile load(const std::string& path);

    std::string toText() const;
    // Writes a temporary file beside path and renames it over path, so an
    // interrupted write never leaves a half settings file. False on failure.
    bool save(const std::string& path) const;

    // The stored text with surrounding blanks and one pair of enclosing
    // quotes removed; nullopt when the section or key is missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    std::string readString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // Leading optional sign and decimal digits; text without digits reads
    // as 0, a missing key as fallback. Values beyond int saturate.
    int readInt(const std::string& section, const std::string& key, int fallback) const;

    // Writes the value cut at its first newline. A value with leading or
    // trailing blanks, or enclosed in a pair of quotes, is written inside
    // double quotes, so that value() gives it back unchanged.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, long long value);

private:
    struct Location {
        std::size_t sectionLine = 0;   // index of the "[section]" line
        std::size_t endLine = 0;       // one past the section's last line
        std::optional<std::size_t> keyLine;
    };
    std::optional<Location> find(const std::string& section, const std::string& key) const;

    // Where every section and key is, so that a read does not scan the file.
    // Names are lower-cased; the first section of a name and the first key
    // of a name within it count, as a scan from the top would find them.
    struct SectionIndex {
        std::size_t headerLine = 0;
        std::size_t endLine = 0;
        std::unordered_map<std::string, std::size_t> keys;
    };
    // Indexes lines from `from` on, the lines before it being indexed already.
    void indexLines(std::size_t from);
    void rebuildIndex();
    // A line was inserted at `at`: every index at or after it moves down one.
    void shiftIndex(std::size_t at);

    std::vector<std::string> lines_;
    bool crlf_ = false;
    std::vector<SectionIndex> sections_;                  // every section header, in file order
    std::unordered_map<std::string, std::size_t> named_;  // section name -> its first entry in sections_
};

// The decimal string-to-integer conversion of stored texts: optional blanks
// and sign, then digits; anything else ends the number; no digits give 0.
int parseLeadingInt(const std::string& text);

}  // namespace hx
