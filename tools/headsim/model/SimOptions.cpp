#include "tools/headsim/model/SimOptions.h"

#include <charconv>
#include <cmath>

#include "core/LoopbackOnly.h"

namespace hx::sim {

namespace {

std::vector<std::string_view> splitCommas(std::string_view s) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = s.find(',', start);
        parts.push_back(s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

template <typename T>
std::optional<T> parseNumber(std::string_view s, T min, T max) {
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size() || value < min || value > max) return std::nullopt;
    return value;
}

std::optional<double> parseSeconds(std::string_view s) {
    // from_chars for double is available, but keep to plain digits and one point.
    double value = 0.0, scale = 0.0;
    bool digits = false;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0.0) value = value * 10.0 + (c - '0');
            else { value += (c - '0') * scale; scale /= 10.0; }
        } else if (c == '.' && scale == 0.0) {
            scale = 0.1;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> headLetter(std::string_view s) {
    if (s == "L") return kHeadL;
    if (s == "M") return kHeadM;
    if (s == "H") return kHeadH;
    if (s == "E" || s == "ES") return kHeadES;
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> parseIpv4(std::string_view text) {
    std::uint32_t value = 0;
    int octets = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        const std::string_view part = text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        const auto octet = part.size() <= 3 ? parseNumber<unsigned>(part, 0, 255) : std::nullopt;
        if (!octet || ++octets > 4) return std::nullopt;
        value = (value << 8) | *octet;
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    if (octets != 4) return std::nullopt;
    return value;
}

bool isLoopback(std::uint32_t ipv4) { return (ipv4 >> 24) == 127; }

std::string simUsage() {
    return "usage: hx642-headsim [options]\n"
           "  --addresses A,B,C,D   addresses of heads L, M, H, ES (default 127.0.0.2,127.0.0.3,127.0.0.4,127.0.0.5)\n"
           "  --port N              TCP port of every head (default 4040; 0 = any free port)\n"
           "  --heads LMHE          which heads exist (default LMHE)\n"
           "  --no-orientation      no orientation sensor\n"
           "  --serial XXXXXX       system serial number (six characters)\n"
           "  --frequencies L,M,H,ES  nominal frequencies in kHz (default 120,260,540,200)\n"
           "  --limits L,M,H,ES     frequency limits in kHz, each LOW-HIGH (default 100-150,230-300,480-700,180-220)\n"
           "  --no-delay            answer at once instead of after the two-way travel time\n"
           "  --seconds S           stop after S seconds\n"
           "  --pings N             stop after N pings\n"
           "  --silent-head L|M|H|E that head never answers data requests\n"
           "  --split-replies       send every reply in two TCP segments\n"
           "  --error-every N       error flags in the status byte of every Nth data reply\n"
           "  --close-after N       close each connection after its Nth reply\n"
           "  --no-sysinfo          never answer the system information request\n"
           "  --extra-byte          one extra byte after every reply\n"
           "  --garbage-every N     garbage bytes after every Nth data reply\n"
           "  --silent-every N      each connection falls silent after N data replies until rebuilt\n"
           "  --delay-ms N          extra delay before every reply\n"
           "  --gps-pty             write NMEA to a new pseudo-terminal\n"
           "  --gps-udp PORT        write NMEA to 127.0.0.1:PORT\n"
           "  --gps-garbage-every N garbage bytes before every Nth NMEA sentence\n"
           "  --replay-xtf FILE     the sidescan heads replay the pings of this XTF recording\n"
           "  --allow-non-loopback  allow addresses outside 127.0.0.0/8\n"
           "  --help, -h            print this help and exit\n"
           "  --version             print the version and exit\n";
}

ParsedOptions parseSimOptions(const std::vector<std::string>& args) {
    ParsedOptions out;
    SimOptions& o = out.options;
    auto fail = [&out](std::string message) {
        out.error = std::move(message);
        return out;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&]() -> std::string_view { return args[++i]; };
        auto needsValue = [&](std::string_view name) {
            return name == "--addresses" || name == "--port" || name == "--heads" || name == "--serial" ||
                   name == "--frequencies" || name == "--limits" || name == "--seconds" || name == "--pings" ||
                   name == "--silent-head" || name == "--error-every" || name == "--close-after" ||
                   name == "--silent-every" || name == "--gps-garbage-every" ||
                   name == "--garbage-every" || name == "--delay-ms" || name == "--gps-udp" || name == "--replay-xtf";
        };
        if (needsValue(a) && !hasValue) return fail(a + " needs a value");

        if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--version") {
            out.version = true;
        } else if (a == "--addresses") {
            const auto parts = splitCommas(value());
            if (parts.size() != kHeadCount) return fail("--addresses needs four addresses (L,M,H,ES)");
            for (std::size_t k = 0; k < parts.size(); ++k) {
                if (!parseIpv4(parts[k])) return fail("not an IPv4 address: " + std::string(parts[k]));
                o.addresses[k] = std::string(parts[k]);
            }
        } else if (a == "--port") {
            const auto p = parseNumber<int>(value(), 0, 65535);
            if (!p) return fail("--port needs a number from 0 to 65535");
            o.port = *p;
        } else if (a == "--heads") {
            const std::string_view v = value();
            o.present = {false, false, false, false};
            if (v.empty()) return fail("--heads needs at least one of L, M, H, E");
            for (char c : v) {
                const auto h = headLetter(std::string_view(&c, 1));
                if (!h) return fail(std::string("--heads: unknown head letter ") + c);
                o.present[static_cast<std::size_t>(*h)] = true;
            }
        } else if (a == "--no-orientation") {
            o.orientationSensor = false;
        } else if (a == "--serial") {
            const std::string_view v = value();
            if (v.empty() || v.size() > 6) return fail("--serial needs one to six characters");
            o.serial = std::string(v);
        } else if (a == "--frequencies") {
            const auto parts = splitCommas(value());
            if (parts.size() != kHeadCount) return fail("--frequencies needs four values in kHz (L,M,H,ES)");
            for (std::size_t k = 0; k < parts.size(); ++k) {
                const auto f = parseNumber<unsigned>(parts[k], 1, 65535);
                if (!f) return fail("--frequencies: not a frequency in kHz: " + std::string(parts[k]));
                o.nominalKHz[k] = *f;
            }
        } else if (a == "--limits") {
            const auto parts = splitCommas(value());
            if (parts.size() != kHeadCount) return fail("--limits needs four LOW-HIGH pairs in kHz (L,M,H,ES)");
            for (std::size_t k = 0; k < parts.size(); ++k) {
                const std::size_t dash = parts[k].find('-');
                const auto lo = dash == std::string_view::npos ? std::nullopt : parseNumber<unsigned>(parts[k].substr(0, dash), 1, 65535);
                const auto hi = dash == std::string_view::npos ? std::nullopt : parseNumber<unsigned>(parts[k].substr(dash + 1), 1, 65535);
                if (!lo || !hi || *lo > *hi) return fail("--limits: not a LOW-HIGH pair in kHz: " + std::string(parts[k]));
                o.lowestKHz[k] = *lo;
                o.highestKHz[k] = *hi;
            }
        } else if (a == "--no-delay") {
            o.noDelay = true;
        } else if (a == "--seconds") {
            const auto s = parseSeconds(value());
            if (!s || *s <= 0.0 || *s > 1e7) return fail("--seconds needs a positive number of seconds");
            o.seconds = *s;
        } else if (a == "--pings") {
            const auto n = parseNumber<long>(value(), 1, 1000000000L);
            if (!n) return fail("--pings needs a positive number");
            o.pings = *n;
        } else if (a == "--silent-head") {
            const auto h = headLetter(value());
            if (!h) return fail("--silent-head needs L, M, H or E");
            o.faults.silentHead = *h;
        } else if (a == "--split-replies") {
            o.faults.splitReplies = true;
        } else if (a == "--error-every" || a == "--close-after" || a == "--garbage-every") {
            const auto n = parseNumber<int>(value(), 1, 1000000000);
            if (!n) return fail(a + " needs a positive number");
            (a == "--error-every" ? o.faults.errorEvery : a == "--close-after" ? o.faults.closeAfter : o.faults.garbageEvery) = *n;
        } else if (a == "--silent-every" || a == "--gps-garbage-every") {
            const auto n = parseNumber<int>(value(), 1, 1000000000);
            if (!n) return fail(a + " needs a positive number");
            (a == "--silent-every" ? o.faults.silentEvery : o.faults.gpsGarbageEvery) = *n;
        } else if (a == "--no-sysinfo") {
            o.faults.noSysinfo = true;
        } else if (a == "--extra-byte") {
            o.faults.extraByte = true;
        } else if (a == "--delay-ms") {
            const auto n = parseNumber<int>(value(), 0, 60000);
            if (!n) return fail("--delay-ms needs a number of milliseconds from 0 to 60000");
            o.faults.delayMs = *n;
        } else if (a == "--gps-pty") {
            o.gpsPty = true;
        } else if (a == "--gps-udp") {
            const auto p = parseNumber<int>(value(), 1, 65535);
            if (!p) return fail("--gps-udp needs a port from 1 to 65535");
            o.gpsUdpPort = *p;
        } else if (a == "--replay-xtf") {
            o.replayXtfPath = std::string(value());
            if (o.replayXtfPath.empty()) return fail("--replay-xtf needs a file name");
        } else if (a == "--allow-non-loopback") {
            o.allowNonLoopback = true;
        } else {
            return fail("unknown option: " + a);
        }
    }
    if (o.allowNonLoopback && loopbackOnly())
        return fail(std::string("--allow-non-loopback refused: ") + kLoopbackOnlyVariable + " is set");
    for (std::size_t k = 0; k < kHeadCount; ++k) {
        const auto ip = parseIpv4(o.addresses[k]);
        if (o.present[k] && !o.allowNonLoopback && (!ip || !isLoopback(*ip)))
            return fail("refusing to serve on " + o.addresses[k] +
                        ": not a loopback address (127.0.0.0/8); pass --allow-non-loopback to serve on a real network");
    }
    for (std::size_t k = 0; k < kHeadCount; ++k)
        for (std::size_t m = k + 1; m < kHeadCount; ++m)
            if (o.present[k] && o.present[m] && o.port != 0 && o.addresses[k] == o.addresses[m])
                return fail("two heads cannot share " + o.addresses[k] + ":" + std::to_string(o.port) + "; give each its own address or use --port 0");
    if (o.faults.silentHead >= 0 && !o.present[static_cast<std::size_t>(o.faults.silentHead)])
        return fail("--silent-head names a head that does not exist");
    return out;
}

}  // namespace hx::sim
