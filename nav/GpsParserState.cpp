#include "nav/GpsParserState.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "nav/NmeaSentence.h"

namespace hx {

namespace {

std::string format1(const char* fmt, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, value);
    return buf;
}

void applyDiagnostics(GpsParserState& state, const NmeaFields& f) {
    if (f.qualityChar) {
        const char q = *f.qualityChar;
        const std::int32_t t = state.gpsType;
        if (f.type == NmeaType::GGA && (t == 1 || t == 3)) state.qualityText = std::string("From GGA:  ") + q;
        if (f.type == NmeaType::GLL && t == 0) state.qualityText = std::string("From GLL:  ") + q;
        if (f.type == NmeaType::RMC && t == 2) state.qualityText = std::string("From RMC:  ") + q;
    }
    if (f.satellitesInUse) state.satellitesInUse = *f.satellitesInUse;
}

}  // namespace

void ParseNmeaSentence(GpsParserState& state, std::string_view sentence) {
    GpsFix& fix = state.fix;
    fix.gpsUpdated = 1;
    const NmeaFields f = decodeNmeaSentence(sentence);
    if (f.type == NmeaType::None) return;

    applyDiagnostics(state, f);
    if (f.type == NmeaType::GGA || f.type == NmeaType::GLL || f.type == NmeaType::RMC) fix.receiverNoFix = f.noFix;
    if (f.latitude && f.longitude) fix.positionReceived = 1;
    if (f.latitude) {
        fix.gpsLatitude = f.latitude->valueDeg;
        fix.gpsLatHemisphere = f.latitude->hemisphere;
        fix.latText = f.latitude->text;
    }
    if (f.longitude) {
        fix.gpsLongitude = f.longitude->valueDeg;
        fix.gpsLonHemisphere = f.longitude->hemisphere;
        fix.lonText = f.longitude->text;
    }
    if (f.timeText) fix.timeText = *f.timeText;
    if (f.speedKnots) {
        fix.gpsSpeed = *f.speedKnots;
        fix.speedText = format1("%.1f Knots", fix.gpsSpeed);
    }
    if (f.courseDeg) {
        fix.gpsCourse = *f.courseDeg;
        fix.courseText = format1("%.1f Deg.", fix.gpsCourse);
    }
    if (f.headingDeg) {
        fix.gpsHeading = *f.headingDeg;
        fix.headingText = format1("%.1f Deg.", fix.gpsHeading);
        state.headingSeen = 1;
        state.readsWithoutHeading = 0;
    }
    if (f.dateText) fix.dateText = *f.dateText;
    state.fixPending = 1;
}

void EndOfRead(GpsParserState& state) {
    if (state.headingSeen == 0 && state.readsWithoutHeading < INT_MAX) ++state.readsWithoutHeading;
    if (state.readsWithoutHeading >= 10) {
        state.fix.gpsHeading = state.fix.gpsCourse;
        state.fix.headingText = kNotAvailableText;
    }
}

bool PublishFix(GpsParserState& state) {
    GpsFix& fix = state.fix;
    // Signs follow the hemisphere on every publish so that no copy of the fix
    // ever shows a southern or western value as positive.
    const char ns = fix.gpsLatHemisphere;
    const char ew = fix.gpsLonHemisphere;
    fix.gpsLatitude = (ns == 'S' || ns == 's') ? -std::fabs(fix.gpsLatitude) : std::fabs(fix.gpsLatitude);
    fix.gpsLongitude = (ew == 'W' || ew == 'w') ? -std::fabs(fix.gpsLongitude) : std::fabs(fix.gpsLongitude);
    if (fix.latText == kNotAvailableText || fix.lonText == kNotAvailableText || state.fixPending != 1) return false;
    state.fixPending = 0;
    return true;
}

void ResetGpsData(GpsParserState& state) {
    GpsFix& fix = state.fix;
    fix.latText = fix.lonText = fix.timeText = fix.speedText = kNotAvailableText;
    fix.courseText = fix.headingText = fix.dateText = kNotAvailableText;
    fix.gpsSpeed = fix.gpsCourse = fix.gpsHeading = 0.0;
    fix.gpsLatitude = fix.gpsLongitude = 0.0;
    state.headingSeen = 0;
    state.readsWithoutHeading = 0;
}

}  // namespace hx
