// An INI file edited key by key, the way the settings have always been kept:
// reading finds a key in a section (names compared without regard to case),
// writing replaces or adds that one line and leaves every other line, unknown
// keys and comments included, exactly as it was.
#pragma once

#include <optional>
#include <string>
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

    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, long long value);

private:
    struct Location {
        std::size_t sectionLine = 0;   // index of the "[section]" line
        std::size_t endLine = 0;       // one past the section's last line
        std::optional<std::size_t> keyLine;
    };
    std::optional<Location> find(const std::string& section, const std::string& key) const;

    std::vector<std::string> lines_;
    bool crlf_ = false;
};

// The decimal string-to-integer conversion of stored texts: optional blanks
// and sign, then digits; anything else ends the number; no digits give 0.
int parseLeadingInt(const std::string& text);

}  // namespace hx
