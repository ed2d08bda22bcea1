// hx642-cli info FILE.642: what a sonar data file holds, and where it is damaged.
#include <QStringList>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "record/DataFileScan.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"

namespace hx::cli {

namespace {

void printSummary(const std::string& path, const DataFileSummary& s) {
    std::printf("file:          %s\n", path.c_str());
    std::printf("size:          %" PRIu64 " bytes\n", s.fileBytes);
    std::printf("records:       %" PRIu64 "\n", s.records);
    for (const RecordLayout& l : s.layouts)
        std::printf("  heads %-10s %s system information, %u bytes per record: %" PRIu64 " records\n",
                    headNames(l.heads).c_str(), l.systemInfo ? "with" : "without", l.recordLength, l.records);
    if (s.records > 0) {
        std::printf("pings:         %u .. %u (first %u, last %u)\n", s.lowestPing, s.highestPing, s.firstPing,
                    s.lastPing);
        if (s.gapCount == 0) {
            std::printf("ping gaps:     none\n");
        } else {
            std::printf("ping gaps:     %" PRIu64 " (%" PRIu64 " pings missing)\n", s.gapCount, s.missingPings);
            for (const PingGap& g : s.gaps) std::printf("  after %u next %u\n", g.before, g.after);
            if (s.gapCount > s.gaps.size()) std::printf("  ...\n");
        }
        if (s.outOfOrder > 0)
            std::printf("out of order:  %" PRIu64 " records with a ping not above the one before\n", s.outOfOrder);
        std::printf("start:         %s\n", s.startTime.c_str());
        std::printf("end:           %s\n", s.endTime.c_str());
        if (s.records > 1)
            std::printf("longest pause: %.3f s after ping %u\n", static_cast<double>(s.longestPauseMs) / 1000.0,
                        s.longestPauseAfterPing);
    }
    std::printf("event marks:   %" PRIu64 "\n", s.eventMarks);
    for (const auto& [ping, number] : s.marks) std::printf("  ping %u: event %d\n", ping, number);
    if (s.damageCount == 0) {
        std::printf("damaged:       none\n");
    } else {
        std::printf("damaged:       %" PRIu64 " %s\n", s.damageCount, s.damageCount == 1 ? "place" : "places");
        for (const DamageNote& d : s.damage)
            std::printf("  offset %" PRIu64 " (%" PRIu64 " bytes): %s\n", d.offset, d.bytes, d.what.c_str());
        if (s.damageCount > s.damage.size()) std::printf("  ...\n");
    }
    if (s.trailingBytes > 0)
        std::printf("cut off:       last %" PRIu64 " bytes are part of a record (not played)\n", s.trailingBytes);
}

}  // namespace

int runInfo(const QStringList& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: hx642-cli info FILE.642\n");
        return 2;
    }
    const std::string path = args[0].toStdString();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        std::fprintf(stderr, "hx642-cli info: %s: no such file\n", path.c_str());
        return 1;
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        std::fprintf(stderr, "hx642-cli info: %s: not a regular file\n", path.c_str());
        return 1;
    }
    if (!CReadWriteFiles::hasDataFileName(path)) {
        std::fprintf(stderr, "hx642-cli info: %s: not a sonar data file (the name must end in 642)\n", path.c_str());
        return 1;
    }
    StdFileSystem fs;
    auto file = fs.open(path, OpenMode::Read);
    if (!file) {
        std::fprintf(stderr, "hx642-cli info: %s: cannot open: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }
    const DataFileSummary summary = scanDataFile(*file);
    printSummary(path, summary);
    if (summary.readError) {
        std::fprintf(stderr, "hx642-cli info: %s: read error before the end of the file\n", path.c_str());
        return 1;
    }
    if (summary.records == 0) {
        std::fprintf(stderr, "hx642-cli info: %s: no record found: File has no data!\n", path.c_str());
        return 1;
    }
    return 0;
}

}  // namespace hx::cli
