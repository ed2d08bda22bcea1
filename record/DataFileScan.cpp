#include "record/DataFileScan.h"

#include <algorithm>
#include <cstdio>

#include "record/RecordSearch.h"

namespace hx {

namespace {

void noteDamage(DataFileSummary& s, std::uint64_t offset, std::uint64_t bytes, std::string what) {
    ++s.damageCount;
    if (s.damage.size() < DataFileSummary::kListed) s.damage.push_back({offset, bytes, std::move(what)});
}

void countLayout(DataFileSummary& s, const RecordShape& shape) {
    for (RecordLayout& l : s.layouts) {
        if (l.heads == shape.headPresent && l.systemInfo == shape.systemInfoPresent) {
            ++l.records;
            return;
        }
    }
    s.layouts.push_back({shape.headPresent, shape.systemInfoPresent, shape.recordLength, 1});
}

void countPing(DataFileSummary& s, std::uint32_t ping) {
    if (s.records == 0) {
        s.firstPing = s.lowestPing = s.highestPing = ping;
    } else {
        if (ping <= s.lastPing) {
            ++s.outOfOrder;
        } else if (ping > s.lastPing + 1) {
            ++s.gapCount;
            s.missingPings += ping - s.lastPing - 1;
            if (s.gaps.size() < DataFileSummary::kListed) s.gaps.push_back({s.lastPing, ping});
        }
        s.lowestPing = std::min(s.lowestPing, ping);
        s.highestPing = std::max(s.highestPing, ping);
    }
    s.lastPing = ping;
}

// Milliseconds since midnight of "HH:MM:SS" and ".mmm", or -1.
std::int64_t millisecondsOfDay(const std::string& time, const std::string& ms) {
    int h = 0, m = 0, s = 0, milli = 0;
    if (std::sscanf(time.c_str(), "%2d:%2d:%2d", &h, &m, &s) != 3 || std::sscanf(ms.c_str(), ".%3d", &milli) != 1)
        return -1;
    if (h > 23 || m > 59 || s > 60 || milli < 0 || milli > 999) return -1;
    return ((h * 60LL + m) * 60 + s) * 1000 + milli;
}

void countPause(DataFileSummary& s, std::int64_t& lastMs, const DataRecord& r) {
    const std::int64_t now = millisecondsOfDay(r.timeText, r.millisecondsText);
    if (now >= 0 && lastMs >= 0 && s.records > 0) {
        constexpr std::int64_t kDayMs = 24LL * 3600 * 1000;
        const std::int64_t pause = (now - lastMs + kDayMs) % kDayMs;  // over midnight too
        if (pause > s.longestPauseMs) {
            s.longestPauseMs = pause;
            s.longestPauseAfterPing = s.lastPing;
        }
    }
    lastMs = now;
}

}  // namespace

std::string headNames(const std::array<bool, kHeadCount>& heads) {
    std::string out;
    for (int h = 0; h < kHeadCount; ++h) {
        if (!heads[h]) continue;
        if (!out.empty()) out += ' ';
        out += headLetter(h);
    }
    return out.empty() ? "none" : out;
}

DataFileSummary scanDataFile(IRandomAccessFile& file) {
    DataFileSummary s;
    const auto size = file.size();
    if (!size) {
        s.readError = true;
        return s;
    }
    s.fileBytes = *size;
    std::vector<std::uint8_t> buf(kMaxRecordBytes);

    std::uint64_t pos = 0;
    std::int64_t lastRecordMs = -1;
    while (pos < s.fileBytes) {
        auto found = recordAt(file, pos, s.fileBytes);
        if (!found) {
            // A whole header whose record runs past the end: the last record was cut off.
            std::array<std::uint8_t, kRecordHeaderBytes> header{};
            if (s.fileBytes - pos >= kRecordHeaderBytes && file.readAt(pos, header) == header.size()) {
                if (auto shape = checkRecordHeader(header); shape && shape->recordLength > s.fileBytes - pos) {
                    s.trailingBytes = s.fileBytes - pos;
                    break;
                }
            }
            auto next = findNextRecord(file, pos + 1, s.fileBytes);
            const std::uint64_t until = next ? next->offset : s.fileBytes;
            noteDamage(s, pos, until - pos, "no record here");
            if (!next) break;
            found = next;
            pos = next->offset;
        }

        const std::uint32_t length = found->shape.recordLength;
        if (file.readAt(pos, std::span(buf.data(), length)) != length) {
            s.readError = true;
            break;
        }
        const auto decoded = decodeRecord(std::span<const std::uint8_t>(buf.data(), length));
        if (!decoded) {  // guarded by recordAt; kept so a change there cannot loop
            noteDamage(s, pos, length, "record does not decode");
            pos += length;
            continue;
        }
        const DataRecord& r = decoded->record;
        countPause(s, lastRecordMs, r);
        countPing(s, r.pingNumber);
        countLayout(s, found->shape);
        const std::string stamp = r.dateText + " " + r.timeText + r.millisecondsText;
        if (s.records == 0) s.startTime = stamp;
        s.endTime = stamp;
        ++s.records;

        if (r.eventMark & kEventMarkFlag) {
            ++s.eventMarks;
            if (s.marks.size() < DataFileSummary::kListed) s.marks.emplace_back(r.pingNumber, r.eventMark & 0x7FFF);
        }
        std::uint64_t blockAt = pos + kRecordHeaderBytes;
        for (int h = 0; h < kHeadCount; ++h) {
            const BlockStatus b = decoded->blocks[h];
            if (b == BlockStatus::Absent) continue;
            if (b != BlockStatus::Ok)
                noteDamage(s, blockAt, kHeadBlockBytes,
                           "ping " + std::to_string(r.pingNumber) + ": head block " + headLetter(h) + " " +
                               blockStatusText(b));
            blockAt += kHeadBlockBytes;
        }
        pos += length;
    }
    return s;
}

}  // namespace hx
