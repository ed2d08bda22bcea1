// Fault injection for one client connection: which requests a head ignores
// and how each reply it does send is spoiled. Counting is per connection, so
// every new connection starts afresh; nextReply advances the counters.
#pragma once

#include <cstddef>
#include <cstdint>

namespace hx::sim {

struct FaultOptions {
    int silentHead = -1;      // this head accepts connections but never answers data requests
    bool splitReplies = false;
    int errorEvery = 0;       // every Nth data reply carries error flags in its status byte
    int closeAfter = 0;       // the connection is closed after its Nth reply
    bool noSysinfo = false;   // system information requests go unanswered
    bool extraByte = false;   // one byte more after every reply
    int garbageEvery = 0;     // garbage after every Nth data reply
    int delayMs = 0;          // added to every reply's delay
    int silentEvery = 0;      // at every Nth data reply of the simulator, that head's connection falls silent
    int gpsGarbageEvery = 0;  // garbage bytes before every Nth NMEA sentence
};

struct ReplyFaults {
    std::uint8_t statusErrorBits = 0;  // within 0x7C
    std::size_t splitAt = 0;           // 0: in one piece; else bytes in the first segment
    bool extraByte = false;
    std::size_t garbageBytes = 0;      // sent after the reply
    std::uint64_t garbageSeed = 0;
    bool closeAfter = false;
};

class FaultPlan {
public:
    FaultPlan(const FaultOptions& options, int head) : options_(options), head_(head) {}

    bool answersData() const { return options_.silentHead != head_; }
    bool answersSystemInfo() const { return !options_.noSysinfo; }
    int extraDelayMs() const { return options_.delayMs; }

    ReplyFaults nextReply(bool dataReply, std::size_t replyBytes);

    long repliesSent() const { return replies_; }

private:
    FaultOptions options_;
    int head_;
    long replies_ = 0;
    long dataReplies_ = 0;
};

// Fills out with the garbage for a reply: arbitrary bytes, 0xFE and 0xFD included.
void fillGarbage(std::uint64_t seed, std::uint8_t* out, std::size_t count);

}  // namespace hx::sim
