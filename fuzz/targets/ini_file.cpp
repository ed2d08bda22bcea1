// The INI file: any text parsed, every key found in it read, then a few keys
// written with values from the input. After every write the file must read
// as its own text read afresh, and a written value must read back unchanged.
// Input: the text from the front; the writes from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "settings/IniFile.h"
#include "support/FuzzSupport.h"

using namespace hx;

namespace {

constexpr std::size_t kMaxProbes = 64;

// The (section, key) pairs the text seems to hold, as a scan of its lines
// finds them, plus names the settings use.
std::vector<std::pair<std::string, std::string>> probesOf(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> probes = {
        {"System", "Range"}, {"System", "Read File Dir:"}, {"View", "Color Table"}, {"Sonar L", "IP Address"}};
    std::string section;
    std::size_t at = 0;
    while (at < text.size() && probes.size() < kMaxProbes) {
        const std::size_t nl = text.find('\n', at);
        const std::string line = text.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
        at = nl == std::string::npos ? text.size() : nl + 1;
        const auto open = line.find('[');
        const auto close = line.find(']');
        if (open != std::string::npos && close != std::string::npos && open < close) {
            section = line.substr(open + 1, close - open - 1);
            continue;
        }
        const auto eq = line.find('=');
        if (eq != std::string::npos) probes.emplace_back(section, line.substr(0, eq));
    }
    return probes;
}

// A name the file keeps as it is: not empty, none of the characters that
// make a line something else, no blank at either end.
bool plainName(const std::string& name, const char* forbidden) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    return !name.empty() && name.find_first_of(forbidden) == std::string::npos && !blank(name.front()) &&
           !blank(name.back());
}

void checkAgainstFreshRead(const IniFile& ini, const std::vector<std::pair<std::string, std::string>>& probes) {
    const IniFile fresh = IniFile::fromText(ini.toText());
    for (const auto& [section, key] : probes) FUZZ_CHECK(ini.value(section, key) == fresh.value(section, key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int writes = in.ConsumeIntegralInRange<int>(0, 6);
    std::vector<std::pair<std::string, std::string>> names;
    std::vector<std::string> values;
    // Section and key names are the program's own and never hold a line
    // break; values come from outside and may hold anything.
    const auto name = [&in] {
        std::string n = in.ConsumeRandomLengthString(12);
        std::replace_if(n.begin(), n.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        return n;
    };
    for (int i = 0; i < writes; ++i) {
        std::string section = name();
        names.emplace_back(std::move(section), name());
        values.push_back(in.ConsumeRandomLengthString(24));
    }
    const std::string text = in.ConsumeRemainingBytesAsString();

    IniFile ini = IniFile::fromText(text);
    auto probes = probesOf(text);
    for (const auto& [section, key] : probes) {
        (void)ini.readInt(section, key, 7);
        (void)ini.readString(section, key, "");
    }
    checkAgainstFreshRead(ini, probes);

    for (std::size_t i = 0; i < names.size(); ++i) {
        // The settings write existing sections' keys as often as new ones.
        auto [section, key] = names[i];
        if (!probes.empty() && (values[i].size() & 1)) std::tie(section, key) = probes[values[i].size() % probes.size()];
        ini.writeString(section, key, values[i]);
        probes.emplace_back(section, key);
        checkAgainstFreshRead(ini, probes);
        // A plain name reads back what was written, cut at a newline.
        if (plainName(section, "[]\r\n") && plainName(key, "[]=;#\r\n"))
            FUZZ_CHECK(ini.value(section, key) == values[i].substr(0, values[i].find('\n')));
    }
    return 0;
}
