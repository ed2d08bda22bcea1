// The NMEA parser's state: the fix it builds from successive sentences and
// the bookkeeping around it. One instance lives on the GPS reader thread and
// one in playback; only the functions below change it.
//
// Calling order per read: clear gpsUpdated and headingSeen, ParseNmeaSentence
// once per complete sentence, EndOfRead, PublishFix.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "nav/GpsFix.h"

namespace hx {

struct GpsParserState {
    GpsFix fix;
    // "Select NMEA Sentences": 0 "GLL + VTG", 1 "GGA + VTG", 2 "RMC", 3 "VTG".
    // Chooses which sentence feeds qualityText; every sentence is parsed.
    std::int32_t gpsType = 0;

    std::int32_t fixPending = 0;          // a recognised sentence was parsed since the last publish
    std::int32_t headingSeen = 0;         // an HDT heading arrived in this read
    std::int32_t readsWithoutHeading = 0;

    // Diagnostics for the configuration dialog.
    std::string qualityText = kNotAvailableText;  // "From GGA:  1"
    std::int32_t satellitesInUse = 0;
};

// Parses one sentence (starting with '$') into the fix. Sets gpsUpdated for
// every call. Ignores sentences shorter than 10 characters, of other types,
// or with a wrong checksum; a missing field ends the sentence and keeps what
// was stored before it.
void ParseNmeaSentence(GpsParserState& state, std::string_view sentence);

// Heading fall-back: after ten reads in a row without a heading, the heading
// follows the course and its text becomes "n/a".
void EndOfRead(GpsParserState& state);

// Applies the hemisphere signs to the latitude and longitude and, when both
// texts hold a position and a sentence was parsed since the last publish,
// clears fixPending and returns true: the caller hands the position to the
// track plotter.
bool PublishFix(GpsParserState& state);

// Back to the empty fix: every text "n/a", numbers 0, heading count 0.
void ResetGpsData(GpsParserState& state);

}  // namespace hx
