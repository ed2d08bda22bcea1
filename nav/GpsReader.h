// One GPS reader's logic: framing and parser state together, driven one read
// at a time. The reader thread calls read() with the bytes that arrived and
// hands the returned snapshot to the user-interface thread; the command-line
// "nmea" tool and the tests drive it directly.
#pragma once

#include <string_view>

#include "nav/GpsParserState.h"
#include "nav/GpsReadFraming.h"
#include "nav/GpsSnapshot.h"

namespace hx {

class GpsReader {
public:
    // One read: frames the bytes, parses each recognised sentence, then
    // EndOfRead and PublishFix.
    GpsSnapshot read(std::string_view bytes);
    // A read request while the source is closed: nothing is parsed.
    GpsSnapshot readWithoutSource() const;
    // ResetGpsData: empty fix and texts, no carried-over text, no history.
    GpsSnapshot reset();
    void setSentenceSelection(int gpsType) { parser_.gpsType = gpsType; }

    GpsSnapshot snapshot(bool positionPublished = false, std::uint32_t bytesRead = 0) const;
    const GpsParserState& parser() const { return parser_; }
    const GpsFramingState& framing() const { return framing_; }

private:
    GpsParserState parser_;
    GpsFramingState framing_;
};

}  // namespace hx
