// Cuts the bytes of one GPS read into NMEA sentences at the '$' characters,
// carries an incomplete sentence over to the next read, keeps the history of
// the last ten sentences and the ten sentence slots of recognised ones.
// Pure logic: the reader calls frameGpsRead once per read.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "nav/GpsFix.h"

namespace hx {

// Most bytes taken from the source in one read.
inline constexpr std::size_t kGpsReceiveBufferBytes = 65536;
// The carried-over text never grows beyond this: a source that sends no '$'
// (wrong baud rate, binary protocol) must not fill the memory.
inline constexpr std::size_t kGpsRemainderLimitBytes = 65536;

struct GpsFramingState {
    std::string remainder;  // text carried to the next read, normally one incomplete sentence
    GpsSentenceHistory sentenceHistory{};  // every sentence cut, oldest first
    int historyCount = 0;
    GpsSentenceSlots gpsSentences{};  // recognised sentences of the latest read that had any
};

struct FramedRead {
    int sentencesCut = 0;
    int recognised = 0;   // entered the slots and went to the parser
    int corrupted = 0;    // recognised type, but a wrong checksum
};

// One read's framing. A sentence runs from its '$' up to, but not including,
// the character just before the next '$' (the LF of a CR LF ending; the CR
// stays). Text before the first '$' is dropped. Recognised sentences (GGA,
// GLL, RMC, VTG, HDT) with a good or absent checksum go to the slots and to
// onRecognised, in order. The loop counts only this read's bytes, less one
// per sentence, so a complete sentence may wait in the remainder for the
// next read. onCut, when given, sees every sentence cut, recognised or not.
using SentenceHandler = std::function<void(std::string_view)>;
FramedRead frameGpsRead(GpsFramingState& state, std::string_view bytes, const SentenceHandler& onRecognised,
                        const SentenceHandler& onCut = {});

// Empties the remainder and the history (the slots keep the last read's).
void resetGpsFraming(GpsFramingState& state);

}  // namespace hx
