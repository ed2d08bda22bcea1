#include "session/GpsReplay.h"

namespace hx {

bool GpsReplay::replay(GpsSnapshot& gps, int gpsType, TrackState* track) {
    const GpsSentenceSlots& slots = gps.gpsSentences;
    if (lastReplayed_ && *lastReplayed_ == slots) return false;
    lastReplayed_ = slots;

    parser_.gpsType = gpsType;
    parser_.fix.gpsUpdated = 0;
    parser_.headingSeen = 0;
    for (const std::string& sentence : slots)
        if (!sentence.empty()) ParseNmeaSentence(parser_, sentence);
    EndOfRead(parser_);
    const bool published = PublishFix(parser_);
    if (published && track) AddTrackPoint(*track, parser_.fix.gpsLatitude, parser_.fix.gpsLongitude);

    gps.fix = parser_.fix;
    gps.qualityText = parser_.qualityText;
    gps.satellitesInUse = parser_.satellitesInUse;
    gps.positionPublished = published;
    return true;
}

void GpsReplay::forgetPosition(GpsSnapshot& gps) {
    parser_.fix.gpsLatitude = 0.0;
    parser_.fix.gpsLongitude = 0.0;
    gps.fix.gpsLatitude = 0.0;
    gps.fix.gpsLongitude = 0.0;
    lastReplayed_.reset();
}

void GpsReplay::reset() {
    ResetGpsData(parser_);
    parser_.fixPending = 0;
    lastReplayed_.reset();
}

}  // namespace hx
