// The gpsd client's side of the byte stream: the watch request that asks a
// gpsd server for the NMEA sentences of its devices, and a filter that takes
// gpsd's own JSON report lines out of the stream so that only NMEA text
// reaches the reader's framing.
#pragma once

#include <string>
#include <string_view>

namespace hx {

// Sent once after connecting; gpsd then passes the sentences of NMEA
// devices through as received.
inline constexpr std::string_view kGpsdWatchNmea = "?WATCH={\"enable\":true,\"nmea\":true};\n";
inline constexpr std::string_view kGpsdWatchRaw = "?WATCH={\"enable\":true,\"raw\":1};\n";

class GpsdStreamFilter {
public:
    // Returns the bytes of complete lines that are not JSON objects ('{'
    // first); an incomplete line waits for the rest. A line longer than
    // 64 KiB is given up.
    std::string filter(std::string_view bytes);
    void reset() { line_.clear(); skipping_ = false; }

private:
    std::string line_;
    bool skipping_ = false;  // inside an over-long line: dropped up to its end
};

}  // namespace hx
